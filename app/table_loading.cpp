#include "app/table_loading.h"

namespace {

CString MissingLine(const char* fileName, const TableFileReport& report, const CString& folder) {
  if (report.status != TableFileStatus::Missing) return CString();
  CString line;
  line.Format(L"The table file \"%hs\" was not found in the folder \"%s\".", fileName, folder.GetString());
  return line;
}

}  // namespace

CString DescribeTableLoad(const TableLoadResult& result, const CString& folder) {
  if (result.Loaded()) return CString();
  CString text;
  for (const CString& line : {MissingLine(kClassFileName, result.classFile, folder),
                              MissingLine(kHandFileName, result.handFile, folder)}) {
    if (line.IsEmpty()) continue;
    if (!text.IsEmpty()) text += L"\n";
    text += line;
  }
  // The damaged files, and the advice that goes with them.
  const std::wstring damaged = result.Message();
  if (!damaged.empty()) {
    if (!text.IsEmpty()) text += L"\n";
    text += damaged.c_str();
  } else {
    if (text.IsEmpty()) text = L"The starting-hand tables could not be loaded.";
    text += L"\nThe starting-hand tables are incomplete; reinstall the program to repair them.";
  }
  return text;
}
