// The settings file: "OmahaVantorn.ini" in the program's application-data folder, read and
// written through the framework's profile calls, each key at the moment it changes.
#pragma once

#include "framework/afxwin.h"

constexpr wchar_t kSettingsFileName[] = L"OmahaVantorn.ini";

// Section "Global" and its keys.
constexpr wchar_t kSectionGlobal[] = L"Global";
constexpr wchar_t kKeyUseHiLo[] = L"UseHiLo";
constexpr wchar_t kKeyUseBVTheme[] = L"UseBVTheme";
constexpr wchar_t kKeyOnlyShorthanded[] = L"OnlyShorthanded";
constexpr wchar_t kKeyUseDeadCards[] = L"UseDeadCards";
constexpr wchar_t kKeyUseThreeEquities[] = L"UseThreeEquities";
constexpr wchar_t kKeyUseBanner[] = L"UseBanner";
constexpr wchar_t kKeyEvaluationTime[] = L"EvaluationTime";
constexpr wchar_t kKeySuppressUpdateVersion[] = L"SuppressUpdateVersion";
constexpr wchar_t kKeyLeft[] = L"Left";
constexpr wchar_t kKeyTop[] = L"Top";
constexpr wchar_t kKeyResultsVisible[] = L"ResultsVisible";
constexpr wchar_t kKeyEvaluateToStreet[] = L"EvaluateToStreet";
constexpr wchar_t kKeyDirectoryScenarioLoad[] = L"DirectoryScenarioLoad";
constexpr wchar_t kKeyDirectoryScenarioSave[] = L"DirectoryScenarioSave";
constexpr wchar_t kKeyDirectoryEquityGraph[] = L"DirectoryEquityGraph";

// Undo record of the profile redirect: while the program runs the framework's profile name is
// the buffer of m_iniPath; Restore gives the framework its own name back, so that it frees
// its own string at the end.
struct ProfileNameSwap {
  LPCTSTR m_previousName = nullptr;
  CString m_iniPath;

  void Restore(CWinApp* app);
  bool m_restored = false;
};

// Points the framework's profile at "<application-data folder>\OmahaVantorn.ini" (the folder
// is created when missing) and returns the undo record.
ProfileNameSwap* RedirectProfileToAppData();

// A profile string of the application, empty when absent.
CString ReadProfileString(LPCTSTR section, LPCTSTR key);
