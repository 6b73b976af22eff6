#include "toolkit/richcontent/rich_page_renderer.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "framework/image.h"
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_gdi.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_page_layout.h"

namespace {

// Taller than any page; the layout pass needs a bottom.
constexpr int kLayoutHeight = 1 << 22;

const char16_t* U16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
std::wstring W(const RichString& text) { return std::wstring(reinterpret_cast<const wchar_t*>(text.c_str()), text.size()); }

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool StartsWith(const std::wstring& lower, const wchar_t* prefix) { return lower.rfind(prefix, 0) == 0; }

bool IsLinkElement(const CExtRichContentItem* item) { return item->IsElement() && item->GetTagName() == u"a"; }

// An "a" element's address; empty when it names none.
const RichString& LinkAddress(const CExtRichContentItem* item) {
    static const RichString none;
    const CExtRichContentItem* href = item->FindAttribute(u"href");
    return href ? href->m_strValue : none;
}

// A resource name or type: "#23" and "23" are numbers.
LPCWSTR ResourceName(const std::wstring& text, std::wstring& storage) {
    std::wstring digits = !text.empty() && text[0] == L'#' ? text.substr(1) : text;
    if (!digits.empty() && digits.size() <= 5 && digits.find_first_not_of(L"0123456789") == std::wstring::npos) {
        const int id = std::stoi(digits);
        if (id > 0 && id <= 0xFFFF) return MAKEINTRESOURCEW(id);
    }
    storage = text;
    return storage.c_str();
}

// res://<module>/[<type>/]<name>: the image of a loaded module's resources.
bool LoadResourceImage(const std::wstring& address, CImage& image) {
    const std::wstring rest = address.substr(6), lower = Lower(rest);
    std::size_t moduleEnd = std::wstring::npos;
    for (const wchar_t* ext : {L".exe/", L".dll/"}) {
        const std::size_t pos = lower.find(ext);
        if (pos != std::wstring::npos && (moduleEnd == std::wstring::npos || pos < moduleEnd)) moduleEnd = pos + 4;
    }
    if (moduleEnd == std::wstring::npos) return false;
    HMODULE module = ::GetModuleHandleW(rest.substr(0, moduleEnd).c_str());
    if (!module) return false;
    std::wstring tail = rest.substr(moduleEnd + 1), typeText;
    const std::size_t slash = tail.find(L'/');
    if (slash != std::wstring::npos) {
        typeText = tail.substr(0, slash);
        tail = tail.substr(slash + 1);
    }
    std::wstring nameStorage, typeStorage;
    LPCWSTR name = ResourceName(tail, nameStorage);
    // Without a type, the type of pages (HTML), as the browser's own addresses have it.
    if (typeText == L"2" || typeText == L"#2") return image.LoadFromResource(module, name) != FALSE;
    LPCWSTR type = typeText.empty() ? RT_HTML : ResourceName(typeText, typeStorage);
    return SUCCEEDED(image.LoadFromResource(module, name, type));
}

bool ToBitmap(const CImage& image, RichBitmap& bitmap) {
    const int cx = image.GetWidth(), cy = image.GetHeight();
    if (cx <= 0 || cy <= 0 || !bitmap.Create(cx, cy)) return false;
    const int bpp = image.GetBPP();
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const auto* p = static_cast<const unsigned char*>(image.GetPixelAddress(x, y));
            if (!p) continue;
            const std::uint32_t alpha = bpp == 32 ? p[3] : 255;
            bitmap.SetPixel(x, y, (alpha << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0]);
        }
    return true;
}

void CollectImages(CExtRichContentItem* item, std::vector<CExtRichContentItem*>& out) {
    for (RichPosition pos = item->m_listChildren.GetHeadPosition(); pos;) {
        CExtRichContentItem* child = item->m_listChildren.GetNext(pos);
        if (child->IsElement() && child->GetTagName() == u"img") out.push_back(child);
        CollectImages(child, out);
    }
}

std::unique_ptr<fw::IPageRenderer> MakeRenderer() { return std::make_unique<CExtRichPageRenderer>(); }

}  // namespace

CExtRichPageRenderer::CExtRichPageRenderer() : m_pDoc(std::make_unique<CExtRichPageLayout>()) {}
CExtRichPageRenderer::~CExtRichPageRenderer() = default;

void CExtRichPageRenderer::SetPage(const std::wstring& html, const std::wstring& baseUrl) {
    m_strBase = baseUrl;
    m_index.Clear();
    m_bIndexBuilt = false;
    m_nHasLinks = -1;
    m_nSelFrom = m_nSelTo = 0;
    m_pDoc = std::make_unique<CExtRichPageLayout>();
    m_pDoc->ParseHtml(U16(html.c_str()), true);
    m_pDoc->m_nDocKind = kRichTextHtml;
    LoadImages();
}

