#include "toolkit/richcontent/rich_item.h"

#include "toolkit/richcontent/rich_handlers.h"
#include "toolkit/richcontent/rich_item_arena.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_rule_pool.h"
#include "toolkit/richcontent/rich_table_layout.h"
#include "toolkit/richcontent/rich_text.h"

struct CExtRichContentItem::CRegisteredNames {
    RichString m_strId, m_strNameAttr, m_strUiIdSrc, m_strUiIdDst;
};

// ---- memory ----

namespace {

// Each item follows a header naming the arena it came from (null: the heap).
constexpr std::size_t kItemHeader = sizeof(void*);
static_assert(alignof(CExtRichContentItem) <= kItemHeader);
// A long page is mostly items: what only some of them use belongs in CBoxExtras.
static_assert(sizeof(CExtRichContentItem) <= 256);

void* StartItem(void* slot, CExtRichItemArena* arena) {
    *static_cast<CExtRichItemArena**>(slot) = arena;
    return static_cast<char*>(slot) + kItemHeader;
}

void FreeItemMemory(void* memory) {
    if (!memory) return;
    void* slot = static_cast<char*>(memory) - kItemHeader;
    if (CExtRichItemArena* arena = *static_cast<CExtRichItemArena**>(slot))
        arena->Free(slot);
    else
        ::operator delete(slot);
}

}  // namespace

void* CExtRichContentItem::operator new(std::size_t size, CExtRichContentLayout* doc) {
    if (!doc || size + kItemHeader > doc->GetItemArena().SlotSize()) return operator new(size);
    CExtRichItemArena& arena = doc->GetItemArena();
    return StartItem(arena.Allocate(), &arena);
}

void* CExtRichContentItem::operator new(std::size_t size) {
    return StartItem(::operator new(size + kItemHeader), nullptr);
}

void CExtRichContentItem::operator delete(void* memory, CExtRichContentLayout*) { FreeItemMemory(memory); }

void CExtRichContentItem::operator delete(void* memory) { FreeItemMemory(memory); }

void CExtRichContentItem::operator delete(CExtRichContentItem* item, std::destroying_delete_t) {
    item->~CExtRichContentItem();
    FreeItemMemory(item);
}

std::size_t CExtRichContentItem::ArenaSlotSize() { return sizeof(CExtRichContentItem) + kItemHeader; }

CExtRichContentItem::CExtRichContentItem(CExtRichContentLayout* layout, int kind, CExtRichContentItem* parent,
                                         CExtRichContentItem* prev, CExtRichContentItem* next)
    : m_pParent(parent), m_pPrev(prev), m_pNext(next), m_nKind(static_cast<std::int8_t>(kind)), m_pLayout(layout) {
    if (!prev && !next && parent) {
        const bool attribute = kind >= kRichItemAttribute && kind <= kRichItemDeclaration;
        m_pPrev = attribute ? parent->m_listAttributes.GetTail() : parent->m_listChildren.GetTail();
    }
    if (m_pPrev) m_pPrev->m_pNext = this;
    if (m_pNext) m_pNext->m_pPrev = this;
}

CExtRichContentItem::~CExtRichContentItem() {
    while (CExtRichContentItem* attribute = m_listAttributes.RemoveHead()) delete attribute;
    if (m_bRuleShared)
        CExtRichRulePool::Release(m_pRule);
    else
        delete m_pRule;
    ReleaseStyle();
    if (m_pExtras) {
        delete m_pExtras->m_pTableLayout;
        delete m_pExtras->m_pNames;
    }
    delete m_pExtras;
}

CExtRichContentItem::CBoxExtras& CExtRichContentItem::Extras() {
    if (!m_pExtras) m_pExtras = new CBoxExtras;
    return *m_pExtras;
}

namespace {
const RichItemList& EmptyItemList() {
    static const RichItemList empty;
    return empty;
}
}  // namespace

const RichItemList& CExtRichContentItem::GetDocked() const {
    return m_pExtras ? m_pExtras->m_listDocked : EmptyItemList();
}

const RichItemList& CExtRichContentItem::GetDockedFill() const {
    return m_pExtras ? m_pExtras->m_listDockedFill : EmptyItemList();
}

const RichItemList& CExtRichContentItem::GetStateHolders() const {
    return m_pExtras ? m_pExtras->m_listAux : EmptyItemList();
}

