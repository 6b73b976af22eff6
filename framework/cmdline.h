// CCommandLineInfo: what the command line asks for. CWinApp::ParseCommandLine
// hands it each parameter; flags start with "-" or "/". Known flags (any case):
// p (print), pt printer driver port (print to), dde, nologo, embedding,
// automation, regserver, unregserver (or unregister); other flags are
// ignored. The first other parameter is the file to open.
#pragma once

#include "framework/cstring.h"
#include "framework/runtime.h"

class CCommandLineInfo : public CObject {
 public:
  CCommandLineInfo();
  ~CCommandLineInfo() override;

  virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
  int m_nShellCommand = FileNew;
  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 protected:
  void ParseParamFlag(const wchar_t* pszParam);
  void ParseParamNotFlag(const wchar_t* pszParam);
  void ParseLast(BOOL bLast);
  int m_nPrintToParams = 0;  // printer, driver and port still expected
};
