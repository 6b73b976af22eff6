#include "toolkit/richcontent/rich_platform.h"

namespace {
CExtRichPlatform* g_installed = nullptr;
}

CExtRichPlatform& RichPlatform() { return g_installed ? *g_installed : RichDefaultPlatform(); }

CExtRichPlatform* RichSetPlatform(CExtRichPlatform* platform) {
    CExtRichPlatform* previous = g_installed;
    g_installed = platform;
    return previous;
}
