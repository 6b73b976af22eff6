// The HTTP client against a server on 127.0.0.1 started by the test: files
// are fetched as sent, an error status is a readable answer, and a server
// that is not there or does not answer gives a clear exception in time.
// Winsock wants to come before the Windows headers the framework includes.
#include "local_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/afx.h"
#include "framework/inet.h"
#include "test_util.h"

namespace {

using fwtest::LocalServer;

constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_NO_CACHE_WRITE;

// The error of the CInternetException f raises; 0 when none.
template <class F>
DWORD InternetError(F&& f) {
  try {
    f();
  } catch (CInternetException* e) {
    DWORD error = e->m_dwError;
    EXPECT_FALSE(e->GetErrorText().IsEmpty());
    e->Delete();
    return error;
  } catch (CException* e) {
    e->Delete();
    return 1;
  }
  return 0;
}

const std::string kVersionFile = "[Install]\r\nVersion=1,0,3,12\r\nFile=setup.exe\r\n";

TEST(HttpClient, FetchesAFileAsTheServerSentIt) {
  std::string requestSeen;
  LocalServer server([&](SOCKET client, const std::string& request) {
    requestSeen = request;
    LocalServer::Send(client, LocalServer::Answer(200, "OK", kVersionFile));
  });
  CInternetSession session(nullptr, 1, PRE_CONFIG_INTERNET_ACCESS);
  std::unique_ptr<CStdioFile> file(session.OpenURL(server.Url(L"/Install/version.ini").c_str(), 1, kFlags));
  ASSERT_NE(file, nullptr);
  auto* http = dynamic_cast<CHttpFile*>(file.get());
  ASSERT_NE(http, nullptr);
  DWORD status = 0;
  EXPECT_TRUE(http->QueryInfoStatusCode(status));
  EXPECT_EQ(status, 200u);
  EXPECT_EQ(http->GetLength(), kVersionFile.size());
  char buffer[513] = {};
  UINT n = file->Read(buffer, 512);
  EXPECT_EQ(std::string(buffer, n), kVersionFile);
  EXPECT_EQ(file->Read(buffer, 512), 0u);
  EXPECT_EQ(requestSeen.rfind("GET /Install/version.ini HTTP/1.", 0), 0u) << requestSeen;
}

TEST(HttpClient, ReadsLinesAndLargeFilesPieceByPiece) {
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "line " + std::to_string(i) + "\n";
  LocalServer server([&](SOCKET client, const std::string& request) {
    if (request.find("/big") != std::string::npos) LocalServer::Send(client, LocalServer::Answer(200, "OK", big));
    else LocalServer::Send(client, LocalServer::Answer(200, "OK", kVersionFile));
  });
  CInternetSession session;
  std::unique_ptr<CStdioFile> lines(session.OpenURL(server.Url(L"/v").c_str(), 1, kFlags));
  CString line;
  ASSERT_TRUE(lines->ReadString(line));
  EXPECT_EQ(line, L"[Install]");
  ASSERT_TRUE(lines->ReadString(line));
  EXPECT_EQ(line, L"Version=1,0,3,12");

  std::unique_ptr<CStdioFile> file(session.OpenURL(server.Url(L"/big").c_str(), 1, kFlags));
  std::string received;
  char chunk[1000];
  for (UINT n; (n = file->Read(chunk, sizeof chunk)) > 0;) received.append(chunk, n);
  EXPECT_EQ(received.size(), big.size());
  EXPECT_TRUE(received == big);
  EXPECT_EQ(file->GetPosition(), big.size());
}

TEST(HttpClient, AnErrorStatusIsAnAnswerToRead) {
  LocalServer server([](SOCKET client, const std::string&) {
    LocalServer::Send(client, LocalServer::Answer(404, "Not Found", "<html>missing</html>"));
  });
  CInternetSession session;
  std::unique_ptr<CStdioFile> file(session.OpenURL(server.Url(L"/nothing").c_str(), 1, kFlags));
  DWORD status = 0;
  EXPECT_TRUE(static_cast<CHttpFile*>(file.get())->QueryInfoStatusCode(status));
  EXPECT_EQ(status, 404u);
}

TEST(HttpClient, NothingListeningFailsAtOnceWithCannotConnect) {
  CInternetSession session;
  session.SetTimeout(5000);
  std::wstring url = L"http://127.0.0.1:" + std::to_wstring(LocalServer::FreePort()) + L"/version.ini";
  DWORD start = ::GetTickCount();
  EXPECT_EQ(InternetError([&] { delete session.OpenURL(url.c_str(), 1, kFlags); }),
            static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT));
  EXPECT_LT(::GetTickCount() - start, 5000u);  // refused, not timed out
}

TEST(HttpClient, AServerThatNeverAnswersEndsInATimeOut) {
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LocalServer mute([release](SOCKET, const std::string&) { ::WaitForSingleObject(release, 20000); });
  CInternetSession session;
  session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 1000);
  EXPECT_EQ(session.GetTimeout(), 1000u);
  DWORD start = ::GetTickCount();
  EXPECT_EQ(InternetError([&] { delete session.OpenURL(mute.Url(L"/v").c_str(), 1, kFlags); }),
            static_cast<DWORD>(ERROR_INTERNET_TIMEOUT));
  DWORD elapsed = ::GetTickCount() - start;
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 8000u);  // the time-out, not the server, ended the wait
  ::SetEvent(release);
  mute.Stop();
  ::CloseHandle(release);
}

TEST(HttpClient, AnAnswerThatStopsHalfwayEndsInATimeOut) {
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LocalServer server([release](SOCKET client, const std::string&) {
    LocalServer::Send(client, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nVersion=");
    ::WaitForSingleObject(release, 20000);
  });
  CInternetSession session;
  session.SetTimeout(1000);
  std::unique_ptr<CStdioFile> file(session.OpenURL(server.Url(L"/v").c_str(), 1, kFlags));
  char buffer[512];
  EXPECT_EQ(InternetError([&] { file->Read(buffer, 512); }), static_cast<DWORD>(ERROR_INTERNET_TIMEOUT));
  // The file is dead now, and says so.
  EXPECT_EQ(InternetError([&] { file->Read(buffer, 512); }), static_cast<DWORD>(ERROR_INTERNET_CONNECTION_ABORTED));
  file.reset();
  ::SetEvent(release);
  server.Stop();
  ::CloseHandle(release);
}

TEST(HttpClient, RefusesAddressesItCannotFetch) {
  CInternetSession session;
  EXPECT_EQ(InternetError([&] { delete session.OpenURL(L"ftp://127.0.0.1/version.ini"); }),
            static_cast<DWORD>(ERROR_INTERNET_UNRECOGNIZED_SCHEME));
  EXPECT_EQ(InternetError([&] { delete session.OpenURL(L"not an address"); }),
            static_cast<DWORD>(ERROR_INTERNET_INVALID_URL));
  EXPECT_EQ(InternetError([&] { delete session.OpenURL(L""); }), static_cast<DWORD>(ERROR_INTERNET_INVALID_URL));
}

}  // namespace
