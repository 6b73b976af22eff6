// A tiny HTTP server on 127.0.0.1 for the update check: every request gets the same answer,
// or, when silent, the connection is accepted and never answered.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

namespace apptest {

class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // The answer from now on.
  void Serve(int status, const std::string& body);
  void BeSilent();

  bool Running() const { return listener_ != INVALID_SOCKET; }
  int Port() const { return port_; }
  std::wstring Url(const wchar_t* path = L"/version.ini") const;
  int Requests() const { return requests_; }

 private:
  void Loop();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<int> status_{200};
  std::string body_;
  std::atomic<bool> silent_{false};
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens (bound and closed again).
int UnusedPort();

}  // namespace apptest