const std::vector<RichString>& CExtRichContentItem::GetClassNames() const {
    static const std::vector<RichString> none;
    return m_pExtras ? m_pExtras->m_classNames : none;
}

void CExtRichContentItem::SetScrollOffset(RichPoint offset) {
    // Whether an element scrolls decides whether the painter may pass it over.
    if (m_pLayout && offset != GetScrollOffset()) m_pLayout->InvalidatePaintIndex();
    if (m_pExtras || offset != RichPoint{}) Extras().m_ptScroll = offset;
}

void CExtRichContentItem::SetScrollRange(RichSize range) {
    if (m_pExtras || range != RichSize{}) Extras().m_sizeScrollRange = range;
}

void CExtRichContentItem::SetScrollBarHotPart(int part) {
    if (m_pExtras || part != -1) Extras().m_nScrollBarHotPart = part;
}

void CExtRichContentItem::SetScrollBarFlags(std::uint8_t flags) {
    if (m_pExtras || flags != 0) Extras().m_nScrollBarFlags = flags;
}

void CExtRichContentItem::SetListNumber(int number) {
    if (m_pExtras || number != -1) Extras().m_nListNumber = number;
}

void CExtRichContentItem::SetMarkerWidth(int width) {
    if (m_pExtras || width != -1) Extras().m_nMarkerWidth = width;
}

void CExtRichContentItem::SetCellSpans(int colSpan, int rowSpan) {
    if (!m_pExtras && colSpan == 1 && rowSpan == 1) return;
    CBoxExtras& extras = Extras();
    extras.m_nColSpan = colSpan;
    extras.m_nRowSpan = rowSpan;
}

void CExtRichContentItem::AppendChild(CExtRichContentItem* child) {
    if (m_pLayout) m_pLayout->InvalidatePaintIndex();
    child->m_pParent = this;
    child->m_pPrev = m_listChildren.GetTail();
    child->m_pNext = nullptr;
    if (child->m_pPrev) child->m_pPrev->m_pNext = child;
    m_listChildren.AddTail(child);
}

void CExtRichContentItem::AppendAttribute(CExtRichContentItem* attribute) {
    attribute->m_pParent = this;
    attribute->m_pPrev = m_listAttributes.GetTail();
    attribute->m_pNext = nullptr;
    if (attribute->m_pPrev) attribute->m_pPrev->m_pNext = attribute;
    m_listAttributes.AddTail(attribute);
}

CExtRichContentItem* CExtRichContentItem::AddAttribute(const RichString& name, const RichString& value) {
    auto* attribute = new (m_pLayout) CExtRichContentItem(m_pLayout, kRichItemAttribute, this);
    attribute->m_strName = name;
    attribute->m_strValue = value;
    m_listAttributes.AddTail(attribute);
    return attribute;
}

// ---- kinds and styles ----

bool CExtRichContentItem::IsElementOrRoot() const { return m_nKind == kRichItemElement || m_nKind == kRichItemRoot; }

void CExtRichContentItem::InvalidateStyle(bool recursive, bool style, bool rule) {
    if (m_pLayout) m_pLayout->InvalidatePaintIndex();
    if (IsElementOrRoot()) {
        if (style) {
            m_bStyleValid = false;
            if (m_bStyleShared) ReleaseStyle();  // reads give the default description again
            if (m_pStyle) {
                *m_pStyle = CExtRichStyleDescription::Default();
                m_pStyle->m_bComputed = false;
            }
        }
        if (rule) {
            m_bRuleCached = false;
            if (m_pRule) GetRule().Reset();
        }
    }
    if (recursive)
        for (CExtRichContentItem* child : m_listChildren) child->InvalidateStyle(true, style, rule);
}

CExtRichStyleRule& CExtRichContentItem::GetRule() {
    if (m_bRuleShared) {
        // A caller may change the rule: it gets a copy of its own.
        auto* own = new CExtRichStyleRule(*m_pRule);
        CExtRichRulePool::Release(m_pRule);
        m_pRule = own;
        m_bRuleShared = false;
    }
    if (!m_pRule) m_pRule = new CExtRichStyleRule;
    return *m_pRule;
}

CExtRichStyleDescription& CExtRichContentItem::GetStyle() {
    if (!IsElementOrRoot() && m_pParent) return m_pParent->GetStyle();
    if (m_bStyleShared) {
        // A caller may change the style: it gets one of its own.
        m_pStyle = CExtRichStylePool::Unshare(m_pStyle);
        m_bStyleShared = false;
    }
    if (!m_pStyle) m_pStyle = new CExtRichStyleDescription;
    return *m_pStyle;
}

