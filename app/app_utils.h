// Small helpers shared by the application and its dialogs: seat names, label texts, the
// program's file name and settings folder, the resource module's path.
//
// Card and rank conversions live in core (core/cards.h, core/cardtext.h) and are reached
// through this header too.
#pragma once

#include "core/cards.h"
#include "core/cardtext.h"
#include "framework/afxwin.h"

// "UTG", "UTG+1", ... "BB" for seats 0..9; empty for any other index.
CString GetSeatPositionName(int seat);

// Removes the labels' escape codes: the escape character (27) with the letter after it, and
// the digit after a colour code "C".
void StripEscCodes(CString& text);

// Every character from 128 on becomes "&#<code>;", so a page survives any code page.
void EscapeNonAsciiForHtml(CString& text);

// The running program's file name with the extension ".exe": "X.EXE" gives "X.exe".
CString GetExeFileName();
// The same rule for a given path (the part after the last backslash, or slash, without its
// last extension, followed by ".exe").
CString ExeFileNameFromPath(const CString& path);

// The program's folder in the user's application-data folder ("...\OmahaVantorn"), created
// on first use and cached. Without a working folder query it is "\OmahaVantorn" at the root
// of the current drive. The environment variable OMAHAVANTORN_APPDATA, when set, replaces the
// user's application-data folder (private settings for tests and portable installs).
CString GetAppDataFolder();
// Forgets the cached folder, so the next call asks again.
void ResetAppDataFolderCache();

// The text of the window becomes the string resource (empty when it is missing).
void SetWindowTextFromResource(HWND hwnd, UINT stringId);

// Full path of the module the resources come from: the resource library when one is loaded,
// else the program's file. It names the module in "res://" addresses.
CString GetResourceModulePath();

// Card pictures of the resource module for a row of card texts (blanks ignored); with gaps
// the fourth and fifth pictures stand further apart.
CString FormatHandAsCardImages(LPCTSTR text, int gaps);
