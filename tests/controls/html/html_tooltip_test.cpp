// The HTML tooltip in a live dialog under the real pointer: the tip shows after the initial
// delay with its tail at the cursor and hides after the automatic-hide delay; its direction
// flips to stay on the screen at every corner; the drawer's width limit wraps long texts; the
// owner fills the text on the showing notification (an empty text shows nothing); keys and
// clicks hide it at once; fading passes through its steps; a drop-down combo box is one tool;
// a re-show tool shows again where the cursor rests. The placement rules are also checked as a
// table without windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/html/html_tooltip.h"
#include "controls/html/html_text.h"
#include "live_input.h"
#include "test_dialog.h"

namespace {

constexpr WORD kButton = 101;
constexpr WORD kRects = 102;
constexpr WORD kCombo = 103;
constexpr WORD kDisabled = 104;
constexpr DWORD kWaitMs = 10000;
// Window timers may fire a little early on some systems.
constexpr DWORD kTimerSlackMs = 60;

// A tooltip that records the transparency of every paint.
class RecordingTip : public CPPToolTip {
 public:
  std::vector<int> painted;
  DWORD firstPaintTick = 0;

 protected:
  void OnDrawBorder(HDC dc, HRGN region) override {
    if (painted.empty()) firstPaintTick = ::GetTickCount();
    painted.push_back(Transparency());
    CPPToolTip::OnDrawBorder(dc, region);
  }
};

struct Note {
  HWND toolWnd;
  UINT id;
  POINT point;
};

// The owner: relays every message and answers the showing notification.
class TipDialog : public ctltest::HostDialog {
 public:
  RecordingTip tip;
  std::vector<Note> notes;
  // Text given to tools whose text is empty; by tool id.
  std::wstring (*textFor)(UINT id, POINT point) = nullptr;

  BOOL PreTranslateMessage(MSG* msg) override {
    tip.RelayEvent(msg);
    return HostDialog::PreTranslateMessage(msg);
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr && hdr->code == TIPN_SHOWING && hdr->hwndFrom == tip.GetSafeHwnd()) {
      auto* note = reinterpret_cast<PPToolTipShowing*>(lParam);
      notes.push_back({note->toolWnd, note->tool->id, *note->point});
      if (textFor && note->tool->text.IsEmpty()) note->tool->text = textFor(note->tool->id, *note->point).c_str();
      return TRUE;
    }
    return HostDialog::OnNotify(wParam, lParam, result);
  }
};

ctltest::DialogTemplate MakeTemplate() {
  ctltest::DialogTemplate t(L"Tooltip host", 220, 120);
  t.Add(L"Button", L"Tool", BS_PUSHBUTTON, 6, 6, 100, 40, kButton);
  t.Add(L"Static", L"", SS_NOTIFY | SS_SUNKEN, 114, 6, 100, 40, kRects);
  t.Add(L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL, 6, 56, 100, 60, kCombo);
  t.Add(L"Button", L"Off", BS_PUSHBUTTON | WS_DISABLED, 114, 56, 100, 30, kDisabled);
  return t;
}

PPToolInfo Tool(UINT id, const wchar_t* text, CRect rect = CRect()) {
  PPToolInfo tool;
  tool.id = id;
  tool.text = text;
  tool.rect = rect;
  return tool;
}

bool TipVisible(const CPPToolTip& tip) { return ::IsWindowVisible(tip.GetSafeHwnd()) != FALSE; }

bool WaitShown(CPPToolTip& tip) {
  return live::PumpUntil([&] { return TipVisible(tip) && tip.State() == CPPToolTip::kShown; }, kWaitMs);
}

bool WaitHidden(CPPToolTip& tip) {
  return live::PumpUntil([&] { return !TipVisible(tip) && tip.State() == CPPToolTip::kHidden; }, kWaitMs);
}

POINT ScreenPoint(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  return client;
}

CRect ScreenRectOf(HWND window) {
  CRect r;
  ::GetWindowRect(window, &r);
  return r;
}