std::wstring CExtRichPageRenderer::Resolve(const std::wstring& name) const {
    const std::wstring lower = Lower(name);
    if (StartsWith(lower, L"res://") || StartsWith(lower, L"file://") || StartsWith(lower, L"about:") ||
        lower.find(L"://") != std::wstring::npos || StartsWith(lower, L"mailto:") || StartsWith(lower, L"#") ||
        (lower.size() > 2 && (lower[1] == L':' || StartsWith(lower, L"\\\\"))))
        return name;
    // Relative to the page: beside it, in the same module or folder.
    std::wstring base = m_strBase;
    const std::size_t hash = base.find(L'#');
    if (hash != std::wstring::npos) base.erase(hash);
    const std::size_t cut = base.find_last_of(L"/\\");
    if (cut == std::wstring::npos) return name;
    return base.substr(0, cut + 1) + name;
}

void CExtRichPageRenderer::LoadImages() {
    CExtRichContentItem* root = m_pDoc->GetRoot();
    if (!root) return;
    std::vector<CExtRichContentItem*> images;
    CollectImages(root, images);
    for (CExtRichContentItem* item : images) {
        CExtRichContentItem* src = item->FindAttribute(u"src");
        if (!src || src->m_strValue.empty() || m_pDoc->FindImage(src->m_strValue)) continue;
        const std::wstring address = Resolve(W(src->m_strValue)), lower = Lower(address);
        CImage image;
        bool ok = false;
        if (StartsWith(lower, L"res://")) {
            ok = LoadResourceImage(address, image);
        } else if (StartsWith(lower, L"file://")) {
            std::wstring path = address.substr(7);
            while (path.size() > 2 && path[0] == L'/' && path[2] == L':') path.erase(0, 1);
            for (wchar_t& c : path)
                if (c == L'/') c = L'\\';
            ok = SUCCEEDED(image.Load(path.c_str()));
        } else if (lower.find(L"://") == std::wstring::npos) {
            ok = SUCCEEDED(image.Load(address.c_str()));
        }
        if (!ok) continue;  // the image's alt text or empty box stands in
        auto object = std::make_unique<CExtRichDocObjectImage>(src->m_strValue);
        if (!ToBitmap(image, object->GetBitmap())) continue;
        m_pDoc->GetLocalContainer()->Add(object.release(), true);
    }
}

HFONT CExtRichPageRenderer::PageFont() const { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

SIZE CExtRichPageRenderer::Layout(HDC hdc, int width) {
    CExtRichContentItem* root = m_pDoc->GetRoot();
    if (!root || !hdc) return SIZE{0, 0};
    HGDIOBJ old = ::SelectObject(hdc, PageFont());
    m_pDoc->Layout(hdc, RichRect{0, 0, width, kLayoutHeight});
    ::SelectObject(hdc, old);
    // The index holds the runs' rectangles: made again when next needed.
    m_index.Clear();
    m_bIndexBuilt = false;
    const RichRect box = root->m_rcItem;
    return SIZE{std::max(0, box.right), std::max(0, box.bottom)};
}

void CExtRichPageRenderer::Paint(HDC hdc, const RECT& clip, POINT origin) {
    if (!m_pDoc->GetRoot()) return;
    const int saved = ::SaveDC(hdc);
    ::SelectObject(hdc, PageFont());
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
    // The document is painted in its own coordinates, moved by the scroll position.
    ::OffsetViewportOrgEx(hdc, -origin.x, -origin.y, nullptr);
    const RichRect docClip{clip.left + origin.x, clip.top + origin.y, clip.right + origin.x, clip.bottom + origin.y};
    m_pDoc->Paint(hdc, docClip);
    if (m_nSelFrom != m_nSelTo) PaintSelection(hdc, docClip);
    ::RestoreDC(hdc, saved);
}

// The selected characters of each run in view drawn again in the selection colours, and the
// blank between two selected words of a line filled.
CExtRichTextIndex& CExtRichPageRenderer::Index() {
    if (!m_bIndexBuilt) {
        m_index.Build(m_pDoc->GetRoot());
        m_bIndexBuilt = true;
    }
    return m_index;
}

void CExtRichPageRenderer::PaintSelection(HDC hdc, const RichRect& docClip) {
    const auto& runs = Index().Runs();
    std::size_t first = 0;
    int offset = 0;
    if (!m_index.Locate(m_nSelFrom, first, offset)) return;
    const COLORREF back = ::GetSysColor(COLOR_HIGHLIGHT), ink = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const int angle = m_pDoc->m_nAngle;
    // Only the runs in view: all of a long page may be selected.
    std::size_t inView = 0, pastView = 0;
    m_index.RunsAcross(docClip.top, docClip.bottom, inView, pastView);
    for (std::size_t i = std::max(first, inView); i < pastView && runs[i].m_nStart < m_nSelTo; ++i) {
        const CExtRichTextIndex::Run& run = runs[i];
        const RichRect& r = run.m_rc;
        if (r.bottom <= docClip.top || r.top >= docClip.bottom) continue;
        const long end = run.m_nStart + run.m_nLength;
        const int from = static_cast<int>(std::max(m_nSelFrom, run.m_nStart) - run.m_nStart);
        const int to = static_cast<int>(std::min(m_nSelTo, end) - run.m_nStart);
        if (i > first && run.m_nLineEnds == 0 && run.m_chSeparator == u' ' && m_nSelFrom < run.m_nStart) {
            const RichRect& prev = runs[i - 1].m_rc;
            if (prev.top < r.bottom && r.top < prev.bottom && prev.right < r.left) {
                const RECT gap{prev.right, std::max(prev.top, r.top), r.left, std::min(prev.bottom, r.bottom)};
                ::SetBkColor(hdc, back);
                ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &gap, nullptr, 0, nullptr);
            }
        }
        if (to <= from) continue;
        CExtRichContentItem* item = run.m_pItem;
        RichTextDcGuard guard(hdc, item->ReadStyle(), angle, false, true);
        const int x1 = r.left + CExtRichTextIndex::OffsetX(hdc, run, from);
        const int x2 = r.left + CExtRichTextIndex::OffsetX(hdc, run, to);
        const RECT box{x1, r.top, x2, r.bottom};
        const RichString& text = CExtRichTextIndex::RunText(item);
        ::SetBkColor(hdc, back);
        ::SetTextColor(hdc, ink);
        ::ExtTextOutW(hdc, r.left, r.top, ETO_OPAQUE | ETO_CLIPPED, &box, reinterpret_cast<const wchar_t*>(text.c_str()),
                      static_cast<UINT>(text.size()), nullptr);
    }
}

