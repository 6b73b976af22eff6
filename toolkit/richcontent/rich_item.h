// One node of a rich-content document: the root, an element, a word, a white-space run, a tag
// attribute, a parsed style attribute, a declaration or value token, a style-state holder or a
// head element. The document owns every node made by its readers; a node owns its attribute
// items (declarations, tokens), its class-name list, its collected rule and its computed style,
// but not its children.
#pragma once

#include "toolkit/richcontent/rich_events.h"
#include "toolkit/richcontent/rich_ptr_list.h"
#include "toolkit/richcontent/rich_state_set.h"
#include "toolkit/richcontent/rich_style.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

class CExtRichContentLayout;
class CExtRichTableLayout;
class RichBitmap;
struct RichHitInfo;
struct RichHitTestRecord;
struct RichScrollBarData;

enum RichItemKind : int {
    kRichItemRoot = -1,
    kRichItemText = 0,
    kRichItemWhiteSpace = 1,
    kRichItemElement = 2,
    kRichItemAttribute = 3,
    kRichItemStyleAttribute = 4,
    kRichItemDeclaration = 5,
    kRichItemStateHolder = 6,
    kRichItemTitle = 7,
    kRichItemStyle = 8,
    kRichItemScript = 9,
    kRichItemMeta = 10,
    kRichItemLink = 11,
};

// m_nParseState values.
enum RichParseState : int {
    kRichParseOk = 0,
    kRichParseUnmatchedClose = 1,
    kRichParseTagRejected = 2,
    kRichParseLeftOpen = 3,
    kRichParseNoName = 4,
    kRichParseSplitFailed = 5,
    kRichParseLinkUndefined = 6,
};

// m_nTagFlags bits.
enum : std::uint8_t {
    kRichTagEnd = 0x01,
    kRichTagEmpty = 0x02,
    kRichTagLineBreak = 0x04,
};

// m_nPassFlags bits.
enum RichPassFlag : std::uint8_t {
    kRichGeneratedBefore = 0x01,  // the run of a ::before content
    kRichGeneratedAfter = 0x02,   // the run of an ::after content
    kRichListMarker = 0x04,       // an inside list marker
    kRichMeasuredBreak = 0x08,    // a "br" made by measuring a preserved line feed
    kRichWhiteSpaceDone = 0x10,   // the run's white space was processed
};

// m_nReaderFlags bits of the plain-text reader.
enum : std::uint8_t {
    kRichRunMnemonic = 0x01,    // the run is the "&" mnemonic: drawn underlined
    kRichRunPrefixOnly = 0x02,  // DT_PREFIXONLY: only the mnemonic's underline is drawn
};
// m_nLayoutFlags bits (bit 0 is the word start of JustifyLine).
enum : std::uint8_t {
    kRichLayoutAtomic = 0x02,     // placed on its line as one unit
    kRichLayoutFlowBlock = 0x04,  // being laid out as a block between the lines of its container
};

using RichItemList = RichPtrList<CExtRichContentItem>;

class CExtRichContentItem {
public:
    // Chains the new item between its neighbours; with a parent and no neighbours it follows the
    // last item of the parent's attribute list (kinds 3 to 5) or child list. It is not appended
    // to any list here.
    CExtRichContentItem(CExtRichContentLayout* layout, int kind, CExtRichContentItem* parent = nullptr,
                        CExtRichContentItem* prev = nullptr, CExtRichContentItem* next = nullptr);
    CExtRichContentItem(const CExtRichContentItem&) = delete;
    CExtRichContentItem& operator=(const CExtRichContentItem&) = delete;
    virtual ~CExtRichContentItem();

