#include "toolkit/richcontent/rich_doc_objects.h"

#include "toolkit/richcontent/rich_text.h"

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

CExtRichDocObjectContainer& RichGlobalContainer() {
    static CExtRichDocObjectContainer g_container(u"$-object-container-global-$");
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
