// The developer's random-hands experiment: every class from a chosen one on against random
// hands, one line per class appended to "Omaharandom.txt" (when the file exists), with a
// progress dialog whose caption names the class and whose Stop ends the run.
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "controls/message_pump.h"
#include "controls/progress_dialog.h"
#include "core/experiment_run.h"
#include "dialogs/number_input_dialog.h"

namespace {

class ExperimentProgressDialog : public ExperimentProgress {
 public:
  explicit ExperimentProgressDialog(CProgressDialogGIF* dialog) : m_dialog(dialog) {
    AfxGetApp()->DoWaitCursor(1);
  }
  ~ExperimentProgressDialog() override { AfxGetApp()->DoWaitCursor(-1); }
  ExperimentProgressDialog(const ExperimentProgressDialog&) = delete;
  ExperimentProgressDialog& operator=(const ExperimentProgressDialog&) = delete;

  bool ClassDone(int classIndex, const std::wstring& name) override {
    CString caption;
    caption.Format(L"%0d: %s", classIndex, name.c_str());
    m_dialog->SetWindowText(caption);
    // The user's turn between two classes: the wait cursor goes while messages are handled.
    AfxGetApp()->DoWaitCursor(-1);
    PumpDialogMessages(m_dialog);
    AfxGetApp()->DoWaitCursor(1);
    if (!m_dialog->m_stopRequested) return true;
    m_dialog->m_stopRequested = 0;
    return false;
  }

 private:
  CProgressDialogGIF* m_dialog;
};

}  // namespace

void CMainFrame::OnRandomHandsExperiment() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  CNumberInputDialog input;
  input.m_number = 0;
  if (input.DoModal() != IDOK || input.m_number < 0) return;

  auto* progress = new CProgressDialogGIF;
  progress->m_position = CPoint(500, 400);
  if (!progress->Create()) {
    delete progress;
    return;
  }
  {
    ExperimentProgressDialog report(progress);
    RunRandomHandsExperiment(app->m_handBase, input.m_number, &report);
  }
  progress->DestroyWindow();
  delete progress;
}