    // The document's items come from its arena: `new (doc) CExtRichContentItem(doc, ...)`; a plain
    // new (or a null document) takes the heap. Delete gives each item back where it came from.
    static void* operator new(std::size_t size, CExtRichContentLayout* doc);
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, CExtRichContentLayout* doc);
    static void operator delete(void* memory);
    static void operator delete(CExtRichContentItem* item, std::destroying_delete_t);
    // The bytes an item takes in an arena.
    static std::size_t ArenaSlotSize();

    // Kinds and styles.
    virtual bool IsElementOrRoot() const;
    virtual void InvalidateStyle(bool recursive, bool style, bool rule);
    virtual CExtRichStyleRule& GetRule();
    // The computed style to change (a run's is its element's).
    virtual CExtRichStyleDescription& GetStyle();
    // The computed style to read: a default one before the first computation.
    const CExtRichStyleDescription& ReadStyle() const;
    bool IsRoot() const { return m_nKind == kRichItemRoot; }
    bool IsElement() const { return m_nKind == kRichItemElement; }

    // Visibility.
    virtual bool IsVisibleInAncestors(bool shownOnly, bool anyCorner);
    virtual bool IsDisplayed(bool deep);
    virtual bool IsShown(bool deep);
    virtual bool CanBeHovered(bool deep, bool anyCorner);
    virtual bool CanBeFocused(bool deep);

    // Document-order walk: children first, then siblings, then the ancestors' next siblings.
    virtual CExtRichContentItem* GetNextItem() const;
    virtual CExtRichContentItem* GetPrevItem() const;
    CExtRichContentItem* GetDeepestLastDescendant() const;

    // Events, forwarded to the owning document (true = handled).
    virtual bool OnStatesChange(RichWindowHandle host, const RichUiStateSet& states, int value, bool recursive);
    virtual bool OnEvent2(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                          RichEventArg f);
    virtual bool OnSelectedChange(RichWindowHandle host, bool selected);
    virtual bool OnEvent4(RichEventArg a, RichEventArg b);
    virtual bool OnFocusEnter(RichWindowHandle host, RichEventArg x);
    virtual bool OnFocusLeave(RichWindowHandle host, RichEventArg x);
    virtual bool OnMouseWheel(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                              RichEventArg f);
    virtual bool OnEvent8(RichEventArg a, RichEventArg b, RichEventArg c);
    virtual bool OnEvent9(RichEventArg a, RichEventArg b, RichEventArg c);
    virtual bool OnEvent10(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                           RichEventArg f);
    virtual bool OnEvent11(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                           RichEventArg f);
    virtual bool OnEvent12(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e);
    virtual bool OnEvent13(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e);

    // UI states.
    virtual bool MatchStateRule(const RichUiStateSet& states);
    virtual bool SetStates(const RichUiStateSet& states, int value, bool recursive);
    virtual bool SetStatesRecursive(const RichUiStateSet& states, int value, bool recursive);

    // m_rcItem moved by the scroll offsets of the ancestors up to the first positioned one.
    virtual RichRect GetScreenRect();

    // Attributes that register the item with its document.
    virtual void SetUiIdSrc(const RichString& text);
    virtual const RichString& GetUiIdSrc() const;
    virtual void SetUiIdDst(const RichString& text);
    virtual const RichString& GetUiIdDst() const;
    virtual void SetId(const RichString& text);
    virtual const RichString& GetId() const;
    virtual void SetNameAttr(const RichString& text);
    virtual const RichString& GetNameAttr() const;
    // Elements: the name lower-cased; other kinds: empty.
    virtual RichString GetTagName() const;

    // Rule collection (cached until InvalidateStyle).
    virtual void CollectRule(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle);
    virtual void ApplyAttributesAndDeclarations(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle);
    virtual void ApplyHtmlAttributes(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle);
    virtual void ApplyCssDeclarations(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle);
    // Makes the computed style equal to `computed`: one shared with the document's other items.
    void SetComputedStyle(const CExtRichStyleDescription& computed);
    // Takes the style computed before from the same shared rule over the same shared parent
    // style (the document's memo), computing and remembering it the first time; false where the
    // rule or the parent's style is not shared and so cannot be remembered.
    bool TakeMemoizedStyle(const CExtRichStyleDescription& parentStyle);
    // Recomputes the description from the collected rule over the parent's when stale.
    const CExtRichStyleDescription& RefreshStyle(RichDcHandle dc, const CExtRichStyleDescription& parentStyle,
                                                 bool force, bool recursive);

    // ---- style, measuring and layout passes (rich_style_pass.cpp, rich_measure.cpp,
    // rich_layout_pass.cpp, rich_line_layout.cpp, rich_table_pass.cpp) ----
    // Computes the style of this item and its subtree from the parent's description: generated
    // ::before and ::after runs, registration of positioned and docked children, list numbers.
    virtual void ComputeStyle(RichDcHandle dc, const CExtRichStyleDescription& parentStyle, const RichRect& layoutRect);
    // Measures the subtree: white space normalised and split at line feeds, run extents, images,
    // inline blocks and tables; content and minimum content sizes.
    virtual void MeasureContent(RichDcHandle dc, const RichRect& available);
    // Applies a text of CSS declarations (a style attribute's value) to this item's style.
    virtual void ApplyStyleText(const RichString& text);
    // Lays out the whole tree in the rectangle (the root's operation).
    virtual void LayoutDocument(RichDcHandle dc, const RichRect& rect);
    // Lays out this item and its subtree in the available rectangle; positioned items only when
    // they are the target. `relayout` marks the second pass after the scroll ranges are known.
    virtual void LayoutContent(RichDcHandle dc, const RichRect& available, CExtRichContentItem* target, bool relayout);

    // Flow items of a line-breaking pass: runs and the unit elements of the subtree.
    virtual void CollectFlowItems(RichItemList& list, bool unit);

    // Cached classification.
    virtual bool IsVoidElement();
    virtual bool IsInlineLevel();
    virtual bool IsBlockLevel();
    virtual bool IsNoWrapInline();
    virtual bool IsBlockContainer();

    // Effective values (position overrides display; inherit codes read as their defaults).
    int GetEffectiveDisplay();
    int GetEffectivePosition();
    int GetEffectiveVisibility();
    // Trims m_strValue and folds double spaces.
    void NormalizeValueSpaces();

    int GetScrollBarHeight() const;
    int GetScrollBarWidth() const;

    // ---- table cells (rich_table_layout.h) ----
    // A spanning cell: its index within its row, its row, colspan, rowspan and the cell.
    struct span_info_t {
        int m_nCellIndex = 0;
        int m_nRow = 0;
        int m_nColSpan = 1;
        int m_nRowSpan = 1;
        CExtRichContentItem* m_pCell = nullptr;
    };
    class span_info_array_t;
    // The table grid of a table element, made on first use and owned by the item.
    CExtRichTableLayout& GetTableLayout();

    // ---- line alignment and item geometry (rich_geometry.cpp) ----
    // Spreads the free width of a laid-out line over the gaps between its words; the nodes run
    // from `first` up to `last` (excluded) of `list`.
    virtual void JustifyLine(const RichRect& line, int used, RichPosition first, RichPosition last,
                             const RichItemList& list, bool firstLine, const CExtRichStyleDescription& style);
    // Applies the vertical-align of the line's images; answers the new line height or 0.
    virtual int AlignLineVertically(RichPosition first, RichPosition end, const RichItemList& list, int lineHeight);
    virtual void OffsetItem(RichPoint delta, bool self, bool children, bool force);
    virtual void BoundChildren(bool nested);
    virtual void BoundInlineElement();
    virtual void ClearInlineBounds();
    virtual void UnionTableParts();
    // Turns the rectangles of the subtree for a document drawn at 90, 180 or 270 degrees.
    virtual void RotateRect(int angle);
    virtual RichRect CalcMarkerRect(int angle, int position, const RichRect& content, const RichRect& other,
                                    RichSize size, int offset, int shiftA, int shiftB);
    virtual int GetBaselineShift();
    int GetAscent();
    int GetLineGap();
    static RichSize GetMarkerSizeRound() { return RichSize{8, 8}; }
    static RichSize GetMarkerSizeSquare() { return RichSize{5, 5}; }

    // ---- hit testing and element scroll bars (rich_hit_test.cpp, rich_scroll_bars.cpp) ----
    virtual bool HitTest(RichHitTestRecord& record, CExtRichContentItem* target);
    virtual bool HitTestChildren(RichHitTestRecord& record, CExtRichContentItem* target);
    virtual void HitTestBoxZones(RichPoint point, RichHitInfo& info);
    virtual int IsScrollable() { return 1; }
    virtual void SetScrollPos(int x, int y, RichWindowHandle host);
    // 1 no bar, 2 bar shown.
    virtual int GetScrollBarModeH();
    virtual int GetScrollBarModeV();
    virtual void LayoutScrollBar(bool horizontal, const RichRect& rect, RichScrollBarData& data, bool clamp);
    virtual void ClampScrollPos(RichScrollBarData& data);
    virtual void ScrollIntoView(RichRect rect, bool horizontal, bool vertical, bool alignEnd, bool alignBottom,
                                bool always);
    void ScrollParentsToShow(bool horizontal, bool vertical, bool alignEnd, bool alignBottom, bool always);
    // Painting goes through the installed scroll-bar painter (the paint manager on Windows).
    virtual void PaintScrollBar(RichDcHandle dc, bool horizontal, const RichRect& rect);
    virtual void PaintScrollBarCorner(RichDcHandle dc, const RichRect& rect);
    virtual void PaintScrollBars(RichDcHandle dc, const RichRect& clip, RichEventArg extra,
                                 CExtRichContentItem* target);
    // The screen rectangle less cell padding, margins (relative or static positioning) and
    // border widths; with `lessBars` also less the shown scroll bars.
    RichRect GetScrollInnerRect(bool lessBars);
    // The strips of the shown bars within the area inside the borders (empty when not shown).
    void GetScrollBarRects(const RichRect& inner, RichRect& horizontal, RichRect& vertical, RichRect& corner);
    // Scrolls by the wheel delta (the item's own reaction to OnMouseWheel).
    bool ScrollOnMouseWheel(int delta, RichPoint point, RichWindowHandle host);

    // ---- painting (rich_paint.cpp, Windows only) ----
    // The root's paint: the tree, then the deferred lists (pre, middle, post).
    void PaintDocument(RichDcHandle dc, const RichRect& clip, RichPoint offset);
    // One item: background, borders, children and its own content (run text, list marker,
    // image). `scrolling` is set while an element paints into its own scrolled surface.
    void PaintContent(RichDcHandle dc, const RichRect& clip, RichPoint offset, CExtRichContentItem* target,
                      bool scrolling);
    // Docked children first (pre-fill, pre-edge, edge, fill), then the ordinary ones.
    void PaintChildren(RichDcHandle dc, const RichRect& clip, RichPoint offset, CExtRichContentItem* target,
                       bool scrolling);
    void PaintBorders(RichDcHandle dc, const CExtRichStyleDescription& style);

    // Attribute and child lookups (case-insensitive names).
    virtual CExtRichContentItem* FindAttribute(const RichString& name) const;
    virtual CExtRichContentItem* FindFirstAttribute(RichPosition& position, const RichString& name) const;
    virtual CExtRichContentItem* FindNextAttribute(RichPosition& position, const RichString& name) const;
    virtual CExtRichContentItem* FindChild(const RichString& text, bool bySecondText) const;
    virtual CExtRichContentItem* FindFirstChild(RichPosition& position, const RichString& text,
                                                bool bySecondText) const;
    virtual CExtRichContentItem* FindNextChild(RichPosition& position, const RichString& text,
                                               bool bySecondText) const;

    // Readers: splits a tag's (or rule holder's) text into its name and attribute items; splits a
    // "style" attribute into declarations with value tokens. False (parse state 4) for an "=" or
    // ":" without a name before it.
    virtual bool ParseTagText();
    virtual bool ParseStyleAttribute();
    // A text token of the HTML reader into word, white-space and (with `lineBreaks`, inside pre)
    // "br" items appended to the document's item list, character references decoded.
    virtual bool SplitTextIntoWords(bool lineBreaks);

    // Value parsers of the property handlers: each writes the declared value into the rule and
    // answers whether the value was accepted. Side flags run left, right, top, bottom.
    virtual bool ParseBorderStyle(CExtRichStyleRule& rule, const RichString& text, bool left, bool right, bool top,
                                  bool bottom);
    virtual bool ParseBorderColor(CExtRichStyleRule& rule, const RichString& text, bool left, bool right, bool top,
                                  bool bottom);
    virtual bool ParseBorderWidth(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                  const RichString& text, bool left, bool right, bool top, bool bottom);
    virtual bool ParseMargin(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent, const RichString& text,
                             bool left, bool right, bool top, bool bottom);
    virtual bool ParsePadding(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent, const RichString& text,
                              bool left, bool right, bool top, bool bottom);
    virtual bool ParseFontFamily(CExtRichStyleRule& rule, const RichString& text);
    virtual bool ParseFontStyle(CExtRichStyleRule& rule, const RichString& text);
    virtual bool ParseFontWeight(CExtRichStyleRule& rule, const RichString& text);
    virtual bool ParseFontSize(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent, const RichString& text);
    virtual bool ParseLineHeight(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                 const RichString& text);
    virtual bool ParseOutlineColor(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                   const RichString& text);
    virtual bool ParseOutlineStyle(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                   const RichString& text);
    virtual bool ParseOutlineWidth(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                   const RichString& text);
    virtual bool ParseListStyleImage(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                     const RichString& text);
    virtual bool ParseListStylePosition(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                        const RichString& text);
    virtual bool ParseListStyleType(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                    const RichString& text);
    // side: 0 left, 1 top, 2 right, 3 bottom.
    virtual void ParsePositionOffset(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                     const RichString& text, int side);
    virtual bool ParseBackgroundColor(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                      const RichString& text);
    virtual bool ParseBackgroundImage(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                      const RichString& text);
    virtual bool ParseBackgroundRepeat(CExtRichStyleRule& rule, const RichString& text);
    virtual bool ParseBackgroundAttachment(CExtRichStyleRule& rule, const RichString& text);
    // One of `count` tokens, `index` counted from 1.
    virtual bool ParseBackgroundPosition(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                         const RichString& text, int count, int index);
    // Value splitters of a parsed style attribute (kind 4): append token items (kind 5, token in
    // m_strValue) to a declaration's list.
    virtual void SplitContentValue(RichItemList& tokens, const RichString& value);
    virtual void SplitDeclarationValue(RichItemList& tokens, const RichString& value);
    // The text of a "content" value: quotes, "none" and attr() references resolved.
    virtual RichString ResolveContentText(const RichString& text);

    // Appends an item to this item's child (or attribute) list and makes this its parent.
    void AppendChild(CExtRichContentItem* child);
    void AppendAttribute(CExtRichContentItem* attribute);
    // A new attribute item (kind 3) with a name and value, appended to the attribute list.
    CExtRichContentItem* AddAttribute(const RichString& name, const RichString& value);

    CExtRichContentLayout* GetLayout() const { return m_pLayout; }
    // The bitmap of the document image its "src" attribute names, or null (no attribute, no
    // such image, an empty one).
    virtual RichBitmap* GetImage();
    // An "img" element takes its image's size as its content and minimum content size and the
    // height as its ascent; without an image (none named, missing, empty) it keeps the sizes it
    // has (a declared width and height, or none) and the answer is false.
    bool MeasureImage();

    // Members are ordered by size, so that a large page's many items leave no padding unused.
    CExtRichContentItem* m_pParent;
    CExtRichContentItem* m_pPrev;
    CExtRichContentItem* m_pNext;
    RichString m_strName;
    RichString m_strText;
    RichString m_strValue;
    RichItemList m_listChildren;
    RichItemList m_listAttributes;  // owned
    RichRect m_rcItem;
    int m_nContentWidth = 0, m_nContentHeight = 0;
    int m_nMinContentWidth = 0, m_nMinContentHeight = 0;
    int m_nAscent = 0, m_nLineGap = 0;
    // Every run of a plain-text document carries one: kept here rather than in the record below.
    int m_nMinHeightHint = -1;
    // The kind (RichItemKind, -1 to 11), the parse state and two flags fill the room the odd count
    // of ints above leaves before the pointers: a byte each is all they need.
    std::int8_t m_nKind;
    std::int8_t m_nParseState = kRichParseOk;
    std::uint8_t m_nTagFlags = 0;
    std::uint8_t m_nLayoutFlags = 0;
    CExtRichContentLayout* m_pLayout;
    CExtRichStyleRule* m_pRule = nullptr;           // owned, or shared from the document's pool
    CExtRichStyleDescription* m_pStyle = nullptr;   // owned, or shared from the document's pool
    // The id, name and ui ids: a record of their own, made when one is set (few items have any).
    struct CRegisteredNames;
    // What only some items use (scrolling, list numbers, cell spans, class names, docked children,
    // a table grid, state holders, registered names), in a record made on first use: the runs,
    // attributes and simple elements of a long page stay small. Reads without the record give
    // the defaults; writes of a default value make none.
    struct CBoxExtras {
        RichItemList m_listDocked;
        RichItemList m_listDockedFill;
        RichItemList m_listAux;  // a rule holder's state holders
        std::vector<RichString> m_classNames;
        CExtRichTableLayout* m_pTableLayout = nullptr;  // owned once the table model exists
        CRegisteredNames* m_pNames = nullptr;           // owned
        RichPoint m_ptScroll;
        RichSize m_sizeScrollRange;
        int m_nMinWidthHint = -1;
        int m_nListNumber = -1;
        int m_nMarkerWidth = -1;
        int m_nColSpan = 1, m_nRowSpan = 1;
        int m_nScrollBarHotPart = -1;
        std::uint8_t m_nScrollBarFlags = 0;
    };
    CBoxExtras* m_pExtras = nullptr;  // owned
    CBoxExtras& Extras();
    // The docked children (edge, and fill): empty lists without the record.
    const RichItemList& GetDocked() const;
    const RichItemList& GetDockedFill() const;
    // A rule holder's state holders (kind 6).
    const RichItemList& GetStateHolders() const;
    // The names of the "class" attribute, in order.
    const std::vector<RichString>& GetClassNames() const;
    int GetMinWidthHint() const { return m_pExtras ? m_pExtras->m_nMinWidthHint : -1; }
    // The element's scroll offset and the range the layout pass found; ScrollOffset() and
    // ScrollRange() make the record, for callers that change a part.
    RichPoint GetScrollOffset() const { return m_pExtras ? m_pExtras->m_ptScroll : RichPoint{}; }
    RichSize GetScrollRange() const { return m_pExtras ? m_pExtras->m_sizeScrollRange : RichSize{}; }
    void SetScrollOffset(RichPoint offset);
    void SetScrollRange(RichSize range);
    RichPoint& ScrollOffset() { return Extras().m_ptScroll; }
    RichSize& ScrollRange() { return Extras().m_sizeScrollRange; }
    // The hit code of the scroll-bar part under the mouse (-1 none) and the pressed bits.
    int GetScrollBarHotPart() const { return m_pExtras ? m_pExtras->m_nScrollBarHotPart : -1; }
    std::uint8_t GetScrollBarFlags() const { return m_pExtras ? m_pExtras->m_nScrollBarFlags : 0; }
    void SetScrollBarHotPart(int part);
    void SetScrollBarFlags(std::uint8_t flags);
    // A list item's number and its marker text's width (-1 until the style pass sets them).
    int GetListNumber() const { return m_pExtras ? m_pExtras->m_nListNumber : -1; }
    int GetMarkerWidth() const { return m_pExtras ? m_pExtras->m_nMarkerWidth : -1; }
    void SetListNumber(int number);
    void SetMarkerWidth(int width);
    // A table cell's spans as the grid placed it (1 until then).
    int GetColSpan() const { return m_pExtras ? m_pExtras->m_nColSpan : 1; }
    int GetRowSpan() const { return m_pExtras ? m_pExtras->m_nRowSpan : 1; }
    void SetCellSpans(int colSpan, int rowSpan);
    RichUiStateSet m_states;
    // One byte for the four: with the narrow kind above and the packed state set, an item is two
    // words smaller.
    bool m_bRuleCached : 1 = false;
    bool m_bRuleShared : 1 = false;   // m_pRule is pooled: read only
    bool m_bStyleValid : 1 = false;
    bool m_bStyleShared : 1 = false;  // m_pStyle is pooled: read only
    std::uint8_t m_nCacheFlags = 0;
    std::uint8_t m_nRunFlags = 0;     // the text-run pass's own bits
    std::uint8_t m_nReaderFlags = 0;  // the plain-text reader's own bits
    std::uint8_t m_nPassFlags = 0;  // RichPassFlag bits of the style and measuring passes
    int m_nListIndex = -1;          // index among the parent's children (style pass); fills the tail

