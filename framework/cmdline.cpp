#include "framework/cmdline.h"

#include <cwchar>

CCommandLineInfo::CCommandLineInfo() = default;

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) {
  if (pszParam == nullptr) return;
  if (bFlag) ParseParamFlag(pszParam);
  else ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const wchar_t* pszParam) {
  if (_wcsicmp(pszParam, L"pt") == 0) {
    m_nShellCommand = FilePrintTo;
    m_nPrintToParams = 3;
  } else if (_wcsicmp(pszParam, L"p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (_wcsicmp(pszParam, L"dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (_wcsicmp(pszParam, L"nologo") == 0) {
    m_bShowSplash = FALSE;
  } else if (_wcsicmp(pszParam, L"embedding") == 0) {
    m_bShowSplash = FALSE;
    m_bRunEmbedded = TRUE;
  } else if (_wcsicmp(pszParam, L"automation") == 0) {
    m_bShowSplash = FALSE;
    m_bRunAutomated = TRUE;
  } else if (_wcsicmp(pszParam, L"regserver") == 0) {
    m_nShellCommand = AppRegister;
  } else if (_wcsicmp(pszParam, L"unregserver") == 0 || _wcsicmp(pszParam, L"unregister") == 0) {
    m_nShellCommand = AppUnregister;
  }
}

void CCommandLineInfo::ParseParamNotFlag(const wchar_t* pszParam) {
  if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
    return;
  }
  if (m_nShellCommand == FilePrintTo && m_nPrintToParams > 0) {
    CString* fields[] = {&m_strPortName, &m_strDriverName, &m_strPrinterName};
    *fields[--m_nPrintToParams] = pszParam;
  }
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
}
