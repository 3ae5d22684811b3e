#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP server on 127.0.0.1 and a free port, serving fixed pages from memory, for a test
// that loads pages. Each connection gets one answer and is closed; connections that send nothing
// are dropped after a few seconds. It stops when it goes.
class TLoopbackHttpServer {
public:
  struct TPage {
    std::string contentType;
    std::string body;
    std::string extraHeaders; // "Name: value\r\n" lines
  };

  TLoopbackHttpServer();
  ~TLoopbackHttpServer();
  TLoopbackHttpServer(const TLoopbackHttpServer&) = delete;
  TLoopbackHttpServer& operator=(const TLoopbackHttpServer&) = delete;

  // Pages are added before anything asks for them.
  void Add(const std::string& path, TPage page);
  int Port() const { return port_; }
  std::string Url(const std::string& path) const;
  // The paths asked for so far, in order.
  std::vector<std::string> Requests() const;

private:
  void Accept();
  void Serve(int fd);
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::map<std::string, TPage> pages_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
};
