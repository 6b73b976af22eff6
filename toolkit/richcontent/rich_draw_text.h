// The one text-drawing entry of the toolkit (Windows only): DrawText's rectangle, flags and
// return conventions, extended by the text kind, a rotation angle, visual-style arguments and a
// record for disabled text. Plain captions and HTML captions are laid out and painted by the
// rich content engine.
#pragma once

#include "framework/afxwin.h"

#include <uxtheme.h>

// How disabled text is drawn: DrawStateW at angle 0, two offset copies at other angles.
struct RICHTEXT_DRAWSTATE_DATA {
    HBRUSH m_hBrush = nullptr;
    DRAWSTATEPROC m_pOutputProc = nullptr;
    UINT m_nStateFlags = 0;  // DSS_* (DST_TEXT is added when drawing)
    COLORREF m_clrShadow = static_cast<COLORREF>(-1);     // -1: COLOR_BTNSHADOW
    COLORREF m_clrHighlight = static_cast<COLORREF>(-1);  // -1: COLOR_BTNHIGHLIGHT
    int m_nHighlightOffsetX = 0, m_nHighlightOffsetY = 0;
    int m_nShadowOffsetX = 0, m_nShadowOffsetY = 0;
};

// Engine flags of DrawRichText.
enum : UINT {
    kRichDrawVAlignAll = 0x1,   // vertical alignment also for multi-line text
    kRichDrawExactCalc = 0x2,   // DT_CALCRECT reports the exact box of the laid-out runs
};

#define RICH_DRAW_ARGS                                                                                          \
    int nAngle, HDC hDC, const wchar_t *strText, int nTextLength, RECT *pRect, UINT nDrawTextFlags,             \
        UINT nExtraFlags, HWND hWndTheme, const wchar_t *strThemeClassList, DWORD nThemeOpenFlags, int nPartID, \
        int nStateID, const DTTOPTS *pThemeTextOptions, const RICHTEXT_DRAWSTATE_DATA *pDrawStateData
#define RICH_DRAW_ARGS_SZ                                                                                        \
    int nAngle, HDC hDC, const wchar_t *strText, RECT *pRect, UINT nDrawTextFlags, UINT nExtraFlags,            \
        HWND hWndTheme = nullptr, const wchar_t *strThemeClassList = nullptr, DWORD nThemeOpenFlags = 0,         \
        int nPartID = 0, int nStateID = 0, const DTTOPTS *pThemeTextOptions = nullptr,                          \
        const RICHTEXT_DRAWSTATE_DATA *pDrawStateData = nullptr
#define RICH_DRAW_TAIL_DEFAULTS                                                                                  \
    HWND hWndTheme = nullptr, const wchar_t *strThemeClassList = nullptr, DWORD nThemeOpenFlags = 0,             \
         int nPartID = 0, int nStateID = 0, const DTTOPTS *pThemeTextOptions = nullptr,                         \
         const RICHTEXT_DRAWSTATE_DATA *pDrawStateData = nullptr

// The height of the text as DrawText returns it, 0 when nothing was laid out; with DT_CALCRECT
// nothing is drawn and the rectangle receives the extent.
int DrawRichText(int nKind, int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                 UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextFwd(int nKind, int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                    UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextSz(int nKind, int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                   UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextSzFwd(int nKind, int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                      UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextUnrotated(int nKind, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                          UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextUnrotatedSz(int nKind, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                            UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextAuto(HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect, UINT nDrawTextFlags,
                     UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextAutoSz(HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags, UINT nExtraFlags = 0,
                       RICH_DRAW_TAIL_DEFAULTS);

// One path directly (the 14 arguments of DrawRichText less the kind).
int DrawRichTextPlain(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                      UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextPlainFwd(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                         UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextPlainSz(RICH_DRAW_ARGS_SZ);
int DrawRichTextPlainSzFwd(RICH_DRAW_ARGS_SZ);
int DrawRichTextHtml(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                     UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);
int DrawRichTextHtmlFwd(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                        UINT nDrawTextFlags, UINT nExtraFlags = 0, RICH_DRAW_TAIL_DEFAULTS);

