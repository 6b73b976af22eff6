// A rich-content document: the item tree made by the readers, the style-sheet rule holders, the
// registries of items by id and name, and the call arguments of the drawing path that made it.
// A document is also an event broadcaster: its items report their events through it.
#pragma once

#include "toolkit/richcontent/rich_events.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_ptr_list.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstdint>
#include <unordered_map>

class CExtRichDocObjectBase;
class RichBitmap;
class CExtRichDocObjectContainer;
class CExtRichItemArena;
class CExtRichMeasureCache;
class CExtRichPaintIndex;
class CExtRichRulePool;
class CExtRichStylePool;
class CExtRichStyleMemo;

// What a text is.
enum RichTextKind : int {
    kRichTextDetect = 0,
    kRichTextHtml = 1,
    kRichTextCss = 2,
    kRichTextPlain = 3,
};

using RichItemMap = std::unordered_map<RichString, CExtRichContentItem*>;
using RichLayoutList = RichPtrList<CExtRichContentLayout>;

class CExtRichContentLayout : public CExtRichContentEventsBroadcast {
public:
    // An empty document for text drawn at an angle (0, 90, 180 or 270 degrees).
    explicit CExtRichContentLayout(int angle = 0);
    // A document that reads a text of a kind at once.
    CExtRichContentLayout(const char16_t* text, int kind, int angle);
    ~CExtRichContentLayout() override;

