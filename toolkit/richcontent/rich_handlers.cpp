#include "toolkit/richcontent/rich_handlers.h"

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text.h"

#include <unordered_map>

namespace {

using HandlerMap = std::unordered_map<RichString, RichStyleHandler>;

RichString AttributeValue(const CExtRichContentItem* attribute) { return rich::Trim(attribute->m_strValue); }

// "class": the item's class names and tag-qualified class names, each applied from every style
// sheet in order (a class selector ".c" is kept under the key c).
void ApplyHtmlAttrClass(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                        const CExtRichStyleDescription& parentStyle) {
    if (item->m_nKind == kRichItemStateHolder || attribute->m_strValue.empty()) return;
    const RichString value = rich::Lower(AttributeValue(attribute));
    const RichString tag = item->GetTagName();
    std::vector<RichString> keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = value.find(u' ', start);
        const RichString name = value.substr(start, space == RichString::npos ? RichString::npos : space - start);
        keys.push_back(name);
        keys.push_back(tag + u"." + name);
        if (space == RichString::npos) break;
        start = space + 1;
    }
    if (!item->m_pClassNames) item->m_pClassNames = new std::vector<RichString>;
    item->m_pClassNames->insert(item->m_pClassNames->end(), keys.begin(), keys.end());
    CExtRichContentLayout* layout = item->GetLayout();
    if (!layout) return;
    for (CExtRichContentLayout* sheet : layout->m_listStyleSheets)
        for (const RichString& key : keys) sheet->ApplyRuleHolder(item, &key, rule, parentStyle);
}

void ApplyHtmlAttrId(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                     const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetId(AttributeValue(attribute));
}
void ApplyHtmlAttrUiidsrc(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                          const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetUiIdSrc(AttributeValue(attribute));
}
void ApplyHtmlAttrUiiddst(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                          const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetUiIdDst(AttributeValue(attribute));
}
void ApplyHtmlAttrName(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                       const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetNameAttr(AttributeValue(attribute));
}

const RichStyleHandlerEntry g_HtmlAttributeHandlers[] = {
    {u"class", ApplyHtmlAttrClass},
    {u"id", ApplyHtmlAttrId},
    {u"uiidsrc", ApplyHtmlAttrUiidsrc},
    {u"uiiddst", ApplyHtmlAttrUiiddst},
    {u"name", ApplyHtmlAttrName},
};

HandlerMap& AttributeMap() {
    static HandlerMap map = [] {
        HandlerMap m;
        for (const RichStyleHandlerEntry& e : g_HtmlAttributeHandlers) m.emplace(e.name, e.handler);
        return m;
    }();
    return map;
}

HandlerMap& PropertyMap() {
    static HandlerMap map;
    return map;
}

RichStyleHandler Find(const HandlerMap& map, const RichString& name) {
    auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

}  // namespace

RichStyleHandler RichFindHtmlAttributeHandler(const RichString& name) { return Find(AttributeMap(), name); }
RichStyleHandler RichFindCssPropertyHandler(const RichString& name) { return Find(PropertyMap(), name); }

void RichSetCssPropertyHandler(const RichString& name, RichStyleHandler handler) {
    if (handler)
        PropertyMap()[rich::Lower(name)] = handler;
    else
        PropertyMap().erase(rich::Lower(name));
}