private:
    const CRegisteredNames* FindNames() const;
    CRegisteredNames& Names();
    // One of the registered names, empty without the record.
    const RichString& RegisteredName(RichString CRegisteredNames::*field) const;
    // Takes `shared` (pooled, with a reference for this item) as the computed style.
    void AdoptSharedStyle(const CExtRichStyleDescription* shared);
    enum CacheBit : std::uint8_t {
        kInlineKnown = 0x01, kInlineValue = 0x02, kBlockKnown = 0x04, kBlockValue = 0x08,
        kVoidKnown = 0x10, kVoidValue = 0x20, kNoWrapKnown = 0x40, kNoWrapValue = 0x80,
    };
    bool Cached(std::uint8_t known, std::uint8_t value, bool (CExtRichContentItem::*compute)());
    // Drops the computed style, pooled or owned.
    void ReleaseStyle();
    bool ComputeVoidElement();
    bool ComputeInlineLevel();
    bool ComputeBlockLevel();
    bool ComputeNoWrapInline();
    // Sets or clears the "selected" state as the focus rules do: offered to the listeners first.
    void ChangeSelectedState(CExtRichContentItem* item, RichWindowHandle host, bool selected);
    void ChangeSiblingsSelected(RichWindowHandle host);
    static bool NameMatches(const CExtRichContentItem* item, const RichString& name);
    static bool ChildMatches(const CExtRichContentItem* item, const RichString& text, bool bySecondText);
};