    // Extent of a text in the device context's font; (0, 0) without a DC or text. A negative
    // length runs to the terminating zero.
    virtual RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length);

    // Rule holders of the style sheets. A selector gives the holder that receives its rule's
    // declarations (the base holder or a new state holder), null when it is rejected.
    virtual CExtRichContentItem* ParseSelector(const RichString& selector);
    virtual CExtRichContentItem* FindRuleHolder(const RichString& key) const;
    // Merges the holder's declarations for the key (null: the item's tag name) and those of its
    // state holders that match the item's states into the rule.
    virtual void ApplyRuleHolder(CExtRichContentItem* item, const RichString* key, CExtRichStyleRule& rule,
                                 const CExtRichStyleDescription& parentStyle);
    // Whether a holder of the item's tag or class names has a state holder matching the states.
    virtual bool HasStateRule(CExtRichContentItem* item, const RichUiStateSet& states);

    // Registries. Id and the two uiid registries fold the key to lower case; names are kept as given.
    virtual void RemoveUiIdSrc(const RichString& key);
    virtual void SetUiIdSrc(const RichString& key, CExtRichContentItem* item);
    virtual CExtRichContentItem* FindUiIdSrc(const RichString& key) const;
    virtual void RemoveUiIdDst(const RichString& key);
    virtual void SetUiIdDst(const RichString& key, CExtRichContentItem* item);
    virtual CExtRichContentItem* FindUiIdDst(const RichString& key) const;
    virtual void RemoveId(const RichString& key);
    virtual void SetId(const RichString& key, CExtRichContentItem* item);
    virtual CExtRichContentItem* FindById(const RichString& key) const;
    virtual void RemoveName(const RichString& key);
    virtual void SetName(const RichString& key, CExtRichContentItem* item);
    virtual CExtRichContentItem* FindByName(const RichString& key) const;

    // Back to the empty document; the local object container is kept unless asked.
    virtual void Clear(bool destroyLocal);
    virtual bool IsEmpty() const;

    // Document objects (images, style sheets).
    virtual CExtRichDocObjectContainer* GetLocalContainer();
    virtual CExtRichDocObjectContainer* GetGlobalContainer();
    // An object of this document's own container, else of the process-wide one.
    virtual CExtRichDocObjectBase* FindObject(const RichString& name);
    // The image object of that name (local, then process-wide), or null.
    CExtRichDocObjectBase* FindImageObject(const RichString& name);
    // Its bitmap unless that is empty; null for a missing image or an object of another class.
    virtual RichBitmap* FindImage(const RichString& name);

    // The documents whose rules apply to this one.
    virtual void ClearStyleSheets();
    virtual void RebuildStyleSheets();
    virtual bool AttachStyleSheet(const RichString& name, bool global, bool local);
    virtual void AttachSelf();
    virtual void AttachDefaultStyleSheet();
    virtual void AttachAllStyleSheets(bool local, bool global, bool self);

    // Reads a text of a kind; a document parsed as CSS holds only rule holders.
    virtual bool Parse(const char16_t* text, int kind, unsigned dtFlags, unsigned extraFlags, bool clear);
    virtual bool ParseCss(const char16_t* text, bool clear);
    // Reads a plain caption into one paragraph of runs (document kind 3): words, space runs,
    // tabs, line breaks and "&" mnemonics as the DT_* flags say. Always true.
    virtual bool ParsePlainText(const char16_t* text, unsigned dtFlags, unsigned extraFlags, bool clear);
    // Reads HTML into the item tree; false when a markup fault was counted (the tree is built
    // all the same).
    virtual bool ParseHtml(const char16_t* text, bool clear);
    // Whether a document object of that name (own container first) holds a style sheet.
    virtual bool IsStyleSheetDefined(const RichString& name);
    // Attaches the style sheets the link elements name; the number of links left unattached.
    virtual int ResolveLinkedStyleSheets(bool global, bool local);
    virtual void ParseStyleSheet(const RichString& text);

    // CSS values: lengths in device pixels, colours, character references.
    virtual int ParseLength(const RichString& text, bool horizontal, const CExtRichStyleDescription& reference,
                            int defaultValue, double* fraction = nullptr, bool* isPercent = nullptr,
                            bool* noUnit = nullptr, bool allowNegative = false);
    virtual RichColor ParseColor(const RichString& text, RichColor defaultColor);
    virtual int PxToPixels(double value, bool horizontal);
    virtual int PtToPixels(double value, bool horizontal);
    virtual int CmToPixels(double value, bool horizontal);
    virtual int EmToPixels(double value, const CExtRichStyleDescription& reference);
    virtual int QemToPixels(double value, const CExtRichStyleDescription& reference);
    virtual int PercentToPixels(double value, const CExtRichStyleDescription& reference);
    virtual int InToPixels(double value, bool horizontal);
    virtual int MmToPixels(double value, bool horizontal);
    virtual int ExToPixels(double value, const CExtRichStyleDescription& reference);
    virtual int PcToPixels(double value, bool horizontal);
    virtual char16_t DecodeEntity(const RichString& name);

    virtual int GetScrollBarHeight() const;
    virtual int GetScrollBarWidth() const;

    // Lays the document out in the rectangle (styles, measuring and the layout pass); nothing
    // without items. Positioned items are kept in m_listPass, relatively positioned ones in
    // m_listPaintMiddle, for the painter.
    virtual void Layout(RichDcHandle dc, const RichRect& rect);
    // Computes every element's style from the root down, the DC's font as the starting font.
    virtual void ComputeStyles(RichDcHandle dc, bool force, bool recursive);

    // Paints the laid-out document (Windows only): the root's PaintDocument, nothing without items.
    void Paint(RichDcHandle dc, const RichRect& clip, RichPoint offset = RichPoint{});
    // Draws one run's text at (x, y) in the DC's font and colours, themed or disabled as the
    // stored call arguments ask; a negative length runs to the terminating zero.
    bool DrawTextRun(RichDcHandle dc, int x, int y, const char16_t* text, int length);

    void ClearPassLists();
    void DestroyLocalContainer();
    void ClearRegistrations();
    void DestroyItems();
    void DestroyRuleHolders();

    // The root: the first top-level item, when it is one.
    CExtRichContentItem* GetRoot() const;
    // A new item owned by this document (appended to m_listItems).
    CExtRichContentItem* CreateItem(int kind, CExtRichContentItem* parent = nullptr);

    bool m_bCaptionDocument = false;
    // A page of the browser control (CExtRichPageLayout): HTML tables and font sizes follow
    // what browsers make of them.
    bool m_bPageDocument = false;
    int m_nDrawTextFlags = 0;
    int m_nExtraFlags = 0;
    int m_nSpareInt = 0;
    int m_nLineHeight = 0;  // a plain caption's line height (the DC font's tmHeight)
    RichWindowHandle m_hWndTheme = nullptr;
    const char16_t* m_strThemeClassList = nullptr;  // not owned
    int m_nThemeOpenFlags = 0, m_nPartID = 0, m_nStateID = 0;
    void* m_pThemeTextOptions = nullptr;
    void* m_pDrawStateData = nullptr;
    CExtRichDocObjectContainer* m_pLocalContainer = nullptr;  // owned
    int m_nDocKind = kRichTextDetect;
    int m_nAngle;
    RichItemList m_listItems;  // owned, root first
    RichItemList m_listHeadElements;
    RichItemList m_listPass;
    RichItemList m_listPaintMiddle;
    RichItemList m_listPaintPre;
    RichItemList m_listPaintPost;
    RichItemMap m_mapRuleHolders;  // owned values
    RichItemMap m_mapIds, m_mapNames, m_mapUiIdSrc, m_mapUiIdDst;
    RichString m_strTabText = u"    ";
    std::uint8_t m_nLayoutOptions = 0x06;
    RichRect m_rcLayout;
    RichLayoutList m_listStyleSheets;

    // The collected rules and computed styles the items of this document share (made on first use).
    CExtRichRulePool& GetRulePool();
    CExtRichStylePool& GetStylePool();
    // The computed styles made from those, by rule and parent style (made on first use).
    CExtRichStyleMemo& GetStyleMemo();
    // The run measures of the current measuring pass (made on first use).
    CExtRichMeasureCache& GetMeasureCache();
    // The memory of this document's items (made on first use).
    CExtRichItemArena& GetItemArena();
    // Where the painter may pass over runs of children (made on first use, see rich_paint_index.h).
    CExtRichPaintIndex& GetPaintIndex();
    // Drops that index: a child was appended, or items were restyled, laid out, moved, scrolled or destroyed.
    void InvalidatePaintIndex() {
        if (m_bPaintIndexed) DropPaintIndex();
    }

