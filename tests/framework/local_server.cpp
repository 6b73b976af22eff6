#include "local_server.h"

#include <cstdio>

namespace fwtest {

namespace {

struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
};

SOCKET ListenOnLoopback(int& port) {
  static WinsockUser winsock;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(s, 8);
  int length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return s;
}

}  // namespace

LocalServer::LocalServer(Handler handler)
    : m_handler(std::move(handler)), m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  m_listen = ListenOnLoopback(m_port);
  m_thread = std::thread([this] { Run(); });
}

LocalServer::~LocalServer() {
  Stop();
  ::CloseHandle(m_stop);
}

void LocalServer::Stop() {
  ::SetEvent(m_stop);
  if (m_listen != INVALID_SOCKET) {
    ::closesocket(m_listen);
    m_listen = INVALID_SOCKET;
  }
  if (m_thread.joinable()) m_thread.join();
}

std::wstring LocalServer::Url(const wchar_t* path) const {
  wchar_t url[128];
  std::swprintf(url, 128, L"http://127.0.0.1:%d%ls", m_port, path);
  return url;
}

void LocalServer::Run() {
  for (;;) {
    SOCKET client = ::accept(m_listen, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      int n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    ++m_requests;
    m_handler(client, request);
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
  }
}

void LocalServer::Send(SOCKET client, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    int n = ::send(client, text.data() + sent, static_cast<int>(text.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

std::string LocalServer::Answer(int status, const char* reason, const std::string& body) {
  char head[256];
  std::snprintf(head, sizeof head, "HTTP/1.1 %d %s\r\nContent-Length: %zu\r\nConnection: close\r\n\r\n", status,
                reason, body.size());
  return head + body;
}

int LocalServer::FreePort() {
  int port = 0;
  SOCKET s = ListenOnLoopback(port);
  ::closesocket(s);
  return port;
}

}  // namespace fwtest
