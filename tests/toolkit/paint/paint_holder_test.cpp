// The paint-manager holder: installing managers, telling registered windows, the designated
// notifier of a frame, state streams and the holder's archive format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/paint_manager_xp.h"

// Stand-ins with the run-time class names the notifier rule looks for.
namespace fake {
class CExtStatusControlBar : public CWnd {
  DECLARE_DYNAMIC(CExtStatusControlBar)
};
IMPLEMENT_DYNAMIC(CExtStatusControlBar, CWnd)
class CExtDockOuterBar : public CWnd {
  DECLARE_DYNAMIC(CExtDockOuterBar)
};
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CWnd)
class CExtMiniDockFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CExtMiniDockFrameWnd)
};
IMPLEMENT_DYNAMIC(CExtMiniDockFrameWnd, CFrameWnd)
}  // namespace fake

// A manager that counts its rebuilds and destructions.
class CountingManager : public CExtPaintManager {
  DECLARE_SERIAL(CountingManager)

 public:
  ~CountingManager() override { ++destroyed; }
  void RebuildFontsAndSysColors() override {
    ++rebuilds;
    CExtPaintManager::RebuildFontsAndSysColors();
  }
  static int rebuilds, destroyed;
};
IMPLEMENT_SERIAL(CountingManager, CExtPaintManager, VERSIONABLE_SCHEMA | 1)
int CountingManager::rebuilds = 0;
int CountingManager::destroyed = 0;

// A serial class that is no paint manager.
class NotAManager : public CObject {
  DECLARE_SERIAL(NotAManager)

 public:
  NotAManager() { ++made; }
  static int made;
};
IMPLEMENT_SERIAL(NotAManager, CObject, 1)
int NotAManager::made = 0;

namespace {

auto& holder = g_PaintManagerHolder;

// A painting window's bridge that records what it is told.
class RecordingBridge : public CExtPmBridge {
 public:
  explicit RecordingBridge(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
  ~RecordingBridge() override { UnregisterBridge(); }
  void RegisterBridge(bool atTail = true) override { holder.AttachBridge(this, atTail); }
  void UnregisterBridge() override { holder.DetachBridge(this); }
  HWND BridgedWindow() override { return m_hWnd; }
  CExtPaintManager* BridgedManager() override { return holder.CurrentManager(); }
  void HandleManagerReplaced(CExtPaintManager* manager) override {
    replaced.push_back(manager);
    log->push_back(name);
    if (onReplaced) onReplaced();
    CExtPmBridge::HandleManagerReplaced(manager);
  }
  void HandleSysColorChange(CExtPaintManager*, CWnd* notifier) override { colorChanges.push_back(notifier); }
  void HandleSettingChange(CExtPaintManager*, CWnd*, UINT, LPCTSTR) override { ++settingChanges; }

  HWND m_hWnd;
  std::string name;
  std::vector<std::string>* log = &ownLog;
  std::vector<std::string> ownLog;
  std::vector<CExtPaintManager*> replaced;
  std::vector<CWnd*> colorChanges;
  int settingChanges = 0;
  void (*onReplaced)() = nullptr;
};

int g_frameChanges = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCALCSIZE) ++g_frameChanges;
  return ::DefWindowProcW(h, m, w, l);
}

