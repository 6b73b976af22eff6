// The program's application object: start-up, shut-down, the settings the whole program
// reads, the shared starting-hand base and drawing resources.
//
// It is also the application services the custom controls use (game, theme setting, dialog
// brush, theme helper, font cache): those members come from AppServices.
#pragma once

#include "app/settings.h"
#include "controls/app_services.h"
#include "controls/splash_screen_ex.h"
#include "core/handbase.h"
#include "framework/afxwin.h"

class COmahaVantornApp : public CWinApp, public AppServices {
 public:
  COmahaVantornApp();
  ~COmahaVantornApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // A file from the recent-file list is loaded into the main dialog as a scenario once the
  // main window exists; the framework then keeps its recent-file list.
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

  // Keeps a window of the given size inside m_desktopRect.
  void ClampToDesktop(int* left, int width, int* top, int height) const;

  // Hands the range language the settings it reads (the all-hands word, the game).
  void SyncRangeSettings();

  COmahaBase m_handBase;
  CBitmap m_cardStripBitmap;  // bitmap 2005: the card pictures of the card grids
  CBitmap m_cardMaskBitmap;   // bitmap 2475: their mask
  CString m_exePath;          // the module that supplies the resources (for res:// addresses)
  ProfileNameSwap* m_profileSwap = nullptr;
  int m_onlyShorthanded = 1;  // 1: six seats, 0: ten
  CString m_homePageUrl;
  CString m_downloadPageUrl;
  CString m_updateFileUrl;
  int m_useDeadCards = 1;
  int m_useThreeEquities = 0;
  int m_useBanner = 0;
  int m_evaluationTime = 5000;  // milliseconds
  int m_dpi = 96;
  RECT m_desktopRect = {0, 0, 0, 0};  // union of the monitors' work areas
  CString m_resultCss;                // style element of every result page
  CString m_randomKeyword;            // the range word for every hand

  DECLARE_MESSAGE_MAP()

 private:
  void LoadResourceLibrary();
  void ReadSettings();
  void LoadTables();
  void HideSplash();
};

// The application object.
COmahaVantornApp* GetOmahaApp();

// The start-up splash window; null once it was hidden by start-up itself.
extern CSplashScreenEx* g_splashScreen;

// Monitor enumeration: adds the monitor's work area to the application's m_desktopRect.
BOOL CALLBACK AccumulateMonitorWorkArea(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);

// The clamping rules of ClampToDesktop for a given desktop rectangle.
void ClampToDesktopRect(const RECT& desktop, int* left, int width, int* top, int height);
