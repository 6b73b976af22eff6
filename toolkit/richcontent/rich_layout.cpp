#include "toolkit/richcontent/rich_layout.h"

#include "toolkit/richcontent/rich_item_arena.h"
#include "toolkit/richcontent/rich_measure_cache.h"
#include "toolkit/richcontent/rich_paint_index.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_rule_pool.h"
#include "toolkit/richcontent/rich_text.h"

CExtRichContentLayout::CExtRichContentLayout(int angle) : m_nAngle(angle) {}

CExtRichContentLayout::~CExtRichContentLayout() {
    Clear(true);
    delete m_pStyleMemo;
    delete m_pRulePool;
    delete m_pStylePool;
    delete m_pMeasureCache;
    delete m_pPaintIndex;
    // Items that outlive the document keep its arena until they go.
    if (m_pItemArena) m_pItemArena->Detach();
}

CExtRichItemArena& CExtRichContentLayout::GetItemArena() {
    if (!m_pItemArena) m_pItemArena = new CExtRichItemArena(CExtRichContentItem::ArenaSlotSize());
    return *m_pItemArena;
}

CExtRichPaintIndex& CExtRichContentLayout::GetPaintIndex() {
    if (!m_pPaintIndex) m_pPaintIndex = new CExtRichPaintIndex;
    m_bPaintIndexed = true;
    return *m_pPaintIndex;
}

void CExtRichContentLayout::DropPaintIndex() {
    if (m_pPaintIndex) m_pPaintIndex->Clear();
    m_bPaintIndexed = false;
}

CExtRichRulePool& CExtRichContentLayout::GetRulePool() {
    if (!m_pRulePool) m_pRulePool = new CExtRichRulePool;
    return *m_pRulePool;
}

CExtRichMeasureCache& CExtRichContentLayout::GetMeasureCache() {
    if (!m_pMeasureCache) m_pMeasureCache = new CExtRichMeasureCache;
    return *m_pMeasureCache;
}

CExtRichStylePool& CExtRichContentLayout::GetStylePool() {
    if (!m_pStylePool) m_pStylePool = new CExtRichStylePool;
    return *m_pStylePool;
}

CExtRichStyleMemo& CExtRichContentLayout::GetStyleMemo() {
    if (!m_pStyleMemo) m_pStyleMemo = new CExtRichStyleMemo;
    return *m_pStyleMemo;
}

CExtRichContentItem* CExtRichContentLayout::GetRoot() const {
    CExtRichContentItem* head = m_listItems.GetHead();
    return head && head->IsRoot() ? head : nullptr;
}

CExtRichContentItem* CExtRichContentLayout::CreateItem(int kind, CExtRichContentItem* parent) {
    auto* item = new (this) CExtRichContentItem(this, kind);
    // Attribute items are owned by their holder, not by the document (and never searched for in
    // the document's list, which a large page makes long).
    if (parent && kind >= kRichItemAttribute && kind <= kRichItemDeclaration) {
        parent->AppendAttribute(item);
        return item;
    }
    m_listItems.AddTail(item);
    if (parent) parent->AppendChild(item);
    return item;
}

RichSize CExtRichContentLayout::MeasureText(RichDcHandle dc, const char16_t* text, int length) {
    if (!dc || !text || length == 0) return {};
    if (length < 0) {
        length = 0;
        while (text[length]) ++length;
        if (length == 0) return {};
    }
    return RichPlatform().MeasureText(dc, text, length);
}

// ---- rule holders ----

namespace {

// A key that trimming and lower-casing leave as it is (a tag name as read, mostly).
bool IsNormalKey(const RichString& key) {
    auto trimmed = [](char16_t c) {
        for (const char16_t* t = rich::kKeyTrim; *t; ++t)
            if (*t == c) return true;
        return false;
    };
    if (key.empty() || trimmed(key.front()) || trimmed(key.back())) return false;
    for (char16_t c : key)
        if (rich::ToLower(c) != c) return false;
    return true;
}

}  // namespace

CExtRichContentItem* CExtRichContentLayout::FindRuleHolder(const RichString& key) const {
    if (m_mapRuleHolders.empty()) return nullptr;
    // Every element asks with its tag name: such a key is looked up without copies.
    if (IsNormalKey(key)) {
        auto it = m_mapRuleHolders.find(key);
        return it == m_mapRuleHolders.end() ? nullptr : it->second;
    }
    const RichString normalized = rich::Lower(rich::Trim(key, rich::kKeyTrim));
    if (normalized.empty()) return nullptr;
    auto it = m_mapRuleHolders.find(normalized);
    return it == m_mapRuleHolders.end() ? nullptr : it->second;
}

void CExtRichContentLayout::ApplyRuleHolder(CExtRichContentItem* item, const RichString* key, CExtRichStyleRule& rule,
                                            const CExtRichStyleDescription& parentStyle) {
    CExtRichContentItem* holder = FindRuleHolder(key ? *key : item->GetTagName());
    if (!holder) return;
    CExtRichStyleRule collected;
    holder->CollectRule(collected, parentStyle);
    rule.MergeFrom(collected);
    for (CExtRichContentItem* state : holder->GetStateHolders()) {
        if (!state->m_states.MatchesStates(item->m_states)) continue;
        state->CollectRule(collected, parentStyle);
        rule.MergeFrom(collected);
    }
}

