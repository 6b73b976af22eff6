// The HTML message box: the button plan as a table, then live boxes driven with real clicks and
// keys: every button set, custom buttons, the More area, the remembered answer in the registry,
// the auto-close countdown and the countdown that keeps the buttons disabled, escaped texts and
// the area backgrounds and separators. Captures: message_box_*.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "canvas.h"
#include "controls/html/html_text.h"
#include "controls/html/message_box.h"
#include "controls/html/message_box_buttons.h"
#include "live_input.h"
#include "test_dialog.h"

namespace {

using ppmb::ButtonPlan;

// ---------------------------------------------------------------------------------------------
// The plan of buttons.

struct SetCase {
  DWORD flags;
  std::vector<int> ids;
  bool closeAllowed;
};

TEST(MessageBoxButtons, EveryTypeGivesItsSetAndCloseBoxRule) {
  const SetCase cases[] = {
      {MB_OK, {IDOK}, true},
      {MB_OKCANCEL, {IDOK, IDCANCEL}, true},
      {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, false},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, true},
      {MB_YESNO, {IDYES, IDNO}, false},
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, true},
      {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, true},
      {7, {IDCONTINUE, IDABORT}, false},
      {8, {PPMB_ID_SKIP, PPMB_ID_SKIP_ALL, IDCANCEL}, true},
      {9, {IDIGNORE, PPMB_ID_IGNORE_ALL, IDCANCEL}, true},
      {10, {}, false},
      {15, {}, false},
      {MB_YESNO | PPMB_YES_TO_ALL | PPMB_NO_TO_ALL, {IDYES, PPMB_ID_YES_TO_ALL, IDNO, PPMB_ID_NO_TO_ALL}, false},
      {MB_YESNOCANCEL | PPMB_NO_TO_ALL, {IDYES, IDNO, PPMB_ID_NO_TO_ALL, IDCANCEL}, true},
      {MB_OKCANCEL | PPMB_YES_TO_ALL, {IDOK, IDCANCEL}, true},
      {MB_OK | MB_HELP, {IDOK, IDHELP}, true},
  };
  for (const SetCase& c : cases) {
    const ButtonPlan plan = ppmb::PlanButtons(c.flags, L"", false, false);
    EXPECT_EQ(plan.ids, c.ids) << "flags 0x" << std::hex << c.flags;
    EXPECT_EQ(plan.closeAllowed, c.closeAllowed) << "flags 0x" << std::hex << c.flags;
  }
  const ButtonPlan all = ppmb::PlanButtons(MB_OK | MB_HELP, L"", true, true);
  EXPECT_EQ(all.ids, (std::vector<int>{IDOK, IDHELP, PPMB_ID_REPORT, PPMB_ID_MORE}));
}

TEST(MessageBoxButtons, CustomLinesMakeAtMostFourButtonsAndNoCloseBox) {
  ButtonPlan plan = ppmb::PlanButtons(MB_OK, L"A\r\n\nB", false, false);
  EXPECT_EQ(plan.ids, (std::vector<int>{23, 24}));
  ASSERT_EQ(plan.customLabels.size(), 2u);
  EXPECT_EQ(plan.customLabels[0], L"A");
  EXPECT_EQ(plan.customLabels[1], L"B");
  EXPECT_FALSE(plan.closeAllowed);

  plan = ppmb::PlanButtons(MB_OKCANCEL, L"1\n2\n3\n4\n5", false, false);
  EXPECT_EQ(plan.ids, (std::vector<int>{23, 24, 25, 26}));
  EXPECT_FALSE(plan.closeAllowed);

  // Only empty lines: the type's set, but an OK box with a custom text keeps its close box off.
  plan = ppmb::PlanButtons(MB_OK, L"\r\n\n", false, false);
  EXPECT_EQ(plan.ids, (std::vector<int>{IDOK}));
  EXPECT_FALSE(plan.closeAllowed);
}

TEST(MessageBoxButtons, DefaultIndexOutsideTheRowIsTheFirst) {
  EXPECT_EQ(ppmb::DefaultButtonIndex(MB_DEFBUTTON2, 2), 1);
  EXPECT_EQ(ppmb::DefaultButtonIndex(MB_DEFBUTTON4, 2), 0);
  EXPECT_EQ(ppmb::DefaultButtonIndex(0x0F00, 3), 0);
}

