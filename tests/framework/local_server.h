// A tiny HTTP server on 127.0.0.1 for tests of the HTTP client: it accepts
// connections on its own thread and hands each request to a handler.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace fwtest {

class LocalServer {
 public:
  // The handler gets the connection and the request's head; it writes its
  // answer (or nothing) and may wait on StopEvent() to stall.
  using Handler = std::function<void(SOCKET client, const std::string& request)>;

  explicit LocalServer(Handler handler);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  int Port() const { return m_port; }
  std::wstring Url(const wchar_t* path) const;
  HANDLE StopEvent() const { return m_stop; }
  int Requests() const { return m_requests; }
  void Stop();

  // Sends all bytes of a text.
  static void Send(SOCKET client, const std::string& text);
  // A complete answer with a status line, Content-Length and the body.
  static std::string Answer(int status, const char* reason, const std::string& body);
  // A port on which nothing listens (bound and closed again).
  static int FreePort();

 private:
  void Run();
  Handler m_handler;
  SOCKET m_listen = INVALID_SOCKET;
  int m_port = 0;
  HANDLE m_stop;
  std::atomic<int> m_requests{0};
  std::thread m_thread;
};

}  // namespace fwtest