bool CExtRichContentLayout::HasStateRule(CExtRichContentItem* item, const RichUiStateSet& states) {
    auto holderMatches = [&](const RichString& key) {
        CExtRichContentItem* holder = FindRuleHolder(key);
        if (!holder) return false;
        for (CExtRichContentItem* state : holder->GetStateHolders())
            if (state->m_nKind == kRichItemStateHolder && state->m_states.MatchesStates(states)) return true;
        return false;
    };
    if (holderMatches(item->GetTagName())) return true;
    for (const RichString& name : item->GetClassNames())
        if (holderMatches(name)) return true;
    return false;
}

// ---- registries ----

namespace {

void RemoveKey(RichItemMap& map, const RichString& key) {
    if (!key.empty()) map.erase(key);
}
void SetKey(RichItemMap& map, const RichString& key, CExtRichContentItem* item) {
    if (!key.empty() && item) map[key] = item;
}
CExtRichContentItem* FindKey(const RichItemMap& map, const RichString& key) {
    if (key.empty()) return nullptr;
    auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

}  // namespace

void CExtRichContentLayout::RemoveUiIdSrc(const RichString& key) { RemoveKey(m_mapUiIdSrc, rich::Lower(key)); }
void CExtRichContentLayout::SetUiIdSrc(const RichString& key, CExtRichContentItem* item) {
    SetKey(m_mapUiIdSrc, rich::Lower(key), item);
}
CExtRichContentItem* CExtRichContentLayout::FindUiIdSrc(const RichString& key) const {
    return FindKey(m_mapUiIdSrc, rich::Lower(key));
}
void CExtRichContentLayout::RemoveUiIdDst(const RichString& key) { RemoveKey(m_mapUiIdDst, rich::Lower(key)); }
void CExtRichContentLayout::SetUiIdDst(const RichString& key, CExtRichContentItem* item) {
    SetKey(m_mapUiIdDst, rich::Lower(key), item);
}
CExtRichContentItem* CExtRichContentLayout::FindUiIdDst(const RichString& key) const {
    return FindKey(m_mapUiIdDst, rich::Lower(key));
}
void CExtRichContentLayout::RemoveId(const RichString& key) { RemoveKey(m_mapIds, rich::Lower(key)); }
void CExtRichContentLayout::SetId(const RichString& key, CExtRichContentItem* item) {
    SetKey(m_mapIds, rich::Lower(key), item);
}
CExtRichContentItem* CExtRichContentLayout::FindById(const RichString& key) const {
    return FindKey(m_mapIds, rich::Lower(key));
}
void CExtRichContentLayout::RemoveName(const RichString& key) { RemoveKey(m_mapNames, key); }
void CExtRichContentLayout::SetName(const RichString& key, CExtRichContentItem* item) {
    SetKey(m_mapNames, key, item);
}
CExtRichContentItem* CExtRichContentLayout::FindByName(const RichString& key) const {
    return FindKey(m_mapNames, key);
}

// ---- life cycle ----

void CExtRichContentLayout::Clear(bool destroyLocal) {
    ClearStyleSheets();
    ClearPassLists();
    m_listHeadElements.RemoveAll();
    DestroyItems();
    DestroyRuleHolders();
    if (destroyLocal) DestroyLocalContainer();
    ClearRegistrations();
}

bool CExtRichContentLayout::IsEmpty() const { return m_listItems.IsEmpty() && m_mapRuleHolders.empty(); }

void CExtRichContentLayout::ClearPassLists() {
    m_listPass.RemoveAll();
    m_listPaintMiddle.RemoveAll();
    m_listPaintPre.RemoveAll();
    m_listPaintPost.RemoveAll();
}

void CExtRichContentLayout::ClearRegistrations() {
    m_mapIds.clear();
    m_mapNames.clear();
    m_mapUiIdSrc.clear();
    m_mapUiIdDst.clear();
}

void CExtRichContentLayout::DestroyItems() {
    InvalidatePaintIndex();
    while (CExtRichContentItem* item = m_listItems.RemoveHead()) delete item;
}

void CExtRichContentLayout::DestroyRuleHolders() {
    // Holders are kept in the item list too when a reader made them there; delete each once.
    for (auto& [key, holder] : m_mapRuleHolders) {
        m_listItems.Remove(holder);
        delete holder;
    }
    m_mapRuleHolders.clear();
}

// ---- style sheets ----

void CExtRichContentLayout::ClearStyleSheets() { m_listStyleSheets.RemoveAll(); }

void CExtRichContentLayout::RebuildStyleSheets() {
    ClearStyleSheets();
    AttachDefaultStyleSheet();
    AttachSelf();
}

void CExtRichContentLayout::AttachSelf() {
    if (!IsEmpty()) m_listStyleSheets.AddTail(this);
}

int CExtRichContentLayout::GetScrollBarHeight() const { return m_nAngle ? 0 : RichPlatform().ScrollBarHeight(); }
int CExtRichContentLayout::GetScrollBarWidth() const { return m_nAngle ? 0 : RichPlatform().ScrollBarWidth(); }

void CExtRichContentLayout::ComputeStyles(RichDcHandle dc, bool force, bool recursive) {
    CExtRichContentItem* root = m_listItems.GetHead();
    if (!root) return;
    CExtRichStyleDescription start;
    start.m_font.m_lf = RichPlatform().DcFont(dc);
    start.m_font.m_lf.lfCharSet = kRichDefaultCharset;
    root->RefreshStyle(dc, start, force, recursive);
}