TEST(MessageBoxButtons, OnlyTheBoxsOwnAnswersCountAsRemembered) {
  const ButtonPlan yesNo = ppmb::PlanButtons(MB_YESNO | MB_HELP, L"", false, true);
  EXPECT_TRUE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, IDYES));
  EXPECT_TRUE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, IDNO));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, 0));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, IDCANCEL)) << "no Cancel and no close box";
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, IDHELP)) << "Help never closes";
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, PPMB_ID_MORE));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, 99));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, 0xFFFFFFFF));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, MB_YESNO, IDYES | PPMB_REMEMBER_CHECKED));

  const DWORD checked = MB_YESNO | PPMB_REMEMBER | PPMB_REMEMBER_CHECKED;
  EXPECT_TRUE(ppmb::IsOwnAnswer(yesNo, checked, IDNO | PPMB_REMEMBER_CHECKED));
  EXPECT_FALSE(ppmb::IsOwnAnswer(yesNo, checked, IDNO)) << "a ticked box always stores the bit";

  const ButtonPlan ok = ppmb::PlanButtons(MB_OK, L"", false, false);
  EXPECT_TRUE(ppmb::IsOwnAnswer(ok, MB_OK, IDCANCEL)) << "the close box answers Cancel";
  const ButtonPlan custom = ppmb::PlanButtons(MB_OK, L"A\nB", false, false);
  EXPECT_TRUE(ppmb::IsOwnAnswer(custom, MB_OK, 24));
  EXPECT_FALSE(ppmb::IsOwnAnswer(custom, MB_OK, 25));
  EXPECT_FALSE(ppmb::IsOwnAnswer(custom, MB_OK, IDOK));
}

TEST(MessageBoxButtons, RegistryNamesFollowCompanyProgramAndNumber) {
  EXPECT_EQ(ppmb::RememberKey(L"Acme", L"X.exe"), L"Software\\Acme\\X.exe\\PPMessageBox");
  EXPECT_EQ(ppmb::RememberKey(L"", L"X.exe"), L"Software\\X.exe\\PPMessageBox");
  EXPECT_EQ(ppmb::RememberValueName(L"Ask", 12), L"Ask12");
  EXPECT_EQ(ppmb::RememberValueName(L"Ask", -3), L"Ask-3");
}

TEST(MessageBoxButtons, LabelsAndTextResources) {
  EXPECT_EQ(ppmb::LabelStringId(IDOK), 9001u);
  EXPECT_STREQ(ppmb::BuiltInLabel(PPMB_ID_MORE), L"More >>");
  EXPECT_STREQ(ppmb::BuiltInLabel(PPMB_ID_LESS), L"<< More");
  EXPECT_STREQ(ppmb::BuiltInLabel(ppmb::kCaptionFormatId), L"%s (%d seconds remaining)");
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  EXPECT_EQ(ppmb::ResolveText(MAKEINTRESOURCEW(9007), module, 0), L"&Yes") << "the program's string table";
  EXPECT_EQ(ppmb::ResolveText(MAKEINTRESOURCEW(9007), module, PPMB_LITERAL_TEXTS), L"");
  EXPECT_EQ(ppmb::ResolveText(L"plain", module, PPMB_LITERAL_TEXTS), L"plain");
  EXPECT_EQ(ppmb::ResolveText(nullptr, module, 0), L"");
}

// ---------------------------------------------------------------------------------------------
// Live boxes. The box runs its modal loop on a worker thread; the test thread finds it and
// drives it with real input.

class BoxThread {
 public:
  explicit BoxThread(const HtmlMessageBoxParams& params) : m_params(params) {
    m_thread = ::CreateThread(nullptr, 0, &BoxThread::Run, this, 0, &m_threadId);
  }
  ~BoxThread() {
    if (::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
      // A failed test leaves the box open: end its modal loop.
      ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
      ::WaitForSingleObject(m_thread, 10000);
    }
    ::CloseHandle(m_thread);
  }

  // The box's window once it is visible and painted; null after the time-out.
  HWND WaitForBox(DWORD timeoutMs = 10000) {
    HWND found = nullptr;
    live::PumpUntil(
        [&] {
          ::EnumThreadWindows(
              m_threadId,
              [](HWND hwnd, LPARAM data) -> BOOL {
                if (!::IsWindowVisible(hwnd) || gui::ClassName(hwnd) != L"#32770") return TRUE;
                *reinterpret_cast<HWND*>(data) = hwnd;
                return FALSE;
              },
              reinterpret_cast<LPARAM>(&found));
          return found != nullptr || Finished();
        },
        timeoutMs);
    if (found) live::Pump(150);
    return found;
  }
  bool Finished() const { return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }
  // The answer once the box has gone; -100 after the time-out.
  int WaitResult(DWORD timeoutMs = 10000) {
    live::PumpUntil([&] { return Finished(); }, timeoutMs);
    return Finished() ? m_result : -100;
  }

