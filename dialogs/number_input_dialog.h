// A small modal dialog that asks for one whole number: the class at which the developer's
// random-hands experiment starts.
#pragma once

#include "framework/afxwin.h"

class CNumberInputDialog : public CDialog {
 public:
  CNumberInputDialog();

  int m_number = 0;  // set before DoModal, read after IDOK

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
