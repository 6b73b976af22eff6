#include "dialogs/number_input_dialog.h"

#include "small_dialogs.h"

CNumberInputDialog::CNumberInputDialog() : CDialog(IDD_NUMBER_INPUT) {}

void CNumberInputDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_NUMBER_EDIT, m_number);
}

void CNumberInputDialog::OnOK() {
  UpdateData(TRUE);
  CDialog::OnOK();
}