 private:
  static DWORD WINAPI Run(void* data) {
    auto* self = static_cast<BoxThread*>(data);
    self->m_result = PPMessageBox(&self->m_params);
    return 0;
  }

  HtmlMessageBoxParams m_params;
  HANDLE m_thread = nullptr;
  DWORD m_threadId = 0;
  int m_result = -100;
};

struct ButtonInfo {
  int id;
  std::wstring text;
  RECT rect;  // in the box's client coordinates
  bool enabled;
};

// The push buttons left to right (the check box has no id).
std::vector<ButtonInfo> Buttons(HWND box) {
  std::vector<ButtonInfo> buttons;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (gui::ClassName(child) != L"Button" || id == 0) continue;
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    buttons.push_back(ButtonInfo{id, gui::WindowText(child), r, ::IsWindowEnabled(child) != FALSE});
  }
  std::sort(buttons.begin(), buttons.end(), [](const auto& a, const auto& b) { return a.rect.left < b.rect.left; });
  return buttons;
}

std::vector<int> Ids(const std::vector<ButtonInfo>& buttons) {
  std::vector<int> ids;
  for (const auto& b : buttons) ids.push_back(b.id);
  return ids;
}

const ButtonInfo* FindButton(const std::vector<ButtonInfo>& buttons, int id) {
  for (const auto& b : buttons)
    if (b.id == id) return &b;
  return nullptr;
}

void ClickButton(HWND box, int id) {
  const auto buttons = Buttons(box);
  const ButtonInfo* button = FindButton(buttons, id);
  ASSERT_NE(button, nullptr) << "no button " << id;
  live::BringToFront(box);
  live::Click(box, POINT{(button->rect.left + button->rect.right) / 2, (button->rect.top + button->rect.bottom) / 2});
}

