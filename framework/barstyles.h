// Styles, layout modes, ids and private messages of control bars, dock bars,
// floating frames and the status bar.
#pragma once

#include "framework/fwdefs.h"

// Control-bar style bits (CControlBar::m_dwStyle; the low word and bit 22 of
// the style given to a bar's Create, never part of the window style).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CControlBar::CalcDynamicLayout.
#define LM_STRETCH 0x01    // stretch over the whole side
#define LM_HORZ 0x02       // horizontal orientation
#define LM_MRUWIDTH 0x04   // the most recently used (floating) width
#define LM_HORZDOCK 0x08   // docked along a horizontal side
#define LM_VERTDOCK 0x10   // docked along a vertical side
#define LM_LENGTHY 0x20    // nLength is a height, not a width
#define LM_COMMIT 0x40     // remember the result as the floating size

// Status-bar pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

// Mini-frame styles (low word of the window style).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// The framework's private window messages.
#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362  // wParam string id (lParam 0) or 0 and lParam the text
#endif
#ifndef WM_IDLEUPDATECMDUI
#define WM_IDLEUPDATECMDUI 0x0363
#endif
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366      // lParam the client point; answers a help id or 0
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368     // a child asks its frame for a layout
#define WM_FLOATSTATUS 0x036D      // wParam FS_ bits: floating frames follow their dock site
#define WM_POPMESSAGESTRING 0x0375

// WM_FLOATSTATUS bits.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40