void SaveTipCapture(const TipDialog& dialog, const wchar_t* name) {
  CRect area = ScreenRectOf(dialog.GetSafeHwnd());
  area.UnionRect(area, ScreenRectOf(dialog.tip.GetSafeHwnd()));
  area.IntersectRect(area, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
  gui::SaveCapture(gui::CaptureScreenRect(area), name);
}

class HtmlTooltip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Open(MakeTemplate(), 200, 200));
    ASSERT_TRUE(dialog.tip.Create(&dialog));
    dialog.tip.SetUpForDialog(&dialog, 800, 200, 1000);
    live::BringToFront(dialog.GetSafeHwnd());
  }
  void TearDown() override {
    ctltest::HoverAway();
    dialog.tip.DestroyWindow();
    dialog.DestroyWindow();
  }
  HWND Item(WORD id) { return ::GetDlgItem(dialog.GetSafeHwnd(), id); }
  // Moves the real cursor to a point of a control (its client coordinates).
  void MoveOver(WORD id, POINT client) { live::MoveTo(Item(id), client); }

  TipDialog dialog;
};

TEST(HtmlTooltipPlacement, DirectionsFlipToStayOnTheScreen) {
  CPPToolTip tip;  // defaults: tail 16 long at 16 from the corner, margins 12
  const SIZE screen = {1000, 800};
  const SIZE text = {100, 20};  // body 124 × 44
  const struct {
    UINT from;
    POINT point;
    UINT to;
    POINT anchor;
  } kCases[] = {
      // Above the point, tail near the left: stays in the open, flips near the edges.
      {TIPD_ABOVE_TAIL_LEFT, {500, 400}, TIPD_ABOVE_TAIL_LEFT, {16, 60}},
      {TIPD_ABOVE_TAIL_LEFT, {950, 400}, TIPD_ABOVE_TAIL_RIGHT, {124 - 16, 60}},
      {TIPD_ABOVE_TAIL_LEFT, {500, 30}, TIPD_BELOW_TAIL_LEFT, {16, 0}},
      {TIPD_ABOVE_TAIL_LEFT, {990, 10}, TIPD_BELOW_TAIL_RIGHT, {124 - 16, 0}},
      {TIPD_BELOW_TAIL_LEFT, {500, 790}, TIPD_ABOVE_TAIL_LEFT, {16, 60}},
      {TIPD_BELOW_TAIL_RIGHT, {20, 400}, TIPD_BELOW_TAIL_LEFT, {16, 0}},
      // Centred tails move to the end variants at the very edges and shift with the window.
      {TIPD_ABOVE_TAIL_CENTRE, {10, 400}, TIPD_ABOVE_TAIL_LEFT, {16, 60}},
      {TIPD_ABOVE_TAIL_CENTRE, {995, 400}, TIPD_ABOVE_TAIL_RIGHT, {124 - 16, 60}},
      {TIPD_ABOVE_TAIL_CENTRE, {40, 400}, TIPD_ABOVE_TAIL_CENTRE, {40, 60}},
      {TIPD_ABOVE_TAIL_CENTRE, {960, 400}, TIPD_ABOVE_TAIL_CENTRE, {124 - 40, 60}},
      {TIPD_ABOVE_TAIL_CENTRE, {500, 400}, TIPD_ABOVE_TAIL_CENTRE, {62, 60}},
      // Beside the point: the side flips, the tail moves along the side.
      {TIPD_RIGHT_TAIL_TOP, {950, 400}, TIPD_LEFT_TAIL_TOP, {140, 16}},
      {TIPD_LEFT_TAIL_TOP, {50, 400}, TIPD_RIGHT_TAIL_TOP, {0, 16}},
      {TIPD_RIGHT_TAIL_TOP, {500, 790}, TIPD_RIGHT_TAIL_BOTTOM, {0, 790 + 44 - 800}},
      {TIPD_RIGHT_TAIL_BOTTOM, {500, 10}, TIPD_RIGHT_TAIL_TOP, {0, 10}},
      {TIPD_LEFT_TAIL_CENTRE, {500, 5}, TIPD_LEFT_TAIL_TOP, {140, 5}},
      {TIPD_LEFT_TAIL_CENTRE, {500, 795}, TIPD_LEFT_TAIL_BOTTOM, {140, 795 + 44 - 800}},
  };
  for (const auto& c : kCases) {
    const CPPToolTip::Placement p = tip.Place(c.from, c.point, text, screen);
    EXPECT_EQ(p.direction, c.to) << std::hex << c.from << std::dec << " at " << c.point.x << "," << c.point.y;
    EXPECT_EQ(p.anchor, CPoint(c.anchor)) << std::hex << c.from << std::dec << " at " << c.point.x << "," << c.point.y;
  }
}