void CExtRichContentItem::SetComputedStyle(const CExtRichStyleDescription& computed) {
    if (!m_pLayout) {
        GetStyle() = computed;
        return;
    }
    // Elements with equal computed styles share one (a large page has few distinct ones).
    AdoptSharedStyle(m_pLayout->GetStylePool().Acquire(computed));
}

void CExtRichContentItem::AdoptSharedStyle(const CExtRichStyleDescription* shared) {
    ReleaseStyle();
    m_pStyle = const_cast<CExtRichStyleDescription*>(shared);
    m_bStyleShared = true;
}

bool CExtRichContentItem::TakeMemoizedStyle(const CExtRichStyleDescription& parentStyle) {
    // Only pooled records never change, so only they can stand for their content in the memo:
    // the item's shared rule and its parent's shared style.
    if (!m_pLayout || !m_bRuleCached || !m_bRuleShared || !m_pRule) return false;
    if (!m_pParent || !m_pParent->m_bStyleShared || m_pParent->m_pStyle != &parentStyle) return false;
    CExtRichStyleMemo& memo = m_pLayout->GetStyleMemo();
    const CExtRichStyleDescription* shared = memo.Find(m_pRule, &parentStyle);
    if (!shared) {
        // A copy: computing may mend the rule's spans, and a pooled rule is read only.
        CExtRichStyleRule rule = *m_pRule;
        CExtRichStyleDescription computed;
        rule.ComputeDescription(parentStyle, computed);
        shared = m_pLayout->GetStylePool().Acquire(computed);
        memo.Add(m_pRule, &parentStyle, shared);
    }
    AdoptSharedStyle(shared);
    return true;
}

void CExtRichContentItem::ReleaseStyle() {
    if (m_bStyleShared)
        CExtRichStylePool::Release(m_pStyle);
    else
        delete m_pStyle;
    m_pStyle = nullptr;
    m_bStyleShared = false;
}

const CExtRichStyleDescription& CExtRichContentItem::ReadStyle() const {
    if (!IsElementOrRoot() && m_pParent) return m_pParent->ReadStyle();
    return m_pStyle ? *m_pStyle : CExtRichStyleDescription::Default();
}

// ---- visibility ----

namespace {

RichRect Shrunk(RichRect r) {
    --r.right;
    --r.bottom;
    return r;
}

bool AnyCornerIn(const RichRect& corners, const RichRect& box) {
    return box.Contains(corners.left, corners.top) || box.Contains(corners.right, corners.top) ||
           box.Contains(corners.left, corners.bottom) || box.Contains(corners.right, corners.bottom);
}

bool AllCornersIn(const RichRect& corners, const RichRect& box) {
    return box.Contains(corners.left, corners.top) && box.Contains(corners.right, corners.top) &&
           box.Contains(corners.left, corners.bottom) && box.Contains(corners.right, corners.bottom);
}

// PtInRect excludes the right and bottom edges; the corners were taken one pixel in, so compare
// against the box grown back by one.
RichRect Grown(RichRect r) {
    ++r.right;
    ++r.bottom;
    return r;
}

}  // namespace

bool CExtRichContentItem::IsVisibleInAncestors(bool shownOnly, bool anyCorner) {
    if (shownOnly) {
        for (CExtRichContentItem* a = m_pParent; a; a = a->m_pParent)
            if (a->m_nKind == kRichItemElement && !a->IsShown(false)) return false;
        return true;
    }
    const RichRect own = Shrunk(GetScreenRect());
    RichRect current = own;
    for (CExtRichContentItem* a = m_pParent; a; a = a->m_pParent) {
        if (a->m_nKind != kRichItemElement) continue;
        if (!a->IsShown(false)) return false;
        const RichRect box = Shrunk(a->GetScreenRect());
        if (!AnyCornerIn(current, Grown(box)) && !AnyCornerIn(box, Grown(current))) return false;
        if (!anyCorner) {
            const RichRect& inner = a == m_pParent ? current : own;
            if (!AllCornersIn(inner, Grown(box))) return false;
        }
        current = box;
    }
    return true;
}

