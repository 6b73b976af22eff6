// The constant tables of the CSS value grammars.
#pragma once

#include "toolkit/richcontent/rich_types.h"

#include <cstddef>

struct RichColorNameEntry {
    const char16_t* name;  // lower case
    RichColor color;       // 0x00BBGGRR
};
extern const RichColorNameEntry g_CssColorNames[];
extern const std::size_t g_CssColorNameCount;

struct RichEntityEntry {
    const char16_t* name;
    char16_t code;
};
extern const RichEntityEntry g_HtmlEntities[];
extern const std::size_t g_HtmlEntityCount;

// The UTF-16 code of a character reference name ("amp", "#65"); 0 when unknown.
char16_t DecodeHtmlEntity(const RichString& name);

// The colour of hue, lightness and saturation (each 0 to 1).
RichColor RichColorFromHls(double hue, double lightness, double saturation);
