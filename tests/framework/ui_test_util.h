// Helpers of the framework's window tests: pumping through the framework's
// message loop, scripted dialogs and posted keys.
#pragma once

#include <deque>
#include <functional>

#include "framework/afxwin.h"

namespace fwtest {

// Runs the thread's messages through the framework (PreTranslateMessage
// first) until done() or timeoutMs has passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = ::GetTickCount();
  CWinThread* thread = AfxGetThread();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) return done();
    thread->PumpMessage();
  }
  return true;
}

inline void Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

// Posts a key press (down, character for printable keys, up) to a window.
inline void PostKey(HWND hWnd, UINT vk, wchar_t ch = 0) {
  ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
  if (ch != 0) ::PostMessageW(hWnd, WM_CHAR, ch, 1);
  ::PostMessageW(hWnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

// Posts the characters of a text as typing.
inline void PostText(HWND hWnd, const wchar_t* text) {
  for (const wchar_t* p = text; *p; ++p) ::PostMessageW(hWnd, WM_CHAR, *p, 1);
}

constexpr UINT WM_SCRIPT_STEP = WM_APP + 0x3F0;
constexpr UINT_PTR kSafetyTimer = 0x5AFE;

// A dialog that runs a script while its modal loop (or the caller's pump)
// runs: one step per posted message, so keys posted by a step are handled
// before the next step. A safety timer ends a dialog left open with -2.
template <class Derived, class Base = CDialog>
class CScriptedDialog : public Base {
 public:
  using Step = std::function<void(Derived&)>;
  using Base::Base;
  std::deque<Step> m_steps;
  DWORD m_safetyMs = 10000;

  void Then(Step step) { m_steps.push_back(std::move(step)); }
  using Base::EndDialog;
  using Base::OnOK;
  using Base::OnCancel;

 protected:
  BOOL OnInitDialog() override {
    BOOL result = Base::OnInitDialog();
    this->SetTimer(kSafetyTimer, m_safetyMs, nullptr);
    this->PostMessage(WM_SCRIPT_STEP);
    return result;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SCRIPT_STEP) {
      if (!m_steps.empty()) {
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(static_cast<Derived&>(*this));
        if (this->m_hWnd != nullptr) this->PostMessage(WM_SCRIPT_STEP);
      }
      return 0;
    }
    if (message == WM_TIMER && wParam == kSafetyTimer) {
      this->KillTimer(kSafetyTimer);
      this->EndDialog(-2);
      return 0;
    }
    return Base::WindowProc(message, wParam, lParam);
  }
};

}  // namespace fwtest
