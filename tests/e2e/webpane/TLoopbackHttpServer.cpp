#include "TLoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

TLoopbackHttpServer::TLoopbackHttpServer() {
  listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listen_fd_ < 0) throw std::runtime_error("socket failed");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listen_fd_, 16) != 0 ||
      getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(listen_fd_);
    throw std::runtime_error("cannot listen on the loopback address");
  }
  port_ = ntohs(addr.sin_port);
  acceptor_ = std::thread([this] { Accept(); });
}

TLoopbackHttpServer::~TLoopbackHttpServer() {
  stop_ = true;
  acceptor_.join();
  for (std::thread& t : workers_) t.join();
  close(listen_fd_);
}

void TLoopbackHttpServer::Add(const std::string& path, TPage page) {
  std::lock_guard<std::mutex> lock(mutex_);
  pages_[path] = std::move(page);
}

std::string TLoopbackHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> TLoopbackHttpServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void TLoopbackHttpServer::Accept() {
  while (!stop_) {
    pollfd p{listen_fd_, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    workers_.emplace_back([this, fd] { Serve(fd); });
  }
}

void TLoopbackHttpServer::Serve(int fd) {
  std::string request;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!stop_ && request.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[4096];
    ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) break;
    request.append(buf, size_t(n));
  }
  size_t sp1 = request.find(' ');
  size_t sp2 = sp1 == std::string::npos ? sp1 : request.find(' ', sp1 + 1);
  if (sp2 != std::string::npos) {
    std::string path = request.substr(sp1 + 1, sp2 - sp1 - 1);
    if (size_t q = path.find('?'); q != std::string::npos) path.erase(q);
    std::string response;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(path);
      auto it = pages_.find(path);
      if (it == pages_.end()) {
        response = "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
      } else {
        const TPage& page = it->second;
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + page.contentType + "\r\nContent-Length: " +
                   std::to_string(page.body.size()) + "\r\nCache-Control: no-store\r\n" + page.extraHeaders +
                   "Connection: close\r\n\r\n" + page.body;
      }
    }
    for (size_t sent = 0; sent < response.size();) {
      ssize_t n = send(fd, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += size_t(n);
    }
  }
  close(fd);
}
