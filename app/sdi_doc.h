// The document of the single-document frame. It holds no data: scenarios are loaded and saved
// by the main dialog.
#pragma once

#include "framework/afxwin.h"

class CSDITestDoc : public CDocument {
  DECLARE_DYNCREATE(CSDITestDoc)
 public:
  CSDITestDoc();
  ~CSDITestDoc() override;

  BOOL OnNewDocument() override;
};
