#include "toolkit/richcontent/rich_doc_objects.h"

#include "toolkit/richcontent/rich_text.h"

// ---- bitmap ----

bool RichBitmap::Create(int cx, int cy) {
    Empty();
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return false;
    m_pixels.assign(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), 0);
    m_size = RichSize{cx, cy};
    return true;
}

void RichBitmap::Empty() {
    m_pixels.clear();
    m_size = RichSize{};
}

std::uint32_t RichBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_size.cx || y >= m_size.cy) return 0;
    return m_pixels[static_cast<std::size_t>(y) * m_size.cx + x];
}

void RichBitmap::SetPixel(int x, int y, std::uint32_t bgra) {
    if (x < 0 || y < 0 || x >= m_size.cx || y >= m_size.cy) return;
    m_pixels[static_cast<std::size_t>(y) * m_size.cx + x] = bgra;
}

// ---- objects and containers ----

CExtRichDocObjectBase::CExtRichDocObjectBase(const RichString& name) : m_strName(NormalizeName(name)) {}

RichString CExtRichDocObjectBase::NormalizeName(const RichString& name) {
    return rich::Trim(rich::Lower(name), rich::kKeyTrim);
}

CExtRichDocObjectBase* CExtRichDocObjectContainer::Find(const RichString& name) const {
    const RichString key = NormalizeName(name);
    if (key.empty()) return nullptr;
    auto it = m_mapObjects.find(key);
    return it == m_mapObjects.end() ? nullptr : it->second.get();
}

bool CExtRichDocObjectContainer::Add(CExtRichDocObjectBase* object, bool replace) {
    std::unique_ptr<CExtRichDocObjectBase> owned(object);
    if (!owned) return false;
    const RichString key = NormalizeName(owned->GetName());
    if (key.empty()) return false;
    auto it = m_mapObjects.find(key);
    if (it != m_mapObjects.end()) {
        if (!replace) return false;
        it->second = std::move(owned);
        return true;
    }
    m_mapObjects.emplace(key, std::move(owned));
    return true;
}

bool CExtRichDocObjectContainer::Remove(const RichString& name) {
    const RichString key = NormalizeName(name);
    return !key.empty() && m_mapObjects.erase(key) != 0;
}

RichPosition CExtRichDocObjectContainer::GetStartPosition() const {
    return m_mapObjects.empty() ? nullptr : const_cast<RichString*>(&m_mapObjects.begin()->first);
}

CExtRichDocObjectBase* CExtRichDocObjectContainer::GetNext(RichPosition& position) const {
    // A position is the key of the next object (map keys stay where they are while others come
    // and go).
    if (!position) return nullptr;
    auto it = m_mapObjects.find(*static_cast<const RichString*>(position));
    if (it == m_mapObjects.end()) {
        position = nullptr;
        return nullptr;
    }
    CExtRichDocObjectBase* object = it->second.get();
    ++it;
    position = it == m_mapObjects.end() ? nullptr : const_cast<RichString*>(&it->first);
    return object;
}

bool CExtRichDocObjectLayoutKeeper::Parse(const RichString& text, int kind, unsigned dtFlags, unsigned extraFlags,
                                          bool clear) {
    m_layout.Clear(clear);
    m_strText.clear();
    if (text.empty()) {
        m_layout.m_nDocKind = kind;
        return true;
    }
    m_strText = text;
    return m_layout.Parse(m_strText.c_str(), kind, dtFlags, extraFlags, clear);
}

CExtRichContentLayout* CExtRichDocObjectLayoutKeeper::GetStyleSheet() {
    return m_layout.m_nDocKind == kRichTextCss && !m_layout.IsEmpty() ? &m_layout : nullptr;
}

namespace {

// The default style sheet of every document: what HTML elements are by tag (blocks, lists,
// tables) and the faces of the phrase elements. Kept small: captions are laid out with it.
constexpr char16_t kRichDefaultCss[] =
    u"html, body, p, div, br, ul, ol, dl, dt, dd, h1, h2, h3, h4, h5, h6, pre, blockquote, center, hr, "
    u"address { display: block }\n"
    u"li { display: list-item }\n"
    u"table { display: table } tr { display: table-row } td, th { display: table-cell }\n"
    u"thead { display: table-header-group } tbody { display: table-row-group } "
    u"tfoot { display: table-footer-group } caption { display: table-caption }\n"
    u"b, strong, th { font-weight: bold }\n"
    u"i, em, cite, var, dfn { font-style: italic }\n"
    u"u, ins { text-decoration: underline }\n"
    u"s, strike, del { text-decoration: line-through }\n"
    u"pre { white-space: pre }\n"
    u"center { text-align: center }\n";

}  // namespace