bool CExtRichContentItem::IsDisplayed(bool deep) {
    if (m_nKind > kRichItemElement) return false;
    if (ReadStyle().m_nDisplay == RichCode::DisplayNone) return false;
    return !deep || IsVisibleInAncestors(true, true);
}

bool CExtRichContentItem::IsShown(bool deep) {
    if (!IsDisplayed(false)) return false;
    if (ReadStyle().m_nVisibility != RichCode::VisibilityVisible) return false;
    return !deep || IsVisibleInAncestors(false, true);
}

bool CExtRichContentItem::CanBeHovered(bool deep, bool anyCorner) {
    if (!IsShown(false)) return false;
    if (m_nKind == kRichItemElement && ReadStyle().m_uiCaps[RichUiState::Hover] != RichUiState::On) return false;
    return !deep || IsVisibleInAncestors(false, anyCorner);
}

bool CExtRichContentItem::CanBeFocused(bool deep) {
    if (m_nKind != kRichItemElement || !IsShown(false)) return false;
    if (ReadStyle().m_uiCaps[RichUiState::Focus] != RichUiState::On) return false;
    return !deep || IsVisibleInAncestors(true, true);
}

// ---- navigation ----

CExtRichContentItem* CExtRichContentItem::GetNextItem() const {
    if (CExtRichContentItem* first = m_listChildren.GetHead()) return first;
    for (const CExtRichContentItem* i = this; i; i = i->m_pParent)
        if (i->m_pNext) return i->m_pNext;
    return nullptr;
}

CExtRichContentItem* CExtRichContentItem::GetDeepestLastDescendant() const {
    const CExtRichContentItem* i = this;
    while (CExtRichContentItem* last = i->m_listChildren.GetTail()) i = last;
    return const_cast<CExtRichContentItem*>(i);
}

CExtRichContentItem* CExtRichContentItem::GetPrevItem() const {
    if (m_pPrev) return m_pPrev->GetDeepestLastDescendant();
    if (m_pParent) return m_pParent;
    return GetDeepestLastDescendant();
}

// ---- events ----

bool CExtRichContentItem::OnStatesChange(RichWindowHandle host, const RichUiStateSet& states, int value,
                                         bool recursive) {
    return m_pLayout && m_pLayout->OnStatesChange(this, host, states, value, recursive);
}
bool CExtRichContentItem::OnEvent2(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                                   RichEventArg f) {
    return m_pLayout && m_pLayout->OnEvent2(this, a, b, c, d, e, f);
}
bool CExtRichContentItem::OnSelectedChange(RichWindowHandle host, bool selected) {
    return m_pLayout && m_pLayout->OnSelectedChange(this, host, selected);
}
bool CExtRichContentItem::OnEvent4(RichEventArg a, RichEventArg b) {
    return m_pLayout && m_pLayout->OnEvent4(this, a, b);
}
bool CExtRichContentItem::OnMouseWheel(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                                       RichEventArg e, RichEventArg f) {
    if (m_pLayout && m_pLayout->OnMouseWheel(this, a, b, c, d, e, f)) return true;
    // Not handled by a listener: the item scrolls itself. The low word of b is the signed delta.
    const int delta = static_cast<std::int16_t>(static_cast<std::uint16_t>(b & 0xFFFF));
    return ScrollOnMouseWheel(delta, RichPoint{static_cast<int>(c), static_cast<int>(d)},
                              reinterpret_cast<RichWindowHandle>(f));
}
bool CExtRichContentItem::OnEvent8(RichEventArg a, RichEventArg b, RichEventArg c) {
    return m_pLayout && m_pLayout->OnEvent8(this, a, b, c);
}
bool CExtRichContentItem::OnEvent9(RichEventArg a, RichEventArg b, RichEventArg c) {
    return m_pLayout && m_pLayout->OnEvent9(this, a, b, c);
}
bool CExtRichContentItem::OnEvent10(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                                    RichEventArg f) {
    return m_pLayout && m_pLayout->OnEvent10(this, a, b, c, d, e, f);
}
bool CExtRichContentItem::OnEvent11(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d, RichEventArg e,
                                    RichEventArg f) {
    return m_pLayout && m_pLayout->OnEvent11(this, a, b, c, d, e, f);
}
bool CExtRichContentItem::OnEvent12(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                                    RichEventArg e) {
    return m_pLayout && m_pLayout->OnEvent12(this, a, b, c, d, e);
}
bool CExtRichContentItem::OnEvent13(RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                                    RichEventArg e) {
    return m_pLayout && m_pLayout->OnEvent13(this, a, b, c, d, e);
}