TEST(HtmlTooltipPlacement, BodyAndTextLeaveRoomForTheTail) {
  CPPToolTip tip;
  const SIZE screen = {1000, 800};
  const SIZE text = {100, 20};
  const struct {
    UINT direction;
    CSize window;
    CRect body;
  } kCases[] = {
      {TIPD_BELOW_TAIL_LEFT, {124, 60}, {0, 16, 124, 60}},
      {TIPD_ABOVE_TAIL_LEFT, {124, 60}, {0, 0, 124, 44}},
      {TIPD_RIGHT_TAIL_TOP, {140, 44}, {16, 0, 140, 44}},
      {TIPD_LEFT_TAIL_TOP, {140, 44}, {0, 0, 124, 44}},
  };
  for (const auto& c : kCases) {
    const CPPToolTip::Placement p = tip.Place(c.direction, {500, 400}, text, screen);
    EXPECT_EQ(p.direction, c.direction);
    EXPECT_EQ(p.window, c.window) << std::hex << c.direction;
    EXPECT_EQ(p.body, c.body) << std::hex << c.direction;
    EXPECT_EQ(p.text, CRect(c.body.left + 12, c.body.top + 12, c.body.left + 112, c.body.top + 32)) << std::hex
                                                                                                      << c.direction;
  }
}

TEST_F(HtmlTooltip, ShowsAfterTheDelayAtTheToolAndHidesAfterTheTimeOut) {
  RecordingTip& tip = dialog.tip;
  tip.AddTool(Item(kButton), Tool(7, L"<b>Bold</b> tool text"));
  const DWORD moved = ::GetTickCount();
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  const DWORD shown = tip.firstPaintTick;
  EXPECT_GE(shown - moved, tip.m_initialDelay - kTimerSlackMs);
  EXPECT_EQ(tip.CurrentToolWindow(), Item(kButton));
  EXPECT_EQ(tip.CurrentTool().id, 7u);

  // Above the cursor with the tail's tip on it.
  POINT cursor;
  ::GetCursorPos(&cursor);
  const CRect window = ScreenRectOf(tip.GetSafeHwnd());
  EXPECT_EQ(tip.Direction(), static_cast<UINT>(TIPD_ABOVE_TAIL_LEFT));
  EXPECT_EQ(window.TopLeft() + tip.CurrentPlacement().anchor, CPoint(cursor));
  EXPECT_EQ(window.Width(), tip.CurrentPlacement().window.cx + tip.m_shadowOffsetX);

  // Drawn: the border in the info text colour, the text, the white-to-grey background.
  const gui::Image image = gui::CaptureWindow(tip.GetSafeHwnd());
  const CRect& body = tip.CurrentPlacement().body;
  EXPECT_GT(gui::CountColours(image, RECT{body.left + 12, body.top + 12, body.right - 12, body.bottom - 12}), 3);
  const COLORREF border = ::GetSysColor(COLOR_INFOTEXT);
  const std::uint32_t px = image.At(body.left + body.Width() / 2, body.top);
  EXPECT_EQ(px & 0xFFFFFF, static_cast<std::uint32_t>((GetRValue(border) << 16) | (GetGValue(border) << 8) | GetBValue(border)));
  SaveTipCapture(dialog, L"tooltip_shown");

  ASSERT_TRUE(WaitHidden(tip));
  EXPECT_GE(::GetTickCount() - shown, tip.m_autoHideDelay - kTimerSlackMs);
  // Resting on the same tool does not bring it back; leaving and returning does.
  live::Pump(2 * tip.m_initialDelay);
  EXPECT_FALSE(TipVisible(tip));
  MoveOver(kDisabled, {5, 5});
  MoveOver(kButton, {35, 30});
  EXPECT_TRUE(WaitShown(tip));
}

