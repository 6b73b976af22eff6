// Name-to-handler tables of the style system: one handler per HTML attribute and one per CSS
// property. A handler reads an attribute (kind 3, value in m_strValue) or a declaration (kind 5,
// value tokens in its attribute list) of an item and writes the declared values into the rule
// being collected; the parent's computed style serves "inherit" and relative units.
#pragma once

#include "toolkit/richcontent/rich_types.h"

#include <cstddef>

class CExtRichContentItem;
class CExtRichStyleRule;
class CExtRichStyleDescription;

using RichStyleHandler = void (*)(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                                  const CExtRichStyleDescription& parentStyle);

struct RichStyleHandlerEntry {
    const char16_t* name;  // lower case
    RichStyleHandler handler;
};

// The built-in tables, in their order (rich_handlers.cpp and rich_property_handlers.cpp).
extern const RichStyleHandlerEntry g_HtmlAttributeHandlers[];
extern const std::size_t g_HtmlAttributeHandlerCount;
extern const RichStyleHandlerEntry g_CssPropertyHandlers[];
extern const std::size_t g_CssPropertyHandlerCount;

// Handlers by lower-case name, null when there is none.
RichStyleHandler RichFindHtmlAttributeHandler(const RichString& name);
RichStyleHandler RichFindCssPropertyHandler(const RichString& name);
// Adds or replaces a property handler, for properties of an embedding program's own; a null
// handler puts the built-in one back (or removes the name when it has none).
void RichSetCssPropertyHandler(const RichString& name, RichStyleHandler handler);