void CExtRichContentItem::ChangeSelectedState(CExtRichContentItem* item, RichWindowHandle host, bool selected) {
    const RichUiStateSet set = RichUiStateSet::With(RichUiState::Selected);
    const int value = selected ? RichUiState::On : RichUiState::Unset;
    if (!item->OnStatesChange(host, set, value, true)) item->SetStates(set, value, true);
}

void CExtRichContentItem::ChangeSiblingsSelected(RichWindowHandle host) {
    if (!m_pParent) return;
    for (CExtRichContentItem* sibling : m_pParent->m_listChildren) {
        if (sibling == this || sibling->m_nKind != m_nKind || !rich::EqualNoCase(sibling->m_strName, m_strName))
            continue;
        if (!sibling->CanBeFocused(true)) continue;
        sibling->OnSelectedChange(host, false);
        ChangeSelectedState(sibling, host, false);
    }
}

bool CExtRichContentItem::OnFocusEnter(RichWindowHandle host, RichEventArg x) {
    const CExtRichStyleDescription& style = ReadStyle();
    if (style.m_nFocusEnsureVisibility == 2) ScrollParentsToShow(true, true, true, true, true);
    const bool makeSelected = style.m_nFocusOnMakeSelected == RichCode::SwitchOn;
    const bool unselectSiblings = style.m_nFocusOnMakeUnselectedSibling == RichCode::SwitchOn;
    if (makeSelected) {
        OnSelectedChange(host, true);
        ChangeSelectedState(this, host, true);
    }
    if (unselectSiblings) ChangeSiblingsSelected(host);
    return m_pLayout && m_pLayout->OnFocusEnter(this, host, x);
}

bool CExtRichContentItem::OnFocusLeave(RichWindowHandle host, RichEventArg x) {
    const CExtRichStyleDescription& style = ReadStyle();
    const bool unselect = style.m_nFocusOffMakeUnselected == RichCode::SwitchOn;
    const bool unselectSiblings = style.m_nFocusOffMakeUnselectedSibling == RichCode::SwitchOn;
    if (unselect) {
        OnSelectedChange(host, false);
        ChangeSelectedState(this, host, false);
    }
    if (unselectSiblings) ChangeSiblingsSelected(host);
    return m_pLayout && m_pLayout->OnFocusLeave(this, host, x);
}

// ---- states ----

bool CExtRichContentItem::MatchStateRule(const RichUiStateSet& states) {
    if (states.IsEmpty() || !m_pLayout) return false;
    for (CExtRichContentLayout* sheet : m_pLayout->m_listStyleSheets)
        if (sheet->HasStateRule(this, states)) return true;
    return false;
}

bool CExtRichContentItem::SetStates(const RichUiStateSet& states, int value, bool recursive) {
    if (states.IsEmpty()) return true;
    return SetStatesRecursive(states, value, recursive);
}

bool CExtRichContentItem::SetStatesRecursive(const RichUiStateSet& states, int value, bool recursive) {
    if (m_nKind <= kRichItemElement) m_states.SetFlagged(states, value);
    if (recursive)
        for (CExtRichContentItem* child : m_listChildren)
            if (child->m_nKind == kRichItemElement) child->SetStatesRecursive(states, value, true);
    return true;
}

RichRect CExtRichContentItem::GetScreenRect() {
    RichRect r = m_rcItem;
    const int position = GetEffectivePosition();
    if (position != RichCode::PositionRelative && position != RichCode::PositionStatic) return r;
    for (CExtRichContentItem* a = m_pParent; a; a = a->m_pParent) {
        const RichPoint scroll = a->GetScrollOffset();
        r.left -= scroll.x;
        r.right -= scroll.x;
        r.top -= scroll.y;
        r.bottom -= scroll.y;
        const int p = a->GetEffectivePosition();
        if (p == RichCode::PositionAbsolute || p == RichCode::PositionFixed) break;
    }
    return r;
}

// ---- registrations ----

namespace {
const RichString& NoName() {
    static const RichString empty;
    return empty;
}
}  // namespace

const CExtRichContentItem::CRegisteredNames* CExtRichContentItem::FindNames() const {
    return m_pExtras ? m_pExtras->m_pNames : nullptr;
}