bool CloseBoxEnabled(HWND box) {
  const UINT state = ::GetMenuState(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

std::wstring HiddenText(HWND box) {
  wchar_t text[1024] = L"";
  ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

RECT ClientRect(HWND box) {
  RECT r;
  ::GetClientRect(box, &r);
  return r;
}

// Parameters with a fixed caption and no beep.
HtmlMessageBoxParams Params(LPCWSTR message, DWORD flags) {
  HtmlMessageBoxParams p;
  InitHtmlMessageBoxParams(&p);
  p.caption = L"Message box test";
  p.messageText = message;
  p.flags = flags | PPMB_SILENT;
  return p;
}

struct LiveSet {
  DWORD flags;
  std::vector<std::wstring> labels;
  int click;  // pressed with the mouse
};

TEST(MessageBoxLive, EveryButtonSetShowsItsButtonsAndAnswersTheClickedOne) {
  const LiveSet sets[] = {
      {MB_OK | MB_ICONINFORMATION, {L"&OK"}, IDOK},
      {MB_OKCANCEL | MB_ICONQUESTION, {L"&OK", L"&Cancel"}, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_ICONERROR, {L"Abort", L"Retry", L"Ignore"}, IDRETRY},
      {MB_YESNOCANCEL | MB_ICONQUESTION, {L"&Yes", L"&No", L"&Cancel"}, IDNO},
      {MB_YESNO | PPMB_YES_TO_ALL | PPMB_NO_TO_ALL, {L"&Yes", L"Yes to all", L"&No", L"No to all"},
       PPMB_ID_NO_TO_ALL},
      {MB_RETRYCANCEL, {L"Retry", L"&Cancel"}, IDRETRY},
      {MB_CANCELTRYCONTINUE, {L"&Cancel", L"Try again", L"Continue"}, IDCONTINUE},
      {7, {L"Continue", L"Abort"}, IDABORT},
      {8, {L"Skip", L"Skip all", L"&Cancel"}, PPMB_ID_SKIP_ALL},
      {9 | MB_HELP, {L"Ignore", L"Ignore all", L"&Cancel", L"Help"}, PPMB_ID_IGNORE_ALL},
  };
  for (const LiveSet& set : sets) {
    SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << set.flags);
    BoxThread run(Params(L"Choose <b>one</b> of the buttons.", set.flags));
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    const auto buttons = Buttons(box);
    std::vector<std::wstring> labels;
    for (const auto& b : buttons) labels.push_back(b.text);
    EXPECT_EQ(labels, set.labels);
    const ButtonPlan plan = ppmb::PlanButtons(set.flags, L"", false, false);
    EXPECT_EQ(Ids(buttons), plan.ids);
    EXPECT_EQ(CloseBoxEnabled(box), plan.closeAllowed);
    // One row, equal widths, inside the client area, the first one focused.
    const RECT client = ClientRect(box);
    for (const auto& b : buttons) {
      EXPECT_EQ(b.rect.right - b.rect.left, buttons[0].rect.right - buttons[0].rect.left);
      EXPECT_EQ(b.rect.top, buttons[0].rect.top);
      EXPECT_GE(b.rect.left, client.left);
      EXPECT_LE(b.rect.right, client.right);
      EXPECT_EQ(b.rect.bottom, client.bottom - 11);
    }
    EXPECT_EQ(HiddenText(box), L"Choose one of the buttons.");
    if (set.flags == (MB_OK | MB_ICONINFORMATION)) gui::SaveCapture(ctltest::Capture(box), L"message_box_ok");
    if (set.flags == (MB_YESNO | PPMB_YES_TO_ALL | PPMB_NO_TO_ALL))
      gui::SaveCapture(ctltest::Capture(box), L"message_box_yes_no_to_all");
    ClickButton(box, set.click);
    EXPECT_EQ(run.WaitResult(), set.click);
  }
}

TEST(MessageBoxLive, KeysAnswerWithTheDefaultButtonAndEscapeOnlyWhereCancelIsAllowed) {
  {
    // Default index 3 of two custom buttons: the first is the default.
    HtmlMessageBoxParams p = Params(L"Custom buttons", MB_OK | MB_DEFBUTTON4);
    p.customButtons = L"A\r\n\nB";
    BoxThread run(p);
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    const auto buttons = Buttons(box);
    EXPECT_EQ(Ids(buttons), (std::vector<int>{23, 24}));
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].text, L"A");
    EXPECT_EQ(buttons[1].text, L"B");
    EXPECT_FALSE(CloseBoxEnabled(box));
    live::BringToFront(box);
    live::Key(VK_ESCAPE);
    live::Pump(200);
    EXPECT_FALSE(run.Finished()) << "Escape answered a box without Cancel";
    live::Key(VK_RETURN);
    EXPECT_EQ(run.WaitResult(), 23);
  }
  {
    HtmlMessageBoxParams p = Params(L"Second is default", MB_YESNOCANCEL | MB_DEFBUTTON2);
    BoxThread run(p);
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    live::BringToFront(box);
    live::Key(VK_RETURN);
    EXPECT_EQ(run.WaitResult(), IDNO);
  }
  {
    BoxThread run(Params(L"Escape cancels", MB_OKCANCEL));
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    live::BringToFront(box);
    live::Key(VK_ESCAPE);
    EXPECT_EQ(run.WaitResult(), IDCANCEL);
  }
  {
    // Tab moves to the next button, space presses it.
    HtmlMessageBoxParams p = Params(L"Tab and space", MB_OK);
    p.customButtons = L"First\nSecond\nThird";
    BoxThread run(p);
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    live::BringToFront(box);
    live::Key(VK_TAB);
    live::Key(VK_TAB);
    live::Key(VK_SPACE);
    EXPECT_EQ(run.WaitResult(), 25);
  }
}

