// Loading the starting-hand tables at start-up and the text that tells the user when they are
// incomplete.
#pragma once

#include "core/handbase.h"
#include "framework/afxwin.h"

// Empty when both table files loaded and belong together; otherwise one line per missing or
// damaged file (a missing file names the folder it was looked for in) and what it means.
CString DescribeTableLoad(const TableLoadResult& result, const CString& folder);