CExtRichContentItem::CRegisteredNames& CExtRichContentItem::Names() {
    CBoxExtras& extras = Extras();
    if (!extras.m_pNames) extras.m_pNames = new CRegisteredNames;
    return *extras.m_pNames;
}

const RichString& CExtRichContentItem::RegisteredName(RichString CRegisteredNames::*field) const {
    const CRegisteredNames* names = FindNames();
    return names ? names->*field : NoName();
}

const RichString& CExtRichContentItem::GetUiIdSrc() const { return RegisteredName(&CRegisteredNames::m_strUiIdSrc); }
const RichString& CExtRichContentItem::GetUiIdDst() const { return RegisteredName(&CRegisteredNames::m_strUiIdDst); }
const RichString& CExtRichContentItem::GetId() const { return RegisteredName(&CRegisteredNames::m_strId); }
const RichString& CExtRichContentItem::GetNameAttr() const { return RegisteredName(&CRegisteredNames::m_strNameAttr); }

void CExtRichContentItem::SetUiIdSrc(const RichString& text) {
    CRegisteredNames& names = Names();
    if (m_pLayout && !names.m_strUiIdSrc.empty()) m_pLayout->RemoveUiIdSrc(names.m_strUiIdSrc);
    names.m_strUiIdSrc = text;
    if (m_pLayout) m_pLayout->SetUiIdSrc(names.m_strUiIdSrc, this);
}

void CExtRichContentItem::SetUiIdDst(const RichString& text) {
    CRegisteredNames& names = Names();
    if (m_pLayout && !names.m_strUiIdDst.empty()) m_pLayout->RemoveUiIdDst(names.m_strUiIdDst);
    names.m_strUiIdDst = text;
    if (m_pLayout) m_pLayout->SetUiIdDst(names.m_strUiIdDst, this);
}

void CExtRichContentItem::SetId(const RichString& text) {
    CRegisteredNames& names = Names();
    if (m_pLayout && !names.m_strId.empty()) m_pLayout->RemoveId(names.m_strId);
    names.m_strId = text;
    if (m_pLayout) m_pLayout->SetId(names.m_strId, this);
}

void CExtRichContentItem::SetNameAttr(const RichString& text) {
    CRegisteredNames& names = Names();
    if (m_pLayout && !names.m_strNameAttr.empty()) m_pLayout->RemoveName(names.m_strNameAttr);
    names.m_strNameAttr = text;
    if (m_pLayout) m_pLayout->SetName(names.m_strNameAttr, this);
}

RichString CExtRichContentItem::GetTagName() const {
    return m_nKind == kRichItemElement ? rich::Lower(m_strName) : RichString();
}

// ---- rule collection and style ----

void CExtRichContentItem::CollectRule(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle) {
    rule.Reset();
    if (m_bRuleCached && m_pRule) {
        rule = *m_pRule;
        return;
    }
    ApplyAttributesAndDeclarations(rule, parentStyle);
    m_bRuleCached = true;
    if (!m_pLayout) {
        GetRule() = rule;
        return;
    }
    // Items of a document share equal rules (most elements of a large page carry one of a few).
    CExtRichStyleRule* shared = const_cast<CExtRichStyleRule*>(m_pLayout->GetRulePool().Acquire(rule));
    if (m_bRuleShared)
        CExtRichRulePool::Release(m_pRule);
    else
        delete m_pRule;
    m_pRule = shared;
    m_bRuleShared = true;
}

void CExtRichContentItem::ApplyAttributesAndDeclarations(CExtRichStyleRule& rule,
                                                         const CExtRichStyleDescription& parentStyle) {
    ApplyHtmlAttributes(rule, parentStyle);
    ApplyCssDeclarations(rule, parentStyle);
}

void CExtRichContentItem::ApplyHtmlAttributes(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle) {
    if (m_nKind != kRichItemStateHolder && m_pLayout)
        for (CExtRichContentLayout* sheet : m_pLayout->m_listStyleSheets)
            sheet->ApplyRuleHolder(this, nullptr, rule, parentStyle);
    // A handler may add attributes (never remove them): walk by position.
    for (RichPosition pos = m_listAttributes.GetHeadPosition(); pos;) {
        CExtRichContentItem* attribute = m_listAttributes.GetNext(pos);
        if (RichStyleHandler handler = RichFindHtmlAttributeHandler(rich::Lower(attribute->m_strName)))
            handler(this, attribute, rule, parentStyle);
    }
}

