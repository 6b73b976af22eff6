#include "dialogs/equity_graph_image.h"

#include "app/app_shell.h"
#include "app/settings.h"
#include "dialogs/equity_graph_dialog.h"
#include "resource.h"

namespace {

constexpr int kNameTextLength = 8;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

CString BuildEquityGraphImageName(const CString* rangeTexts, int count, const CString& boardText) {
  CString name;
  for (int i = 0; i < count; ++i) {
    CString text = rangeTexts[i];
    if (text.IsEmpty()) continue;
    if (text.GetLength() > kNameTextLength) text = text.Left(kNameTextLength) + L"...";
    if (!name.IsEmpty()) name += L" vs. ";
    name += L"[" + text + L"]";
  }
  if (!boardText.IsEmpty()) {
    CString board = LoadText(IDS_BOARD);
    board.Replace(L':', L'=');
    name += L" " + board + boardText;
  }
  name.Replace(L'*', L'x');
  name.Replace(L'/', L'-');
  return name;
}

bool EquityGraphImageFormat(const CString& path, GUID* format) {
  if (path.GetLength() < 4) return false;
  const CString ending = path.Right(4);
  static const struct {
    const wchar_t* ending;
    const GUID* format;
  } kFormats[] = {{L".bmp", &Gdiplus::ImageFormatBMP},
                  {L".png", &Gdiplus::ImageFormatPNG},
                  {L".jpg", &Gdiplus::ImageFormatJPEG},
                  {L".gif", &Gdiplus::ImageFormatGIF}};
  for (const auto& f : kFormats) {
    if (ending == f.ending) {
      *format = *f.format;
      return true;
    }
  }
  return false;
}

CString EquityGraphImageFolder(const CString& path) {
  int at = path.ReverseFind(L'/');
  if (at < 0) at = path.ReverseFind(L'\\');
  return at < 0 ? CString() : path.Left(at);
}

bool RenderDiagramImage(COwnerdrawedDiagramm& diagram, int width, int height, CImage& image) {
  image.Destroy();
  if (!image.Create(width, height, 32)) return false;
  HDC dc = image.GetDC();
  CDC* pDC = CDC::FromHandle(dc);
  RECT all = {0, 0, width, height};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  // The chart draws itself into the image as it draws on screen, so windows that lie over it
  // or a screen that has not been repainted yet do not reach the file.
  diagram.DrawBackground(pDC);
  diagram.DrawCurves(pDC);
  image.ReleaseDC();
  return true;
}

CString CEquityGraphDialog::BuildImageFileName() const {
  return BuildEquityGraphImageName(m_rangeTexts, kPlayers, m_boardText);
}

CString CEquityGraphDialog::AskImagePath() {
  CString initial = ReadProfileString(kSectionGlobal, kKeyDirectoryEquityGraph);
  if (!initial.IsEmpty()) initial += L"\\";
  initial += BuildImageFileName() + L".png";
  CFileDialog dialog(FALSE, L"png", initial, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadText(IDS_CHART_FILE_FILTER),
                     this);
  if (dialog.DoModal() != IDOK) return CString();
  return dialog.GetPathName();
}

void CEquityGraphDialog::OnSaveScreenshot() {
  // The file dialog may change the current folder; the table files and the predefined ranges
  // are read from it.
  wchar_t folder[MAX_PATH] = L"";
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
  const CString path = AskImagePath();
  if (!path.IsEmpty()) SaveGraphImage(path);
  if (length > 0 && length < MAX_PATH) ::SetCurrentDirectoryW(folder);
}

bool CEquityGraphDialog::SaveGraphImage(const CString& path) {
  if (m_diagram.GetSafeHwnd()) {
    m_diagram.Invalidate(TRUE);
    m_diagram.UpdateWindow();
  }
  bool saved = false;
  GUID format;
  if (EquityGraphImageFormat(path, &format)) {
    CImage image;
    saved = RenderDiagramImage(m_diagram, kImageWidth, kImageHeight, image) && SUCCEEDED(image.Save(path, format));
    if (!saved) ShowMessageBox(this, LoadText(IDS_CHART_SAVE_ERROR), MB_OK | MB_ICONWARNING, path);
  }
  const CString folder = EquityGraphImageFolder(path);
  if (!folder.IsEmpty()) AfxGetApp()->WriteProfileString(kSectionGlobal, kKeyDirectoryEquityGraph, folder);
  return saved;
}