TEST_F(HtmlTooltip, FlipsAtEveryCornerOfTheScreen) {
  RecordingTip& tip = dialog.tip;
  tip.AddTool(Item(kButton), Tool(1, L"A tip near a corner of the screen"));
  const int W = ::GetSystemMetrics(SM_CXSCREEN), H = ::GetSystemMetrics(SM_CYSCREEN);
  const CRect dialogRect = ScreenRectOf(dialog.GetSafeHwnd());
  CRect client, button;
  dialog.GetClientRect(&client);
  ::GetClientRect(Item(kButton), &button);
  const struct {
    const wchar_t* name;
    bool right, bottom;
    UINT direction;
  } kCorners[] = {
      {L"tooltip_corner_top_left", false, false, TIPD_BELOW_TAIL_LEFT},
      {L"tooltip_corner_top_right", true, false, TIPD_BELOW_TAIL_RIGHT},
      {L"tooltip_corner_bottom_left", false, true, TIPD_ABOVE_TAIL_LEFT},
      {L"tooltip_corner_bottom_right", true, true, TIPD_ABOVE_TAIL_RIGHT},
  };
  for (const auto& c : kCorners) {
    SCOPED_TRACE(testing::Message() << "corner " << (c.bottom ? "bottom " : "top ") << (c.right ? "right" : "left"));
    // The dialog in the corner, its tool in the client area's corner nearest to the screen's.
    const int x = c.right ? W - dialogRect.Width() : 0, y = c.bottom ? H - dialogRect.Height() : 0;
    dialog.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(Item(kButton), HWND_TOP, c.right ? client.right - button.Width() : 0,
                   c.bottom ? client.bottom - button.Height() : 0, 0, 0, SWP_NOSIZE);
    live::Pump(50);
    MoveOver(kDisabled, {5, 5});
    ASSERT_TRUE(WaitHidden(tip));
    // Across, the tail's tip sits 16 pixels in from the balloon's end: the cursor stays further
    // in than that so the whole balloon can be on the screen.
    MoveOver(kButton, {c.right ? button.right - 20 : 20, c.bottom ? button.bottom - 3 : 3});
    ASSERT_TRUE(WaitShown(tip));
    EXPECT_EQ(tip.Direction(), c.direction);
    const CRect window = ScreenRectOf(tip.GetSafeHwnd());
    const CSize balloon = tip.CurrentPlacement().window;
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    EXPECT_LE(window.left + balloon.cx, W);
    EXPECT_LE(window.top + balloon.cy, H);
    POINT cursor;
    ::GetCursorPos(&cursor);
    EXPECT_EQ(window.TopLeft() + tip.CurrentPlacement().anchor, CPoint(cursor));
    SaveTipCapture(dialog, c.name);
  }
}

TEST_F(HtmlTooltip, TheWidthLimitWrapsLongTexts) {
  RecordingTip& tip = dialog.tip;
  const wchar_t* kLong =
      L"A long tooltip text that has far more words than fit on one line of the narrow tip, so the drawer "
      L"breaks it at blanks into several lines.";
  tip.AddTool(Item(kButton), Tool(1, kLong));
  tip.m_drawer.SetMaxWidth(0);
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  const CRect oneLine = tip.CurrentPlacement().text;

  tip.m_drawer.SetMaxWidth(160);
  MoveOver(kDisabled, {5, 5});
  ASSERT_TRUE(WaitHidden(tip));
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  const CRect wrapped = tip.CurrentPlacement().text;
  EXPECT_GT(oneLine.Width(), 160);
  EXPECT_LE(wrapped.Width(), 161);
  EXPECT_GE(wrapped.Height(), 4 * (oneLine.Height() - 1));
  EXPECT_EQ(tip.CurrentPlacement().body.Width(), wrapped.Width() + 24);
  SaveTipCapture(dialog, L"tooltip_wrapped");
}