long CExtRichPageRenderer::TextPositionAt(POINT pt) {
    if (Index().IsEmpty()) return -1;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, PageFont());
    const long at = m_index.PositionAt(dc, RichPoint{pt.x, pt.y});
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return at;
}

long CExtRichPageRenderer::TextLength() { return Index().Length(); }

bool CExtRichPageRenderer::HasText() {
    if (m_bIndexBuilt) return !m_index.IsEmpty();
    // Asked on every move of the pointer: the first run answers it, without the whole index.
    return CExtRichTextIndex::HasRun(m_pDoc->GetRoot());
}

std::wstring CExtRichPageRenderer::TextBetween(long from, long to) { return W(Index().TextBetween(from, to)); }

void CExtRichPageRenderer::WordAround(long position, long& from, long& to) { Index().WordAround(position, from, to); }

void CExtRichPageRenderer::SetSelection(long from, long to) {
    m_nSelFrom = std::min(from, to);
    m_nSelTo = std::max(from, to);
}

std::wstring CExtRichPageRenderer::LinkAt(POINT pt) {
    CExtRichContentItem* root = m_pDoc->GetRoot();
    if (!root) return {};
    // Asked on every move of the pointer, and a hit test searches the items of a line from its
    // parent's first: on a long listing without links (the range explorer's) there is nothing to find.
    if (m_nHasLinks < 0) {
        m_nHasLinks = 0;
        for (CExtRichContentItem* item : m_pDoc->m_listItems) {
            if (IsLinkElement(item) && !LinkAddress(item).empty()) {
                m_nHasLinks = 1;
                break;
            }
        }
    }
    if (!m_nHasLinks) return {};
    RichHitTestRecord record;
    record.m_pt = RichPoint{pt.x, pt.y};
    if (!root->HitTest(record, nullptr) || record.m_path.empty()) return {};
    // The innermost "a" around the point decides, with its address or without one.
    for (CExtRichContentItem* item = record.m_path.back().m_pItem; item; item = item->m_pParent) {
        if (!IsLinkElement(item)) continue;
        const RichString& address = LinkAddress(item);
        return address.empty() ? std::wstring() : Resolve(W(address));
    }
    return {};
}

int CExtRichPageRenderer::AnchorTop(const std::wstring& name) {
    const RichString key(U16(name.c_str()), name.size());
    CExtRichContentItem* item = m_pDoc->FindById(key);
    if (!item) item = m_pDoc->FindByName(key);
    if (!item) return -1;
    // A named anchor may be an empty inline element: its first laid-out descendant or its parent.
    for (CExtRichContentItem* at = item; at; at = at->m_pParent)
        if (at->m_rcItem.bottom > at->m_rcItem.top || at->m_rcItem.top > 0) return at->m_rcItem.top;
    return 0;
}

void RichInstallPageRenderer() { AfxSetPageRendererFactory(&MakeRenderer); }