TEST(MessageBoxLive, MoreAreaOpensBelowTheButtonsAndClosesAgain) {
  HtmlMessageBoxParams p = Params(L"The short story.", MB_OK | MB_ICONWARNING);
  p.moreText = L"The <b>long</b> story:<br>line two<br>line three";
  p.moreStyle.separatorType = 1;
  p.moreStyle.separatorText = L"Details";
  p.moreStyle.backgroundKind = CPPDrawManager::kSolid;
  p.moreStyle.beginColour = RGB(255, 255, 225);
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  const RECT closed = ClientRect(box);
  const auto before = Buttons(box);
  ASSERT_NE(FindButton(before, PPMB_ID_MORE), nullptr);
  EXPECT_EQ(FindButton(before, PPMB_ID_MORE)->text, L"More >>");
  gui::SaveCapture(ctltest::Capture(box), L"message_box_more_closed");

  ClickButton(box, PPMB_ID_MORE);
  live::Pump(200);
  const RECT open = ClientRect(box);
  EXPECT_GT(open.bottom, closed.bottom + 3 * 13) << "three lines and margins";
  EXPECT_EQ(FindButton(Buttons(box), PPMB_ID_MORE)->text, L"<< More");
  const gui::Image image = ctltest::Capture(box);
  gui::SaveCapture(image, L"message_box_more_open");
  // The More area's yellow background fills the strip below the old bottom.
  RECT frame;
  ::GetWindowRect(box, &frame);
  POINT origin = {0, 0};
  ::ClientToScreen(box, &origin);
  const int dx = origin.x - frame.left, dy = origin.y - frame.top;
  EXPECT_EQ(ctltest::PixelOf(image, dx + 3, dy + open.bottom - 3), RGB(255, 255, 225));
  EXPECT_EQ(Buttons(box)[0].rect.top, before[0].rect.top) << "the buttons stay where they were";

  ClickButton(box, PPMB_ID_MORE);
  live::Pump(200);
  EXPECT_EQ(ClientRect(box).bottom, closed.bottom);
  EXPECT_EQ(FindButton(Buttons(box), PPMB_ID_MORE)->text, L"More >>");
  EXPECT_FALSE(run.Finished()) << "the toggle keeps the box open";
  ClickButton(box, IDOK);
  EXPECT_EQ(run.WaitResult(), IDOK);
}

// The remembered answers of this test program, removed before and after.
class RememberedAnswers : public testing::Test {
 protected:
  static constexpr const wchar_t* kCompany = L"OmahaVantornTests";
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    CString key;
    key.Format(L"Software\\%s", kCompany);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
  }
  static CString Key() {
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path);
    return ppmb::RememberKey(kCompany, name.Mid(name.ReverseFind(L'\\') + 1));
  }
  static bool Read(const wchar_t* value, DWORD* out) {
    DWORD size = sizeof *out;
    return ::RegGetValueW(HKEY_CURRENT_USER, Key(), value, RRF_RT_REG_DWORD, nullptr, out, &size) == ERROR_SUCCESS;
  }
  static void Write(const wchar_t* value, DWORD data) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, Key(), value, REG_DWORD, &data, sizeof data);
  }
  static HtmlMessageBoxParams RememberParams(DWORD flags) {
    HtmlMessageBoxParams p = Params(L"Replace the file?", flags | PPMB_REMEMBER);
    p.rememberCompany = kCompany;
    p.rememberPrefix = L"Ask";
    p.messageNumber = 5;
    return p;
  }
};

