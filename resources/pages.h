// Ids of the page resources (pages.rc).
#pragma once

// The empty page a browser control is first sent to: res://<module>/102 (type HTML).
#define IDR_PLACEHOLDER_PAGE 102

// The result pages' style element, RCDATA in the system's 8-bit code page.
#define IDR_RESULT_STYLE 104