HWND CreateCountingWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CountingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PaintHolderTestWindow";
    return ::RegisterClassW(&wc);
  }();
  (void)atom;
  return ::CreateWindowExW(0, L"PaintHolderTestWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

TEST(PaintHolder, DefaultThemeIsXpAndSameManagerReloadsNothing) {
  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  CExtPaintManager* pm = holder.CurrentManager();
  ASSERT_NE(pm, nullptr);
  EXPECT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
  EXPECT_EQ(pm->GetThemeKindCode(), 29751);
  EXPECT_EQ(holder.operator->(), pm);

  CountingManager::rebuilds = 0;
  CountingManager::destroyed = 0;
  auto* counting = new CountingManager;
  ASSERT_TRUE(holder.ReplaceManager(counting));
  EXPECT_EQ(CountingManager::rebuilds, 1);
  EXPECT_TRUE(holder.ReplaceManager(counting));
  EXPECT_EQ(CountingManager::rebuilds, 1);
  // Null replaces it with a new XP theme and deletes it.
  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  EXPECT_EQ(CountingManager::destroyed, 1);
  EXPECT_TRUE(holder.CurrentManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
}

TEST(PaintHolder, ReplacementReachesEveryRegisteredWindowInOrder) {
  std::vector<std::string> log;
  HWND window = CreateCountingWindow();
  ASSERT_NE(window, nullptr);
  RecordingBridge first(window), second(nullptr), head(nullptr);
  first.name = "first";
  second.name = "second";
  head.name = "head";
  first.log = second.log = head.log = &log;
  first.RegisterBridge(true);
  second.RegisterBridge(true);
  head.RegisterBridge(false);
  ::ValidateRect(window, nullptr);
  g_frameChanges = 0;

  auto* manager = new CountingManager;
  ASSERT_TRUE(holder.ReplaceManager(manager));
  EXPECT_EQ(log, (std::vector<std::string>{"head", "first", "second"}));
  ASSERT_EQ(first.replaced.size(), 1u);
  EXPECT_EQ(first.replaced[0], manager);
  EXPECT_EQ(second.replaced.size(), 1u);  // told, though it has no window to redraw
  // The window's frame was recalculated and the whole window invalidated.
  EXPECT_GE(g_frameChanges, 1);
  RECT update{};
  EXPECT_TRUE(::GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.right - update.left, 60);

  second.UnregisterBridge();
  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  EXPECT_EQ(second.replaced.size(), 1u);
  EXPECT_EQ(first.replaced.size(), 2u);
  first.UnregisterBridge();
  head.UnregisterBridge();
  ::DestroyWindow(window);
}

RecordingBridge* g_detachDuringCall = nullptr;

TEST(PaintHolder, ReplacementDuringAReplacementIsRefused) {
  RecordingBridge reentrant;
  reentrant.onReplaced = [] {
    CountingManager::destroyed = 0;
    EXPECT_FALSE(holder.ReplaceManager(new CountingManager));
    // The refused manager is not leaked.
    EXPECT_EQ(CountingManager::destroyed, 1);
    if (g_detachDuringCall) g_detachDuringCall->UnregisterBridge();
  };
  RecordingBridge later;
  reentrant.RegisterBridge();
  later.RegisterBridge();
  g_detachDuringCall = &later;  // a bridge removed while the list is walked is not told
  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  EXPECT_EQ(reentrant.replaced.size(), 1u);
  EXPECT_TRUE(later.replaced.empty());
  g_detachDuringCall = nullptr;
  EXPECT_TRUE(holder.CurrentManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
}

// A frame with optional status and dock bars, children of the frame by their control ids.
struct TestFrame {
  explicit TestFrame(bool withStatus, bool withTopDock, bool withLeftDock) {
    frame = new CFrameWnd;
    frame->Create(nullptr, L"Holder test frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200));
    if (withStatus) status = Child(new fake::CExtStatusControlBar, 0xE801);
    if (withTopDock) top = Child(new fake::CExtDockOuterBar, 0xE81B);
    if (withLeftDock) left = Child(new fake::CExtDockOuterBar, 0xE81C);
    plain = Child(new CWnd, 100);
  }
  ~TestFrame() {
    for (CWnd* w : owned) {
      w->DestroyWindow();
      delete w;
    }
    frame->DestroyWindow();
  }
  CWnd* Child(CWnd* w, UINT id) {
    w->Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), frame, id);
    owned.push_back(w);
    return w;
  }
  CFrameWnd* frame = nullptr;
  CWnd *status = nullptr, *top = nullptr, *left = nullptr, *plain = nullptr;
  std::vector<CWnd*> owned;
};

TEST(PaintHolder, OneDesignatedNotifierPerFrame) {
  {
    TestFrame f(true, true, false);
    EXPECT_TRUE(holder.IsDesignatedNotifier(f.status));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.top));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.plain));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.frame));
    holder.m_forwardBroadcasts = false;
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.status));
    holder.m_forwardBroadcasts = true;
  }
  {
    TestFrame f(false, true, true);  // no status bar: the top outer dock bar decides
    EXPECT_TRUE(holder.IsDesignatedNotifier(f.top));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.left));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.plain));
  }
  {
    TestFrame f(false, false, true);
    EXPECT_TRUE(holder.IsDesignatedNotifier(f.left));
    EXPECT_FALSE(holder.IsDesignatedNotifier(f.plain));
  }
  {
    TestFrame f(false, false, false);  // nothing to forward for it: every window may
    EXPECT_TRUE(holder.IsDesignatedNotifier(f.plain));
  }
  {
    // A window of a floating mini frame is judged against the main frame's bars.
    TestFrame f(true, false, false);
    auto* mini = new fake::CExtMiniDockFrameWnd;
    ASSERT_TRUE(mini->Create(nullptr, L"float", WS_POPUP | WS_CAPTION, CRect(0, 0, 80, 60), f.frame));
    CWnd floating;
    floating.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 10, 10), mini, 5);
    EXPECT_FALSE(holder.IsDesignatedNotifier(&floating));
    floating.DestroyWindow();
    mini->DestroyWindow();
  }
  EXPECT_TRUE(holder.IsDesignatedNotifier(nullptr));
}