TEST_F(RememberedAnswers, TickedAnswerIsStoredAndReturnedWithoutTheBox) {
  {
    BoxThread run(RememberParams(MB_YESNO | MB_ICONQUESTION));
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    HWND check = nullptr;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (gui::ClassName(child) == L"Button" && ::GetDlgCtrlID(child) == 0) check = child;
    ASSERT_NE(check, nullptr) << "no check box";
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // The label beside the box.
    bool labelled = false;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      labelled |= gui::ClassName(child) == L"Static" && gui::WindowText(child) == L"Do not show again";
    EXPECT_TRUE(labelled);
    RECT r;
    ::GetWindowRect(check, &r);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    live::BringToFront(box);
    live::Click(box, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    gui::SaveCapture(ctltest::Capture(box), L"message_box_remember");
    ClickButton(box, IDNO);
    EXPECT_EQ(run.WaitResult(), IDNO);
  }
  DWORD stored = 0;
  ASSERT_TRUE(Read(L"Ask5", &stored));
  EXPECT_EQ(stored, static_cast<DWORD>(IDNO));

  // The next call answers at once.
  {
    BoxThread run(RememberParams(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(run.WaitResult(3000), IDNO);
  }
  // Another number is another question.
  {
    HtmlMessageBoxParams p = RememberParams(MB_YESNO);
    p.messageNumber = 6;
    BoxThread run(p);
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    ClickButton(box, IDYES);
    EXPECT_EQ(run.WaitResult(), IDYES);
    EXPECT_FALSE(Read(L"Ask6", &stored)) << "an unticked box stores nothing";
  }
}

TEST_F(RememberedAnswers, StoredValuesTheBoxCannotGiveAreIgnored) {
  // 0, a foreign number, Cancel of a box without Cancel, Help: the box shows each time.
  for (const DWORD value : {0ul, 99ul, static_cast<unsigned long>(IDCANCEL), static_cast<unsigned long>(IDHELP)}) {
    SCOPED_TRACE(value);
    Write(L"Ask5", value);
    BoxThread run(RememberParams(MB_YESNO | MB_HELP));
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr) << "the stored value answered";
    ClickButton(box, IDYES);
    EXPECT_EQ(run.WaitResult(), IDYES);
  }
}

TEST_F(RememberedAnswers, CheckedFlagStartsTickedAndMarksTheAnswer) {
  const DWORD flags = MB_OKCANCEL | PPMB_REMEMBER_CHECKED | PPMB_CHECKBOX_BELOW_BUTTONS;
  {
    BoxThread run(RememberParams(flags));
    HWND box = run.WaitForBox();
    ASSERT_NE(box, nullptr);
    // Below the buttons: the check box sits under the row.
    HWND check = nullptr;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (gui::ClassName(child) == L"Button" && ::GetDlgCtrlID(child) == 0) check = child;
    ASSERT_NE(check, nullptr);
    RECT r;
    ::GetWindowRect(check, &r);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_GT(r.top, Buttons(box)[0].rect.bottom);
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    ClickButton(box, IDOK);
    EXPECT_EQ(run.WaitResult(), static_cast<int>(IDOK | PPMB_REMEMBER_CHECKED));
  }
  BoxThread again(RememberParams(flags));
  EXPECT_EQ(again.WaitResult(3000), static_cast<int>(IDOK | PPMB_REMEMBER_CHECKED));
}

TEST(MessageBoxLive, AutoCloseCountsDownOnTheDefaultButtonAndAnswersWithIt) {
  HtmlMessageBoxParams p = Params(L"Closing by itself", MB_YESNO | MB_DEFBUTTON2);
  p.autoCloseSeconds = 2;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  const auto buttons = Buttons(box);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].text, L"&Yes");
  EXPECT_EQ(buttons[1].text, L"&No = 2");
  gui::SaveCapture(ctltest::Capture(box), L"message_box_auto_close");
  HWND no = ::GetDlgItem(box, IDNO);
  EXPECT_TRUE(live::PumpUntil([&] { return gui::WindowText(no) == L"&No = 1"; }, 3000));
  EXPECT_EQ(run.WaitResult(5000), IDNO);
}

TEST(MessageBoxLive, DisableCountdownInTheCaptionKeepsEveryButtonButHelpDisabled) {
  HtmlMessageBoxParams p = Params(L"Read this first.", MB_OKCANCEL | MB_HELP);
  p.disableSeconds = 2;
  p.countdownInCaption = TRUE;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::WindowText(box), L"Message box test (2 seconds remaining)");
  auto buttons = Buttons(box);
  ASSERT_EQ(Ids(buttons), (std::vector<int>{IDOK, IDCANCEL, IDHELP}));
  EXPECT_FALSE(buttons[0].enabled);
  EXPECT_FALSE(buttons[1].enabled);
  EXPECT_TRUE(buttons[2].enabled);
  EXPECT_EQ(buttons[0].text, L"&OK");
  EXPECT_FALSE(CloseBoxEnabled(box));
  gui::SaveCapture(ctltest::Capture(box), L"message_box_disabled_countdown");
  // Neither clicks nor keys answer while it counts.
  ClickButton(box, IDOK);
  live::Key(VK_RETURN);
  live::Key(VK_ESCAPE);
  live::Key(VK_F4, {VK_MENU});
  EXPECT_FALSE(run.Finished());
  EXPECT_TRUE(live::PumpUntil([&] { return gui::WindowText(box) == L"Message box test (1 seconds remaining)"; },
                              3000));
  EXPECT_TRUE(live::PumpUntil([&] { return gui::WindowText(box) == L"Message box test"; }, 3000));
  EXPECT_FALSE(run.Finished());
  buttons = Buttons(box);
  EXPECT_TRUE(buttons[0].enabled);
  EXPECT_TRUE(buttons[1].enabled);
  EXPECT_TRUE(CloseBoxEnabled(box));
  ClickButton(box, IDCANCEL);
  EXPECT_EQ(run.WaitResult(), IDCANCEL);
}

