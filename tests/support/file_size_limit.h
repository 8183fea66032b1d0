#pragma once

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace tessaril::testing {

// Limits the size of every file this process writes while it lives, so that a write past
// `bytes` fails as on a full disk (SIGXFSZ ignored, as the programs do). Windows has no such
// limit: there the tests that need one are skipped.
#ifndef _WIN32
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*old_handler_)(int) = SIG_DFL;
};
#define TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT()

// Lowers how many files this process may hold open, until Restore() or the end of its life.
class DescriptorLimit {
 public:
  explicit DescriptorLimit(rlim_t count) {
    getrlimit(RLIMIT_NOFILE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = count;
    setrlimit(RLIMIT_NOFILE, &limited);
  }
  ~DescriptorLimit() { Restore(); }
  void Restore() { setrlimit(RLIMIT_NOFILE, &saved_); }
  DescriptorLimit(const DescriptorLimit&) = delete;
  DescriptorLimit& operator=(const DescriptorLimit&) = delete;

 private:
  rlimit saved_{};
};
#define TESSARIL_SKIP_WITHOUT_OPEN_FILE_LIMIT()
#else
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long) {}
};
#define TESSARIL_SKIP_WITHOUT_FILE_SIZE_LIMIT() \
  GTEST_SKIP() << "Windows has no file-size limit to make writes fail"

class DescriptorLimit {
 public:
  explicit DescriptorLimit(unsigned long long) {}
  void Restore() {}
};
#define TESSARIL_SKIP_WITHOUT_OPEN_FILE_LIMIT() \
  GTEST_SKIP() << "Windows has no per-process limit on open files to lower"
#endif

}  // namespace tessaril::testing