void CExtRichContentItem::ApplyCssDeclarations(CExtRichStyleRule& rule, const CExtRichStyleDescription& parentStyle) {
    const RichString style = u"style";
    RichPosition pos = nullptr;
    for (CExtRichContentItem* attribute = FindFirstAttribute(pos, style); attribute;
         attribute = FindNextAttribute(pos, style)) {
        for (CExtRichContentItem* declaration : attribute->m_listAttributes) {
            if (declaration->m_nKind != kRichItemDeclaration) continue;
            rich::MakeLower(declaration->m_strName);
            if (RichStyleHandler handler = RichFindCssPropertyHandler(declaration->m_strName))
                handler(this, declaration, rule, parentStyle);
        }
    }
}

const CExtRichStyleDescription& CExtRichContentItem::RefreshStyle(RichDcHandle dc,
                                                                  const CExtRichStyleDescription& parentStyle,
                                                                  bool force, bool recursive) {
    if (!IsElementOrRoot()) return ReadStyle();
    if (force) m_bStyleValid = false;
    if (!m_bStyleValid) {
        if (m_pLayout) m_pLayout->InvalidatePaintIndex();
        CExtRichStyleRule rule;
        const bool collected = !(m_bRuleCached && m_pRule);
        if (collected) CollectRule(rule, parentStyle);
        if (!TakeMemoizedStyle(parentStyle)) {
            if (!collected) CollectRule(rule, parentStyle);
            CExtRichStyleDescription computed;
            rule.ComputeDescription(parentStyle, computed);
            SetComputedStyle(computed);
        }
        m_bStyleValid = true;
    }
    const CExtRichStyleDescription& style = ReadStyle();
    if (recursive)
        for (CExtRichContentItem* child : m_listChildren) child->RefreshStyle(dc, style, force, true);
    return style;
}

// ---- classification ----

bool CExtRichContentItem::Cached(std::uint8_t known, std::uint8_t value, bool (CExtRichContentItem::*compute)()) {
    if (!(m_nCacheFlags & known)) {
        const bool answer = (this->*compute)();
        m_nCacheFlags |= known;
        if (answer) m_nCacheFlags |= value;
    }
    return (m_nCacheFlags & value) != 0;
}

bool CExtRichContentItem::IsVoidElement() {
    return Cached(kVoidKnown, kVoidValue, &CExtRichContentItem::ComputeVoidElement);
}
bool CExtRichContentItem::IsInlineLevel() {
    return Cached(kInlineKnown, kInlineValue, &CExtRichContentItem::ComputeInlineLevel);
}
bool CExtRichContentItem::IsBlockLevel() {
    return Cached(kBlockKnown, kBlockValue, &CExtRichContentItem::ComputeBlockLevel);
}
bool CExtRichContentItem::IsNoWrapInline() {
    return Cached(kNoWrapKnown, kNoWrapValue, &CExtRichContentItem::ComputeNoWrapInline);
}
bool CExtRichContentItem::IsBlockContainer() { return !IsInlineLevel() && !IsBlockLevel(); }

bool CExtRichContentItem::ComputeVoidElement() {
    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace || m_nKind == kRichItemRoot) return false;
    // Markup declarations are void as well; names compare without regard to case (and without a
    // lower-cased copy: every element of a page asks).
    static const char* const kVoid[] = {"br", "hr", "meta", "link", "![if", "![endif]", "!--", "!doctype"};
    if (m_strName.empty() || m_strName.size() > 8) return false;
    for (const char* name : kVoid)
        if (rich::EqualsAscii(m_strName, name)) return true;
    return false;
}

bool CExtRichContentItem::ComputeInlineLevel() {
    if (m_nKind > kRichItemElement) return true;
    if (m_nKind != kRichItemElement) return false;
    const int display = GetEffectiveDisplay();
    return display == RichCode::DisplayInline || display == RichCode::DisplayNone;
}

bool CExtRichContentItem::ComputeBlockLevel() {
    if (m_nKind == kRichItemRoot) return true;
    if (m_nKind != kRichItemElement) return false;
    switch (GetEffectiveDisplay()) {
    case RichCode::DisplayBlock:
    case RichCode::DisplayListItem:
    case RichCode::DisplayRunIn:
    case RichCode::DisplayTableCaption:
    case RichCode::DisplayTableCell:
    case RichCode::DisplayUiDock:
        return true;
    default:
        return false;
    }
}