TEST(PaintHolder, DispatchesOnlyFromTheDesignatedNotifier) {
  TestFrame f(true, true, false);
  auto* manager = new CountingManager;
  ASSERT_TRUE(holder.ReplaceManager(manager));
  RecordingBridge bridge;
  bridge.RegisterBridge();
  CountingManager::rebuilds = 0;
  holder.DispatchSysColorChange(f.top);
  EXPECT_EQ(CountingManager::rebuilds, 0);
  EXPECT_TRUE(bridge.colorChanges.empty());
  holder.DispatchSysColorChange(f.status);
  EXPECT_EQ(CountingManager::rebuilds, 1);
  ASSERT_EQ(bridge.colorChanges.size(), 1u);
  EXPECT_EQ(bridge.colorChanges[0], f.status);
  holder.DispatchSettingChange(f.status, 0, nullptr);
  EXPECT_EQ(bridge.settingChanges, 1);
  EXPECT_EQ(CountingManager::rebuilds, 2);
  bridge.UnregisterBridge();
}

TEST(PaintHolder, WheelLinesAreCachedUntilASettingChange) {
  UINT system = 0;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &system, 0));
  const UINT lines = holder.WheelScrollLines();
  EXPECT_EQ(lines, extpaint::WheelLinesFor(false, true, system));
  EXPECT_GE(lines, 2u);
  EXPECT_EQ(holder.WheelScrollLines(), lines);
}

TEST(PaintHolder, SystemFactsOfThisSystem) {
  // Wine reports an NT 6.1 system at 96 DPI.
  EXPECT_TRUE(holder.HasOs(extpaint::OsIsNT));
  EXPECT_TRUE(holder.HasOs(extpaint::OsNT5OrLater));
  EXPECT_EQ(holder.m_featureSwitches & 0x08, 0x08);
  EXPECT_EQ(holder.m_dpiAverage, (holder.m_dpiX + holder.m_dpiY) / 2);
  EXPECT_NE(holder.m_pfnAlphaBlend, nullptr);
  EXPECT_NE(holder.m_pfnGradientFill, nullptr);
  EXPECT_NE(holder.m_pfnUpdateLayeredWindow, nullptr);
  EXPECT_NE(holder.m_nMsgPaintManagerChanged, 0u);
  EXPECT_EQ(holder.m_nMsgPaintManagerChanged,
            ::RegisterWindowMessageW(L"CExtPaintManager::CExtPaintManagerAutoPtr::m_nMsgPaintManagerChanged"));
  EXPECT_NE(holder.m_strOsDescription.Find(L" v."), -1);
}