private:
    CExtRichRulePool* m_pRulePool = nullptr;        // owned
    CExtRichStylePool* m_pStylePool = nullptr;      // owned
    CExtRichStyleMemo* m_pStyleMemo = nullptr;      // owned
    CExtRichMeasureCache* m_pMeasureCache = nullptr;  // owned
    CExtRichItemArena* m_pItemArena = nullptr;        // owned until detached
    CExtRichPaintIndex* m_pPaintIndex = nullptr;      // owned
    bool m_bPaintIndexed = false;                     // m_pPaintIndex may hold chunks
    void DropPaintIndex();
};

// The text-kind detector of the drawing entry; without one, a text of kind 0 is not read.
extern int (*g_pfnDetectRichTextKind)(const char16_t* text, int length);
// 1 (HTML) for a text whose first "<" starts the html tag, else 3 (plain).
int DetectRichTextKind(const char16_t* text, int length);
// 0, 90, 180 or 270: the nearest quarter turn of an angle in degrees (ties turn forward).
int NormalizeTextAngle(int angle);
extern int (*g_pfnNormalizeTextAngle)(int angle);

// The deepest element nesting the HTML reader builds: style, layout and painting walk the tree
// recursively, so deeper markup is flattened (its elements placed without nesting further).
inline constexpr int kRichHtmlMaxDepth = 256;

// Names of the process-wide style sheet and containers.
inline constexpr char16_t kRichDefaultCssName[] = u"$-default-css-$";