TEST(MessageBoxLive, DisableCountdownOnACancelDefaultKeepsTheCloseBoxOffUntilItEnds) {
  HtmlMessageBoxParams p = Params(L"Wait for it.", MB_OKCANCEL | MB_DEFBUTTON2);
  p.disableSeconds = 2;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  auto buttons = Buttons(box);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_TRUE(buttons[0].enabled) << "only the default button waits";
  EXPECT_FALSE(buttons[1].enabled);
  EXPECT_EQ(buttons[1].text, L"&Cancel = 2");
  EXPECT_FALSE(CloseBoxEnabled(box));
  live::BringToFront(box);
  live::Key(VK_ESCAPE);
  EXPECT_FALSE(run.Finished()) << "Escape went past the waiting Cancel";
  HWND cancel = ::GetDlgItem(box, IDCANCEL);
  EXPECT_TRUE(live::PumpUntil([&] { return ::IsWindowEnabled(cancel) != FALSE; }, 4000));
  EXPECT_EQ(gui::WindowText(cancel), L"&Cancel");
  EXPECT_TRUE(CloseBoxEnabled(box));
  EXPECT_NE(::GetWindowLongW(cancel, GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
  live::BringToFront(box);
  live::Key(VK_RETURN);
  EXPECT_EQ(run.WaitResult(), IDCANCEL);
}

TEST(MessageBoxLive, HeaderSeparatorsAndBackgroundsPaintTheirAreas) {
  HtmlMessageBoxParams p = Params(L"Message with a <a href=\"https://example.invalid/\">link</a>.", MB_OK);
  p.headerMinHeight = 60;  // above the header text's height and margins
  p.headerText = L"<b>Header</b>";
  p.headerStyle.backgroundKind = CPPDrawManager::kHGradient;
  p.headerStyle.beginColour = RGB(0, 64, 160);
  p.headerStyle.endColour = RGB(160, 200, 255);
  p.headerStyle.separatorType = 2;
  p.headerStyle.separatorAlign = 2;
  p.headerStyle.separatorText = L"middle";
  p.boxStyle.backgroundKind = CPPDrawManager::kSolid;
  p.boxStyle.beginColour = RGB(245, 245, 245);
  p.buttonStyle.backgroundKind = CPPDrawManager::kSolid;
  p.buttonStyle.beginColour = RGB(220, 230, 240);
  p.buttonStyle.separatorType = 1;
  p.buttonStyle.separatorText = L"buttons";
  p.buttonAlign = 1;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  const gui::Image image = ctltest::Capture(box);
  gui::SaveCapture(image, L"message_box_areas");
  RECT frame;
  ::GetWindowRect(box, &frame);
  POINT origin = {0, 0};
  ::ClientToScreen(box, &origin);
  const int dx = origin.x - frame.left, dy = origin.y - frame.top;
  const RECT client = ClientRect(box);
  EXPECT_EQ(ctltest::PixelOf(image, dx + 1, dy + 1), RGB(0, 64, 160)) << "the gradient's start";
  EXPECT_EQ(ctltest::PixelOf(image, dx + 1, dy + client.bottom - 2), RGB(220, 230, 240)) << "the button area";
  // The black separator runs under the header, 5 pixels in from the edge.
  int black = 0;
  for (int x = 0; x < client.right; ++x)
    if (ctltest::PixelOf(image, dx + x, dy + 60) == RGB(0, 0, 0)) ++black;
  EXPECT_GT(black, client.right / 3);
  EXPECT_NE(ctltest::PixelOf(image, dx + 2, dy + 60), RGB(0, 0, 0));
  // Right-aligned: the OK button ends 11 pixels from the right edge.
  EXPECT_EQ(Buttons(box)[0].rect.right, client.right - 11);
  ClickButton(box, IDOK);
  EXPECT_EQ(run.WaitResult(), IDOK);
}

TEST(MessageBoxLive, CentredOverItsOwnerButKeptOnTheScreenAndNamedAfterIt) {
  // An owner hanging over the screen's left edge.
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"Owner window", WS_POPUP | WS_VISIBLE, -150, 300, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  HtmlMessageBoxParams p = Params(L"A message wide enough to reach past the owner on both sides.", MB_OK);
  p.owner = owner;
  p.caption = L"";
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::WindowText(box), L"Owner window");
  RECT r;
  ::GetWindowRect(box, &r);
  EXPECT_EQ(r.left, 0) << "kept on the screen";
  EXPECT_EQ((r.top + r.bottom) / 2, 350) << "centred over the owner's height";
  EXPECT_FALSE(::IsWindowEnabled(owner)) << "modal to its owner";
  live::BringToFront(box);
  live::Key(VK_RETURN);
  EXPECT_EQ(run.WaitResult(), IDOK);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  ::DestroyWindow(owner);
}

TEST(MessageBoxLive, HelpAndReportKeepTheBoxOpenAndReportReachesTheOwner) {
  // The owner counts the report messages it receives.
  static int reports = 0;
  constexpr UINT kReport = WM_APP + 7;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == kReport) ++reports;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  };
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MessageBoxReportOwner";
  ::RegisterClassW(&wc);
  HWND owner = ::CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                 nullptr, wc.hInstance, nullptr);
  ASSERT_NE(owner, nullptr);
  reports = 0;
  HtmlMessageBoxParams p = Params(L"Something went wrong.", MB_OK | MB_HELP | MB_ICONERROR);
  p.owner = owner;
  p.reportMessage = kReport;
  p.helpContextId = 42;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Ids(Buttons(box)), (std::vector<int>{IDOK, IDHELP, PPMB_ID_REPORT}));
  EXPECT_EQ(FindButton(Buttons(box), PPMB_ID_REPORT)->text, L"Report");
  gui::SaveCapture(ctltest::Capture(box), L"message_box_help_report");
  ClickButton(box, PPMB_ID_REPORT);
  live::Pump(200);
  EXPECT_EQ(reports, 1);
  // The help file does not exist; the box stays either way.
  ClickButton(box, IDHELP);
  live::Pump(300);
  EXPECT_FALSE(run.Finished());
  HWND still = run.WaitForBox(2000);
  ASSERT_EQ(still, box);
  ClickButton(box, IDOK);
  EXPECT_EQ(run.WaitResult(), IDOK);
  ::DestroyWindow(owner);
}

