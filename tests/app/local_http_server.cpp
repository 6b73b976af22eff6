#include "local_http_server.h"

#include <ws2tcpip.h>

#include <mutex>
#include <vector>

namespace apptest {

namespace {

std::mutex g_bodyLock;

SOCKET BindLoopback(int* port) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return s;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof address;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::closesocket(s);
    return INVALID_SOCKET;
  }
  *port = ntohs(address.sin_port);
  return s;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listener_ = BindLoopback(&port_);
  if (listener_ == INVALID_SOCKET) return;
  if (::listen(listener_, 8) != 0) {
    ::closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  thread_ = std::thread([this] { Loop(); });
}

LocalHttpServer::~LocalHttpServer() {
  stop_ = true;
  if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
  if (thread_.joinable()) thread_.join();
}

void LocalHttpServer::Serve(int status, const std::string& body) {
  std::lock_guard<std::mutex> lock(g_bodyLock);
  status_ = status;
  body_ = body;
  silent_ = false;
}

void LocalHttpServer::BeSilent() { silent_ = true; }

std::wstring LocalHttpServer::Url(const wchar_t* path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

void LocalHttpServer::Loop() {
  // Each connection gets its own thread: a client may open a connection it never uses.
  std::vector<std::thread> workers;
  std::vector<SOCKET> held;  // silent connections stay open until the server goes
  while (!stop_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval wait{0, 100000};
    if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = ::accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    if (silent_) {
      ++requests_;
      held.push_back(client);
      continue;
    }
    workers.emplace_back([this, client] { Answer(client); });
  }
  for (SOCKET s : held) ::closesocket(s);
  for (auto& worker : workers) worker.join();
}

void LocalHttpServer::Answer(SOCKET client) {
  const DWORD patience = 2000;
  ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&patience), sizeof patience);
  // The request's head ends with an empty line.
  std::string request;
  char buffer[1024];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  if (request.find("\r\n\r\n") == std::string::npos) {
    ::closesocket(client);
    return;
  }
  ++requests_;
  std::string body;
  int status;
  {
    std::lock_guard<std::mutex> lock(g_bodyLock);
    body = body_;
    status = status_;
  }
  const std::string answer = "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
                             "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
                             "\r\nConnection: close\r\n\r\n" + body;
  ::send(client, answer.data(), static_cast<int>(answer.size()), 0);
  ::shutdown(client, SD_SEND);
  ::closesocket(client);
}

int UnusedPort() {
  int port = 0;
  SOCKET s = BindLoopback(&port);
  if (s != INVALID_SOCKET) ::closesocket(s);
  return port;
}

}  // namespace apptest