CExtRichDocObjectContainer& RichGlobalContainer() {
    static CExtRichDocObjectContainerGlobal g_container;
    // Seeded once with the default style sheet, parsed before it is added so that reading it
    // never reaches back here.
    static const bool seeded = [] {
        auto* keeper = new CExtRichDocObjectLayoutKeeper(kRichDefaultCssName);
        keeper->Parse(kRichDefaultCss, kRichTextCss);
        g_container.Add(keeper, true);
        return true;
    }();
    (void)seeded;
    return g_container;
}

CExtRichDocObjectContainer* CExtRichContentLayout::GetLocalContainer() {
    if (!m_pLocalContainer) m_pLocalContainer = new CExtRichDocObjectContainer(u"$-object-container-local-$");
    return m_pLocalContainer;
}

CExtRichDocObjectContainer* CExtRichContentLayout::GetGlobalContainer() { return &RichGlobalContainer(); }

CExtRichDocObjectBase* CExtRichContentLayout::FindObject(const RichString& name) {
    if (CExtRichDocObjectBase* object = GetLocalContainer()->Find(name)) return object;
    return GetGlobalContainer()->Find(name);
}

void CExtRichContentLayout::DestroyLocalContainer() {
    delete m_pLocalContainer;
    m_pLocalContainer = nullptr;
}

bool CExtRichContentLayout::AttachStyleSheet(const RichString& name, bool global, bool local) {
    CExtRichDocObjectContainer* containers[] = {global ? GetGlobalContainer() : nullptr,
                                                local ? GetLocalContainer() : nullptr};
    for (CExtRichDocObjectContainer* container : containers) {
        if (!container) continue;
        CExtRichDocObjectBase* object = container->Find(name);
        if (!object || !object->IsLayoutKeeper()) continue;
        auto* keeper = static_cast<CExtRichDocObjectLayoutKeeper*>(object);
        if (keeper->GetLayout().m_nDocKind != kRichTextCss) continue;
        if (!keeper->GetLayout().IsEmpty()) m_listStyleSheets.AddTail(&keeper->GetLayout());
        return true;
    }
    return false;
}

void CExtRichContentLayout::AttachDefaultStyleSheet() { AttachStyleSheet(kRichDefaultCssName, true, false); }

void CExtRichContentLayout::AttachAllStyleSheets(bool local, bool global, bool self) {
    CExtRichDocObjectContainer* containers[] = {global ? GetGlobalContainer() : nullptr,
                                                local ? GetLocalContainer() : nullptr};
    for (CExtRichDocObjectContainer* container : containers) {
        if (!container) continue;
        for (const auto& [key, object] : container->Objects()) {
            if (!object->IsLayoutKeeper()) continue;
            if (CExtRichContentLayout* sheet = static_cast<CExtRichDocObjectLayoutKeeper*>(object.get())->GetStyleSheet())
                m_listStyleSheets.AddTail(sheet);
        }
    }
    if (self) AttachSelf();
}

CExtRichDocObjectBase* CExtRichContentLayout::FindImageObject(const RichString& name) {
    CExtRichDocObjectBase* object = FindObject(name);
    return object && object->IsImage() ? object : nullptr;
}

RichBitmap* CExtRichContentLayout::FindImage(const RichString& name) {
    auto* image = static_cast<CExtRichDocObjectImage*>(FindImageObject(name));
    return image && !image->GetBitmap().IsEmpty() ? &image->GetBitmap() : nullptr;
}

RichBitmap* CExtRichContentItem::GetImage() {
    if (!m_pLayout) return nullptr;
    CExtRichContentItem* src = FindAttribute(u"src");
    return src ? m_pLayout->FindImage(src->m_strValue) : nullptr;
}

bool CExtRichContentItem::MeasureImage() {
    if (GetTagName() != u"img") return false;
    const RichBitmap* image = GetImage();
    if (!image) return false;
    const RichSize size = image->GetPixelSize();
    m_nContentWidth = m_nMinContentWidth = size.cx;
    m_nContentHeight = m_nMinContentHeight = size.cy;
    m_nAscent = size.cy;
    return true;
}
