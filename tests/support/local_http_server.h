#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tessaril::testing {

// A small HTTP server on 127.0.0.1 (never any other address) on a free port, serving the answers
// a test registers, and recording every request it receives.
class LocalHttpServer {
 public:
  struct Request {
    std::string path;
    std::string user_agent;
    std::string accept;
    std::string cache_control;
  };

  LocalHttpServer() {
    // Requests to the test server never go through a proxy of the environment.
#ifdef _WIN32
    _putenv_s("no_proxy", "127.0.0.1");
    _putenv_s("NO_PROXY", "127.0.0.1");
#else
    setenv("no_proxy", "127.0.0.1", 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
#endif
    // Enough threads for a page's worth of answers held open at once.
    server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
    port_ = server_.bind_to_any_port("127.0.0.1");
  }
  ~LocalHttpServer() {
    stopping_ = true;
    if (thread_.joinable()) {
      while (!server_.is_running())
        std::this_thread::yield();
      server_.stop();
      thread_.join();
    }
  }

  // "http://127.0.0.1:PORT" followed by `path`. The server starts answering with the first call,
  // so register the answers (On) before asking for a URL.
  std::string Url(const std::string& path) {
    if (!thread_.joinable())
      thread_ = std::thread([this] { server_.listen_after_bind(); });
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int Port() const {
    return port_;
  }

  // Answers GET `path` with `status`, `body` and the extra headers.
  void On(const std::string& path, int status, std::string body = {},
          std::vector<std::pair<std::string, std::string>> headers = {}) {
    server_.Get(path, [this, status, body, headers](const httplib::Request& request,
                                                    httplib::Response& response) {
      Record(request);
      response.status = status;
      for (const auto& [name, value] : headers)
        response.set_header(name, value);
      if (!body.empty())
        response.set_content(body, "text/plain");
    });
  }
  // Answers GET `path` with whatever `answer` gives (called on the server's thread).
  void OnCall(const std::string& path, std::function<std::string()> answer) {
    server_.Get(path, [this, answer](const httplib::Request& request, httplib::Response& response) {
      Record(request);
      response.set_content(answer(), "text/plain");
    });
  }
  // Answers GET `path` with a chunked body (no Content-Length).
  void OnChunked(const std::string& path, std::string body) {
    server_.Get(path, [this, body](const httplib::Request& request, httplib::Response& response) {
      Record(request);
      response.set_chunked_content_provider("text/plain", [body](size_t, httplib::DataSink& sink) {
        sink.write(body.data(), body.size());
        sink.done();
        return true;
      });
    });
  }

  // Answers GET `path` with a head announcing a large body, then one byte of it every 100 ms
  // for as long as the client listens (until the server stops).
  void OnDrip(const std::string& path) {
    server_.Get(path, [this](const httplib::Request& request, httplib::Response& response) {
      Record(request);
      response.set_content_provider(100000, "application/octet-stream",
                                    [this](size_t offset, size_t, httplib::DataSink& sink) {
                                      if (offset > 0)
                                        std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                      return !stopping_ && sink.write("a", 1);
                                    });
    });
  }

  std::vector<Request> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (const auto& request : Requests())
      paths.push_back(request.path);
    return paths;
  }

 private:
  void Record(const httplib::Request& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back({request.path, request.get_header_value("User-Agent"),
                         request.get_header_value("Accept"),
                         request.get_header_value("Cache-Control")});
  }

  httplib::Server server_;
  std::atomic<bool> stopping_{false};
  int port_ = -1;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Request> requests_;
};

}  // namespace tessaril::testing