TEST(MessageBoxLive, LinkInTheMessageOpensItsAddressAndKeepsTheBoxOpen) {
  static std::mutex mutex;
  static std::vector<std::wstring> opened;
  opened.clear();
  CPPHtmlDrawer::SetAddressOpener([](const std::wstring& address) {
    std::lock_guard<std::mutex> lock(mutex);
    opened.push_back(address);
    return true;
  });
  BoxThread run(Params(L"Open the <a href=\"https://example.invalid/page\">home page</a> now.", MB_OK));
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  const gui::Image image = ctltest::Capture(box);
  RECT frame;
  ::GetWindowRect(box, &frame);
  POINT origin = {0, 0};
  ::ClientToScreen(box, &origin);
  const int dx = origin.x - frame.left, dy = origin.y - frame.top;
  // The link's pixels: blue text above the buttons.
  const RECT client = ClientRect(box);
  const int buttonsTop = Buttons(box)[0].rect.top;
  long sumX = 0, sumY = 0, count = 0;
  for (int y = 0; y < buttonsTop; ++y)
    for (int x = 0; x < client.right; ++x) {
      const COLORREF c = ctltest::PixelOf(image, dx + x, dy + y);
      if (GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100) {
        sumX += x;
        sumY += y;
        ++count;
      }
    }
  ASSERT_GT(count, 10) << "no link drawn";
  live::BringToFront(box);
  live::Click(box, POINT{static_cast<LONG>(sumX / count), static_cast<LONG>(sumY / count)});
  live::Pump(200);
  {
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], L"https://example.invalid/page");
  }
  EXPECT_FALSE(run.Finished());
  ClickButton(box, IDOK);
  EXPECT_EQ(run.WaitResult(), IDOK);
  CPPHtmlDrawer::SetAddressOpener(nullptr);
}

TEST(MessageBoxLive, EscapedTextShowsItsSignsAndTheFallbackCaptionIsError) {
  const std::wstring escaped = html::EscapeText(L"C:\\a<b>&c\\file <1>.ovs");
  HtmlMessageBoxParams p = Params(escaped.c_str(), MB_OK);
  p.caption = nullptr;
  BoxThread run(p);
  HWND box = run.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::WindowText(box), L"Error");
  EXPECT_EQ(HiddenText(box), L"C:\\a<b>&c\\file <1>.ovs");
  gui::SaveCapture(ctltest::Capture(box), L"message_box_escaped");
  live::BringToFront(box);
  live::Key(VK_RETURN);
  EXPECT_EQ(run.WaitResult(), IDOK);
}

}  // namespace
