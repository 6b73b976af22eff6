// Worker threads with events and critical sections, text files, and the
// clipboard.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <string>

#include "framework/afxwin.h"
#include "test_util.h"

namespace {

class CServicesTestApp : public CWinApp {
 public:
  CServicesTestApp() : CWinApp(L"Services Test") {}
};
CServicesTestApp theApp;

// A worker that draws "frames" until told to stop, as an animation thread does.
struct Animation {
  CEvent stop{FALSE, TRUE};      // manual reset: once set, stays set
  CEvent started{FALSE, FALSE};  // auto reset
  CCriticalSection lock;
  std::atomic<int> frames{0};
  int shared = 0;

  static UINT Run(LPVOID param) {
    auto* self = static_cast<Animation*>(param);
    self->started.SetEvent();
    while (::WaitForSingleObject(self->stop, 5) == WAIT_TIMEOUT) {
      CSingleLock guard(&self->lock, TRUE);
      ++self->shared;
      ++self->frames;
    }
    return 7;
  }
};

TEST(Threads, AWorkerRunsUntilItsStopEventAndReportsItsExitCode) {
  Animation animation;
  CWinThread* thread = AfxBeginThread(&Animation::Run, &animation, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
  thread->ResumeThread();
  ASSERT_TRUE(animation.started.Lock(5000));
  // The main thread shares the counter under the same lock.
  for (int i = 0; i < 100; ++i) {
    CSingleLock guard(&animation.lock);
    ASSERT_TRUE(guard.Lock());
    ++animation.shared;
  }
  while (animation.frames < 3) ::Sleep(5);
  animation.stop.SetEvent();
  ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(code, 7u);
  EXPECT_EQ(animation.shared, animation.frames + 100);
  delete thread;
}

TEST(Threads, EventsAndLocksBehaveAsTheirKinds) {
  CEvent autoReset(TRUE, FALSE);  // created signalled
  EXPECT_TRUE(autoReset.Lock(0));
  EXPECT_FALSE(autoReset.Lock(0));  // one wait took it
  CEvent manual(FALSE, TRUE);
  manual.SetEvent();
  EXPECT_TRUE(manual.Lock(0));
  EXPECT_TRUE(manual.Lock(0));
  manual.ResetEvent();
  EXPECT_FALSE(manual.Lock(10));

  CCriticalSection section;
  EXPECT_TRUE(section.Lock());
  EXPECT_TRUE(section.Lock(0));  // the owner may enter again
  section.Unlock();
  section.Unlock();
  CMutex mutex;
  CSingleLock first(&mutex, TRUE);
  EXPECT_TRUE(first.IsLocked());
  first.Unlock();
  EXPECT_FALSE(first.IsLocked());
  CSemaphore semaphore(1, 2);
  EXPECT_TRUE(semaphore.Lock(0));
  EXPECT_FALSE(semaphore.Lock(0));
  EXPECT_TRUE(semaphore.Unlock());
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([] { CSemaphore bad(3, 2); }));
}

TEST(Threads, ACriticalSectionHeldElsewhereTimesOut) {
  CCriticalSection section;
  CEvent held, release;
  struct Args {
    CCriticalSection* section;
    CEvent* held;
    CEvent* release;
  } args{&section, &held, &release};
  CWinThread* thread = AfxBeginThread(
      [](LPVOID p) -> UINT {
        auto* a = static_cast<Args*>(p);
        a->section->Lock();
        a->held->SetEvent();
        a->release->Lock(5000);
        a->section->Unlock();
        return 0;
      },
      &args);
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(held.Lock(5000));
  EXPECT_FALSE(section.Lock(30));
  release.SetEvent();
  EXPECT_TRUE(section.Lock(5000));
  section.Unlock();
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::string FileBytes(const std::wstring& path) {
  CFile file(path.c_str(), CFile::modeRead);
  std::string bytes(static_cast<std::size_t>(file.GetLength()), '\0');
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

TEST(TextFile, WritesLinesWithCarriageReturnsAndReadsThemBack) {
  std::wstring path = TempFile(L"fw_text_file.vof");
  {
    CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    file.WriteString(L"Player0=AAKK\n");
    file.WriteString(L"Flop=\n");
    file.WriteString(L"Dead=2c\u00B0");
  }
  EXPECT_EQ(FileBytes(path), "Player0=AAKK\r\nFlop=\r\nDead=2c\xB0");
  CStdioFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"Player0=AAKK");
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"Flop=");
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"Dead=2c\u00B0");  // the last line, without a line end
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_EQ(line, L"");
  // The other form keeps the line end and stops at the buffer size.
  file.SeekToBegin();
  wchar_t buffer[8];
  ASSERT_NE(file.ReadString(buffer, 8), nullptr);
  EXPECT_STREQ(buffer, L"Player0");
  ASSERT_NE(file.ReadString(buffer, 8), nullptr);
  EXPECT_STREQ(buffer, L"=AAKK\n");
  EXPECT_EQ(file.GetPosition(), 14u);
  file.Close();
  ::DeleteFileW(path.c_str());
}

TEST(TextFile, ReadingAndWritingShareOnePosition) {
  std::wstring path = TempFile(L"fw_text_mixed.txt");
  CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary);
  file.WriteString(L"one\ntwo\n");
  EXPECT_EQ(file.GetLength(), 8u);  // binary: no carriage returns
  file.SeekToBegin();
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, L"one");
  EXPECT_EQ(file.GetPosition(), 4u);
  file.WriteString(L"TWO");
  file.Close();
  EXPECT_EQ(FileBytes(path), "one\nTWO\n");
  ::DeleteFileW(path.c_str());
}

TEST(Clipboard, TextGoesOnAndComesBack) {
  const wchar_t* text = L"Player 1: AAKK\t61.40%\r\n[b]BB[/b] \u2660";
  ASSERT_TRUE(CClipboard::CopyText(text));
  EXPECT_TRUE(CClipboard::IsFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(CClipboard::PasteText(), text);
  {
    CClipboard clipboard;
    ASSERT_TRUE(clipboard.IsOpen());
    const BYTE data[] = {1, 2, 3, 4, 5};
    UINT format = ::RegisterClipboardFormatW(L"FwTestBytes");
    EXPECT_TRUE(clipboard.Empty());
    EXPECT_TRUE(clipboard.SetData(format, data, sizeof data));
    std::vector<BYTE> back;
    EXPECT_TRUE(clipboard.GetData(format, back));
    ASSERT_GE(back.size(), sizeof data);
    EXPECT_EQ(memcmp(back.data(), data, sizeof data), 0);
    CString none;
    EXPECT_FALSE(clipboard.GetText(none));  // emptied: no text any more
  }
  // Held by another window: opening gives up after its time-out.
  CWnd holder;
  ASSERT_TRUE(holder.CreateEx(0, AfxRegisterWndClass(0), L"Holder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  ASSERT_TRUE(::OpenClipboard(holder.m_hWnd));
  bool opened = true;
  DWORD waited = 0;
  std::thread other([&] {
    DWORD start = ::GetTickCount();
    CClipboard clipboard(nullptr, 50);
    opened = clipboard.IsOpen();
    waited = ::GetTickCount() - start;
  });
  other.join();
  ::CloseClipboard();
  holder.DestroyWindow();
  EXPECT_FALSE(opened);
  EXPECT_GE(waited, 40u);
}

}  // namespace
