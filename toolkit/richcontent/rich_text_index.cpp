#include "toolkit/richcontent/rich_text_index.h"

#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"

#include <algorithm>
#include <climits>

namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

bool Collapses(int whiteSpace) {
    return whiteSpace != RichCode::WhiteSpacePre && whiteSpace != RichCode::WhiteSpacePreWrap;
}

// What the walk owes the next run: the strongest separator asked for since the last one.
struct Pending {
    enum Level { None, Space, Tab, Line };
    Level level = None;
    int breaks = 0;  // "br" elements: each is a line end of its own
    void Raise(Level l) { level = std::max(level, l); }
};

class Walker {
public:
    // `first`: stops at the first run.
    explicit Walker(std::vector<CExtRichTextIndex::Run>& runs, bool first = false) : m_runs(runs), m_first(first) {}

    void Visit(CExtRichContentItem* item) {
        for (RichPosition pos = item->m_listChildren.GetHeadPosition(); pos;) {
            if (m_first && !m_runs.empty()) return;
            CExtRichContentItem* child = item->m_listChildren.GetNext(pos);
            switch (child->m_nKind) {
            case kRichItemText: AddRun(child); break;
            case kRichItemWhiteSpace:
                if (Collapses(child->ReadStyle().m_nWhiteSpace)) m_pending.Raise(Pending::Space);
                else AddRun(child);
                break;
            case kRichItemElement: VisitElement(child); break;
            default: break;
            }
        }
    }

private:
    void VisitElement(CExtRichContentItem* element) {
        if (element->m_nPassFlags & kRichListMarker) return;
        if (!element->IsDisplayed(false)) return;
        if (element->GetTagName() == u"br") {
            if (!m_runs.empty()) ++m_pending.breaks;
            return;
        }
        switch (element->GetEffectiveDisplay()) {
        case RichCode::DisplayInline:
        case RichCode::DisplayInlineBlock:
            Visit(element);
            return;
        case RichCode::DisplayTableCell:
            if (m_cellInRow) m_pending.Raise(Pending::Tab);
            m_cellInRow = true;
            Visit(element);
            return;
        case RichCode::DisplayTableRow: {
            Block();
            const bool outer = m_cellInRow;
            m_cellInRow = false;
            Visit(element);
            m_cellInRow = outer;
            Block();
            return;
        }
        default:
            Block();
            Visit(element);
            Block();
            return;
        }
    }

    void Block() {
        if (!m_runs.empty()) m_pending.Raise(Pending::Line);
    }

    void AddRun(CExtRichContentItem* item) {
        if (item->m_nPassFlags & (kRichGeneratedBefore | kRichGeneratedAfter)) return;
        const RichString& text = CExtRichTextIndex::RunText(item);
        if (text.empty()) return;
        CExtRichTextIndex::Run run;
        run.m_pItem = item;
        run.m_rc = item->m_rcItem;
        run.m_nLength = static_cast<int>(text.size());
        if (!m_runs.empty()) {
            const int lines = std::max(m_pending.breaks, m_pending.level == Pending::Line ? 1 : 0);
            run.m_nLineEnds = lines;
            if (lines == 0 && m_pending.level == Pending::Tab) run.m_chSeparator = u'\t';
            if (lines == 0 && m_pending.level == Pending::Space) run.m_chSeparator = u' ';
            const CExtRichTextIndex::Run& last = m_runs.back();
            run.m_nStart = last.m_nStart + last.m_nLength + (lines > 0 || run.m_chSeparator ? 1 : 0);
        }
        m_pending = Pending{};
        m_runs.push_back(std::move(run));
    }

    std::vector<CExtRichTextIndex::Run>& m_runs;
    Pending m_pending;
    bool m_cellInRow = false;
    bool m_first = false;
};

}  // namespace

// The processed text: the measuring pass fills it from the text as read, so after a layout an
// empty one is a run that shows nothing (a line feed made into a break).
const RichString& CExtRichTextIndex::RunText(const CExtRichContentItem* item) { return item->m_strText; }

void CExtRichTextIndex::Run::AppendSeparator(RichString& out) const {
    for (int i = 0; i < m_nLineEnds; ++i) out += kLineEnd;
    if (m_nLineEnds == 0 && m_chSeparator) out += m_chSeparator;
}

RichString CExtRichTextIndex::Run::Separator() const {
    RichString text;
    AppendSeparator(text);
    return text;
}

void CExtRichTextIndex::Build(CExtRichContentItem* root) {
    Clear();
    if (root) Walker(m_runs).Visit(root);
    const std::size_t n = m_runs.size();
    m_maxBottom.resize(n);
    m_minTop.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        m_maxBottom[i] = i ? std::max(m_maxBottom[i - 1], m_runs[i].m_rc.bottom) : m_runs[i].m_rc.bottom;
    for (std::size_t i = n; i-- > 0;)
        m_minTop[i] = i + 1 < n ? std::min(m_minTop[i + 1], m_runs[i].m_rc.top) : m_runs[i].m_rc.top;
}

void CExtRichTextIndex::RunsAcross(int top, int bottom, std::size_t& from, std::size_t& to) const {
    // Before `from` every run ends at or above `top`; from `to` on every run starts at or below `bottom`.
    from = static_cast<std::size_t>(std::upper_bound(m_maxBottom.begin(), m_maxBottom.end(), top) -
                                    m_maxBottom.begin());
    to = static_cast<std::size_t>(std::lower_bound(m_minTop.begin(), m_minTop.end(), bottom) - m_minTop.begin());
    to = std::max(from, to);
}