TEST_F(HtmlTooltip, TheOwnerFillsTheTextAndAnEmptyTextShowsNothing) {
  RecordingTip& tip = dialog.tip;
  tip.AddTool(Item(kRects), Tool(21, L"", CRect(0, 0, 60, 70)));
  tip.AddTool(Item(kRects), Tool(22, L"", CRect(60, 0, 200, 70)));
  dialog.textFor = [](UINT id, POINT) { return id == 21 ? std::wstring(L"Left half") : std::wstring(); };

  MoveOver(kRects, {20, 20});
  ASSERT_TRUE(WaitShown(tip));
  ASSERT_FALSE(dialog.notes.empty());
  EXPECT_EQ(dialog.notes.back().id, 21u);
  EXPECT_EQ(dialog.notes.back().toolWnd, Item(kRects));
  EXPECT_EQ(CPoint(dialog.notes.back().point), CPoint(ScreenPoint(Item(kRects), {20, 20})));
  EXPECT_EQ(tip.CurrentTool().text, CString(L"Left half"));

  // The other rectangle's tool is asked too, but its empty text shows no tip.
  MoveOver(kRects, {100, 20});
  ASSERT_TRUE(live::PumpUntil([&] { return dialog.notes.back().id == 22u; }, kWaitMs));
  live::Pump(2 * tip.m_initialDelay);
  EXPECT_FALSE(TipVisible(tip));
  EXPECT_EQ(tip.State(), CPPToolTip::kHidden);

  // A disabled control and the dialog's own background have no tool.
  const size_t asked = dialog.notes.size();
  MoveOver(kDisabled, {10, 10});
  live::Pump(2 * tip.m_initialDelay);
  EXPECT_EQ(dialog.notes.size(), asked);
  EXPECT_FALSE(TipVisible(tip));
}

