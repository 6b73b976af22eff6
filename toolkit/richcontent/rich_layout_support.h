// Small shared pieces of the style, measuring and layout passes: the font scope that selects a
// run's font for measuring, MulDiv, the inset sums of a box and the unbounded rectangle.
#pragma once

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_style.h"
#include "toolkit/richcontent/rich_text.h"

#include <cstdint>

// The right and bottom edge of an unbounded rectangle (a measuring layout).
inline constexpr int kRichUnbounded = 0x7fff;
// Edges this far out still count as unbounded: a box inside an unbounded one loses only its
// insets, and must not stretch to nor align against such an edge.
inline constexpr int kRichUnboundedLimit = kRichUnbounded - 0x1000;

// a * b / c rounded half away from zero, as the system's MulDiv; -1 for a zero divisor.
inline int RichMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    long long q = p / c;
    const long long r = p % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<long long>(c) : c)) q += (p < 0) != (c < 0) ? -1 : 1;
    return static_cast<int>(q);
}

// Whether an item is an element of a tag (given in lower case): GetTagName() == name without
// the lower-cased copy that makes (the passes ask for every item).
inline bool RichIsTag(const CExtRichContentItem* item, const char* name) {
    return item->m_nKind == kRichItemElement && rich::EqualsAscii(item->m_strName, name);
}

// Selects a description's font (at the document angle, underlined on request) into the device
// context for measuring and puts the previous one back when it ends.
class RichFontScope {
public:
    RichFontScope(RichDcHandle dc, const CExtRichStyleDescription& style, int angle, bool underline)
        : m_dc(dc), m_previous(RichPlatform().SelectFont(dc, style.m_font.LogFontFor(angle, underline), m_metrics)) {}
    RichFontScope(const RichFontScope&) = delete;
    RichFontScope& operator=(const RichFontScope&) = delete;
    ~RichFontScope() { RichPlatform().RestoreFont(m_dc, m_previous); }
    const RichTextMetrics& Metrics() const { return m_metrics; }

private:
    RichDcHandle m_dc;
    RichTextMetrics m_metrics;
    void* m_previous;
};

// The four insets of a box, each side the sum of the parts asked for.
struct RichInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Horizontal() const { return left + right; }
    int Vertical() const { return top + bottom; }
};

// Cell padding, margins (unless `withMargins` is false), border widths and padding.
RichInsets RichBoxInsets(const CExtRichStyleDescription& style, bool withMargins);
// Whether an element is absolutely or fixed positioned.
bool RichIsOutOfFlow(CExtRichContentItem* item);
// A side value that is set (not negative).
inline int RichSide(int value) { return value > 0 ? value : 0; }

// The result of laying out a container's flow in lines.
struct RichFlowResult {
    RichRect bound;       // union of the placed in-flow items (empty when none)
    bool any = false;     // whether any item was placed
    int lastLineGap = 0;  // the line gap of the last line
};

// Lays out the flow items of a block container (runs, inline boxes, floats and blocks) in
// lines within the content rectangle (rich_line_layout.cpp).
RichFlowResult RichLayoutLines(CExtRichContentItem* container, RichDcHandle dc, const RichRect& content);
// The widest group of runs with no break between them below a container, also where the runs
// belong to different inline elements ("&nbsp;<b>MP2</b>"): the narrowest its lines can be.
int RichWidestWordGroup(CExtRichContentItem* container);