bool CExtRichTextIndex::HasRun(CExtRichContentItem* root) {
    std::vector<Run> first;
    if (root) Walker(first, true).Visit(root);
    return !first.empty();
}

long CExtRichTextIndex::Length() const {
    return m_runs.empty() ? 0 : m_runs.back().m_nStart + m_runs.back().m_nLength;
}

bool CExtRichTextIndex::Locate(long position, std::size_t& run, int& offset) const {
    if (m_runs.empty()) return false;
    auto after = std::upper_bound(m_runs.begin(), m_runs.end(), position,
                                  [](long p, const Run& r) { return p < r.m_nStart; });
    run = after == m_runs.begin() ? 0 : static_cast<std::size_t>(after - m_runs.begin()) - 1;
    const Run& r = m_runs[run];
    offset = static_cast<int>(std::clamp<long>(position - r.m_nStart, 0, r.m_nLength));
    return true;
}

int CExtRichTextIndex::OffsetX(RichDcHandle dc, const Run& run, int offset) {
    if (offset <= 0) return 0;
    if (offset >= run.m_nLength) return run.m_rc.Width();
    CExtRichContentLayout* doc = run.m_pItem->GetLayout();
    if (!doc) return 0;
    RichFontScope font(dc, run.m_pItem->ReadStyle(), doc->m_nAngle, false);
    return std::min(run.m_rc.Width(), doc->MeasureText(dc, RunText(run.m_pItem).c_str(), offset).cx);
}

long CExtRichTextIndex::PositionAt(RichDcHandle dc, RichPoint pt) const {
    const Run* best = nullptr;
    long bestDy = LONG_MAX, bestDx = LONG_MAX;
    // The runs of a band around the point, wider until it holds the closest line: every run at
    // most `reach` rows off lies in the band, so a run found that close is the closest there is.
    for (long long reach = 1;; reach *= 2) {
        const int top = static_cast<int>(std::max<long long>(INT_MIN, pt.y - reach));
        const int bottom = static_cast<int>(std::min<long long>(INT_MAX, pt.y + reach + 1));
        std::size_t from = 0, to = 0;
        RunsAcross(top, bottom, from, to);
        best = nullptr;
        bestDy = bestDx = LONG_MAX;
        for (std::size_t i = from; i < to; ++i) {
            const Run& run = m_runs[i];
            const RichRect& r = run.m_rc;
            if (r.right <= r.left && r.bottom <= r.top) continue;  // not laid out
            const long dy = pt.y < r.top ? r.top - pt.y : pt.y >= r.bottom ? pt.y - r.bottom + 1 : 0;
            if (dy > bestDy) continue;
            const long dx = pt.x < r.left ? r.left - pt.x : pt.x >= r.right ? pt.x - r.right + 1 : 0;
            if (dy < bestDy || dx < bestDx) {
                best = &run;
                bestDy = dy;
                bestDx = dx;
            }
        }
        if ((best && bestDy <= reach) || (from == 0 && to == m_runs.size()) || reach > INT_MAX) break;
    }
    if (!best) return -1;
    const RichRect& r = best->m_rc;
    if (pt.x <= r.left) return best->m_nStart;
    if (pt.x >= r.right) return best->m_nStart + best->m_nLength;
    // The boundary nearest to the point: past a character's middle is after it.
    CExtRichContentLayout* doc = best->m_pItem->GetLayout();
    if (!doc) return best->m_nStart;
    RichFontScope font(dc, best->m_pItem->ReadStyle(), doc->m_nAngle, false);
    const RichString& text = RunText(best->m_pItem);
    int previous = 0;
    for (int i = 1; i <= best->m_nLength; ++i) {
        const int x = r.left + doc->MeasureText(dc, text.c_str(), i).cx;
        if (pt.x < x) return best->m_nStart + (pt.x - (r.left + previous) < x - pt.x ? i - 1 : i);
        previous = x - r.left;
    }
    return best->m_nStart + best->m_nLength;
}

RichString CExtRichTextIndex::TextBetween(long from, long to) const {
    RichString out;
    if (from > to) std::swap(from, to);
    std::size_t first = 0;
    int offset = 0;
    if (from == to || !Locate(from, first, offset)) return out;
    for (std::size_t i = first; i < m_runs.size(); ++i) {
        const Run& run = m_runs[i];
        if (run.m_nStart >= to) break;
        if (i > first && from < run.m_nStart) run.AppendSeparator(out);
        const long begin = std::max(from, run.m_nStart), end = std::min(to, run.m_nStart + run.m_nLength);
        if (end > begin) out.append(RunText(run.m_pItem), static_cast<std::size_t>(begin - run.m_nStart),
                                    static_cast<std::size_t>(end - begin));
    }
    return out;
}

void CExtRichTextIndex::WordAround(long position, long& from, long& to) const {
    std::size_t run = 0;
    int offset = 0;
    if (!Locate(position, run, offset)) {
        from = to = position;
        return;
    }
    from = m_runs[run].m_nStart;
    to = from + m_runs[run].m_nLength;
}
