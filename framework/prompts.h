// Prompt strings: "status text\ntip" resources of command ids. The framework
// has texts of its own for its standard commands, indicators and system
// commands, used when the program's string table lacks them.
#pragma once

#include "framework/cstring.h"

// System-command prompts: AFX_IDS_SCFIRST + (SC_xxx - 0xF000) / 16.
#define AFX_IDS_SCFIRST 0xEF00

// The whole prompt string of nID; FALSE (and an empty string) when neither
// the program nor the framework has one.
BOOL AFXAPI AfxLoadPromptString(UINT nID, CString& rString);
// Part nSubString (0 the status text, 1 the tip) of a "\n"-separated string.
CString AFXAPI AfxPromptPart(const CString& full, int nSubString);