bool CExtRichContentItem::ComputeNoWrapInline() {
    return IsInlineLevel() && ReadStyle().m_nWhiteSpace == RichCode::WhiteSpaceNoWrap;
}

int CExtRichContentItem::GetEffectiveDisplay() {
    if (m_nKind > kRichItemElement) return RichCode::DisplayNone;
    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace) return RichCode::DisplayInline;
    int display = ReadStyle().m_nDisplay;
    if (display == RichCode::DisplayInherit) display = RichCode::DisplayInline;
    const int position = GetEffectivePosition();
    if (position == RichCode::PositionAbsolute || position == RichCode::PositionFixed)
        return display == RichCode::DisplayTable || display == RichCode::DisplayInlineTable ? RichCode::DisplayTable
                                                                                               : RichCode::DisplayBlock;
    return display;
}

int CExtRichContentItem::GetEffectivePosition() {
    return IsElementOrRoot() ? ReadStyle().m_nPosition : RichCode::PositionStatic;
}

int CExtRichContentItem::GetEffectiveVisibility() {
    if (m_nKind > kRichItemElement) return RichCode::VisibilityHidden;
    const int visibility = ReadStyle().m_nVisibility;
    return visibility == RichCode::VisibilityInherit ? RichCode::VisibilityVisible : visibility;
}

void CExtRichContentItem::NormalizeValueSpaces() {
    rich::TrimInPlace(m_strValue, u" ");
    for (std::size_t at; (at = m_strValue.find(u"  ")) != RichString::npos;) m_strValue.erase(at, 1);
}

int CExtRichContentItem::GetScrollBarHeight() const { return m_pLayout ? m_pLayout->GetScrollBarHeight() : 0; }
int CExtRichContentItem::GetScrollBarWidth() const { return m_pLayout ? m_pLayout->GetScrollBarWidth() : 0; }

// ---- lookups ----

bool CExtRichContentItem::NameMatches(const CExtRichContentItem* item, const RichString& name) {
    return rich::EqualNoCase(item->m_strName, name);
}

bool CExtRichContentItem::ChildMatches(const CExtRichContentItem* item, const RichString& text, bool bySecondText) {
    return rich::EqualNoCase(bySecondText ? item->m_strText : item->m_strName, text);
}

CExtRichContentItem* CExtRichContentItem::FindAttribute(const RichString& name) const {
    if (name.empty() || m_listAttributes.IsEmpty()) return nullptr;
    const bool fromTail = m_nKind == kRichItemStyleAttribute || m_nKind == kRichItemStateHolder;
    RichPosition pos = fromTail ? m_listAttributes.GetTailPosition() : m_listAttributes.GetHeadPosition();
    while (pos) {
        CExtRichContentItem* item = fromTail ? m_listAttributes.GetPrev(pos) : m_listAttributes.GetNext(pos);
        if (NameMatches(item, name)) return item;
    }
    return nullptr;
}

CExtRichContentItem* CExtRichContentItem::FindFirstAttribute(RichPosition& position, const RichString& name) const {
    position = m_listAttributes.GetHeadPosition();
    return FindNextAttribute(position, name);
}

CExtRichContentItem* CExtRichContentItem::FindNextAttribute(RichPosition& position, const RichString& name) const {
    if (name.empty()) {
        position = nullptr;
        return nullptr;
    }
    while (position) {
        CExtRichContentItem* item = m_listAttributes.GetNext(position);
        if (NameMatches(item, name)) return item;
    }
    return nullptr;
}

CExtRichContentItem* CExtRichContentItem::FindChild(const RichString& text, bool bySecondText) const {
    RichPosition pos = nullptr;
    return FindFirstChild(pos, text, bySecondText);
}

CExtRichContentItem* CExtRichContentItem::FindFirstChild(RichPosition& position, const RichString& text,
                                                         bool bySecondText) const {
    position = m_listChildren.GetHeadPosition();
    return FindNextChild(position, text, bySecondText);
}

CExtRichContentItem* CExtRichContentItem::FindNextChild(RichPosition& position, const RichString& text,
                                                        bool bySecondText) const {
    if (text.empty()) {
        position = nullptr;
        return nullptr;
    }
    while (position) {
        CExtRichContentItem* item = m_listChildren.GetNext(position);
        if (ChildMatches(item, text, bySecondText)) return item;
    }
    return nullptr;
}