TEST(PaintHolder, ArchiveFormatRoundTripAndForeignClasses) {
  ASSERT_TRUE(holder.ReplaceManager(new CountingManager));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ASSERT_TRUE(holder.SerializeManager(ar));
    ar.Close();
  }
  const UINT size = static_cast<UINT>(file.GetLength());
  std::vector<BYTE> bytes(size);
  file.SeekToBegin();
  file.Read(bytes.data(), size);
  ASSERT_GT(size, 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(bytes[i], 0) << i;

  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  {
    CMemFile in(bytes.data(), size);
    CArchive ar(&in, CArchive::load);
    EXPECT_TRUE(holder.SerializeManager(ar));
  }
  EXPECT_TRUE(holder.CurrentManager()->IsKindOf(RUNTIME_CLASS(CountingManager)));

  // A class record naming something else is refused before anything is created.
  CMemFile foreign;
  {
    CArchive ar(&foreign, CArchive::store);
    for (int i = 0; i < 5; ++i) ar << static_cast<DWORD>(0);
    ar.WriteClass(RUNTIME_CLASS(NotAManager));
    ar.Close();
  }
  const UINT fsize = static_cast<UINT>(foreign.GetLength());
  std::vector<BYTE> fbytes(fsize);
  foreign.SeekToBegin();
  foreign.Read(fbytes.data(), fsize);
  CExtPaintManager* before = holder.CurrentManager();
  NotAManager::made = 0;
  {
    CMemFile in(fbytes.data(), fsize);
    CArchive ar(&in, CArchive::load);
    EXPECT_FALSE(holder.SerializeManager(ar));
  }
  EXPECT_EQ(NotAManager::made, 0);
  EXPECT_EQ(holder.CurrentManager(), before);
  // A truncated archive fails cleanly too.
  {
    CMemFile in(bytes.data(), 12);
    CArchive ar(&in, CArchive::load);
    EXPECT_FALSE(holder.SerializeManager(ar));
  }
  EXPECT_EQ(holder.CurrentManager(), before);
}

// A sink that records the class named by every state it is given.
class RecordingSink : public CExtPmSynchronizeSink {
 public:
  bool SetSyncedSink(CExtPmSynchronizeSink* sink, bool add, bool pushNow) override {
    return DoSetSyncedSink(sink, add, pushNow);
  }
  IStream* SaveStateToStream(HGLOBAL) override { return nullptr; }
  void LoadStateFromStream(IStream* stream) override {
    BYTE buf[256] = {};
    ULONG got = 0;
    stream->Read(buf, sizeof buf, &got);
    CMemFile file(buf, got);
    CArchive ar(&file, CArchive::load);
    CRuntimeClass* rc = ar.ReadClass();
    loaded.push_back(rc ? rc->m_lpszClassName : "");
  }
  std::vector<std::string> loaded;
};

TEST(PaintHolder, StateReachesSynchronisedSinks) {
  ASSERT_TRUE(holder.ReplaceManager(new CountingManager));
  RecordingSink sink;
  EXPECT_FALSE(holder.SetSyncedSink(nullptr, true, true));
  EXPECT_FALSE(holder.SetSyncedSink(&holder, true, true));
  ASSERT_TRUE(holder.SetSyncedSink(&sink, true, true));
  EXPECT_EQ(sink.loaded, (std::vector<std::string>{"CountingManager"}));
  EXPECT_TRUE(holder.SetSyncedSink(&sink, true, false));  // already there: not added twice
  EXPECT_EQ(holder.SyncedSinkCount(), 1);
  ASSERT_TRUE(holder.ReplaceManager(nullptr));
  EXPECT_EQ(sink.loaded, (std::vector<std::string>{"CountingManager", "CExtPaintManagerXP"}));

  // A state stream loaded into the holder installs the class it names.
  IStream* stream = holder.SaveStateToStream(nullptr);
  ASSERT_NE(stream, nullptr);
  ASSERT_TRUE(holder.ReplaceManager(new CountingManager));
  holder.LoadStateFromStream(stream);
  stream->Release();
  EXPECT_TRUE(holder.CurrentManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));

  EXPECT_TRUE(holder.SetSyncedSink(&sink, false, false));
  EXPECT_FALSE(holder.SetSyncedSink(&sink, false, false));
  EXPECT_TRUE(holder.SetSyncedSink(nullptr, false, false));
  EXPECT_EQ(holder.SyncedSinkCount(), 0);
}

}  // namespace