TEST_F(HtmlTooltip, KeysAndClicksHideTheTipAtOnce) {
  RecordingTip& tip = dialog.tip;
  tip.m_autoHideDelay = 0;  // it would stay for good otherwise
  tip.AddTool(Item(kButton), Tool(1, L"Stays until a key or a click"));
  tip.AddTool(Item(kRects), Tool(2, L"Second tool"));
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  live::Key(VK_SHIFT);
  EXPECT_TRUE(WaitHidden(tip));

  MoveOver(kRects, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  live::ButtonDown();
  live::ButtonUp();
  EXPECT_TRUE(WaitHidden(tip));
}

TEST_F(HtmlTooltip, FadingStepsAndPerToolTransparency) {
  RecordingTip& tip = dialog.tip;
  PPToolInfo half = Tool(1, L"Half transparent");
  half.mask = TIPM_TRANSPARENCY;
  half.transparency = 40;
  tip.AddTool(Item(kButton), half);
  tip.AddTool(Item(kRects), Tool(2, L"Opaque"));

  // Without fade steps the tip paints straight at its transparency.
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  EXPECT_EQ(tip.Transparency(), 40);
  for (int t : tip.painted) EXPECT_EQ(t, 40);
  SaveTipCapture(dialog, L"tooltip_transparent");

  // With them it passes through steps of 20 on the way in and out.
  tip.m_fadeInStep = 20;
  tip.m_fadeOutStep = 20;
  MoveOver(kRects, {30, 30});
  ASSERT_TRUE(WaitHidden(tip));
  tip.painted.clear();
  ASSERT_TRUE(WaitShown(tip));
  const std::vector<int> in = tip.painted;
  ASSERT_TRUE(WaitHidden(tip));
  const std::vector<int> out(tip.painted.begin() + static_cast<long>(in.size()), tip.painted.end());
  ASSERT_GE(in.size(), 3u);
  EXPECT_EQ(in.front(), 100);
  EXPECT_EQ(in.back(), 0);
  for (size_t i = 1; i < in.size(); ++i) EXPECT_LE(in[i], in[i - 1]);
  ASSERT_FALSE(out.empty());
  for (size_t i = 1; i < out.size(); ++i) EXPECT_GE(out[i], out[i - 1]);
  EXPECT_GT(out.front(), 0);
  EXPECT_LT(out.back(), 100);
}

TEST_F(HtmlTooltip, ADropDownComboBoxIsOneToolWithItsEditField) {
  RecordingTip& tip = dialog.tip;
  tip.AddTool(Item(kCombo), Tool(3, L"Combo box"));
  HWND edit = ::GetWindow(Item(kCombo), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  live::MoveTo(edit, {5, 5});
  ASSERT_TRUE(WaitShown(tip));
  EXPECT_EQ(tip.CurrentToolWindow(), Item(kCombo));
}

TEST_F(HtmlTooltip, AReshowToolShowsAgainWhereTheCursorRests) {
  RecordingTip& tip = dialog.tip;
  PPToolInfo tool = Tool(5, L"");
  tool.mask = TIPM_BEHAVIOUR;
  tool.behaviour = TIPB_RESHOW;
  tip.m_autoHideDelay = 0;
  tip.AddTool(Item(kButton), tool);
  dialog.textFor = [](UINT, POINT point) { return L"Shown at " + std::to_wstring(point.x); };
  MoveOver(kButton, {20, 30});
  ASSERT_TRUE(WaitShown(tip));
  const CRect first = ScreenRectOf(tip.GetSafeHwnd());
  ASSERT_EQ(dialog.notes.size(), 1u);
  // A move inside the tool hides the tip and shows it again (a new showing request) where
  // the cursor rests.
  MoveOver(kButton, {60, 30});
  ASSERT_TRUE(live::PumpUntil([&] { return dialog.notes.size() == 2 && TipVisible(tip); }, kWaitMs));
  const CRect second = ScreenRectOf(tip.GetSafeHwnd());
  POINT cursor;
  ::GetCursorPos(&cursor);
  EXPECT_EQ(second.TopLeft() + tip.CurrentPlacement().anchor, CPoint(cursor));
  EXPECT_EQ(second.left - first.left, 40);
  EXPECT_EQ(tip.CurrentTool().text, CString(("Shown at " + std::to_string(cursor.x)).c_str()));
}

TEST_F(HtmlTooltip, EscapedUserTextShowsItsSpecialCharacters) {
  RecordingTip& tip = dialog.tip;
  const std::wstring escaped = html::EscapeText(L"AA<KK & QQ>JJ");
  tip.AddTool(Item(kButton), Tool(1, escaped.c_str()));
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  // The drawer keeps the text as it will draw it: the escapes turned back into the characters.
  const std::wstring& prepared = tip.m_drawer.Renderer().PreparedText();
  EXPECT_NE(prepared.find(L"AA<<KK & QQ>JJ"), std::wstring::npos);
  SaveTipCapture(dialog, L"tooltip_escaped");
}

TEST_F(HtmlTooltip, WindowInformationModeDescribesTheWindowUnderTheCursor) {
  RecordingTip& tip = dialog.tip;
  tip.m_windowInfoMode = TRUE;
  tip.AddTool(Item(kButton), Tool(1, L"unused"));
  MoveOver(kButton, {30, 30});
  ASSERT_TRUE(WaitShown(tip));
  const CString text = tip.CurrentTool().text;
  EXPECT_NE(text.Find(L"<td width=130 bgcolor=window>Button</td>"), -1);
  EXPECT_NE(text.Find(L"<td width=130 bgcolor=window>101</td>"), -1);
  EXPECT_NE(text.Find(L"<td width=130 bgcolor=window>Yes</td>"), -1);
  EXPECT_NE(text.Find(L"<td width=130 bgcolor=window>Tooltip host</td>"), -1);
  SaveTipCapture(dialog, L"tooltip_window_info");

  // Values lose their markup and long ones are cut.
  ::SetWindowTextW(Item(kButton), L"<b>A title that is far too long to show</b>");
  const CString described = CPPToolTip::DescribeWindow(Item(kButton), {1, 2}, false);
  EXPECT_NE(described.Find(L">?b&gt;A title that is fa ...</td>"), -1) << described.GetString();
  EXPECT_NE(described.Find(L">No</td>"), -1);
}

}  // namespace
