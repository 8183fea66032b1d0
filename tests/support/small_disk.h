#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <string>

namespace tessaril::testing {

// A folder on a tmpfs of `bytes`, so that writes into it fail as on a full disk. Mounted in a
// mount namespace of this test process, so the mount never outlives it. Only root may mount:
// elsewhere Available() is false and the test skips.
class SmallDisk {
 public:
  SmallDisk(const std::string& folder, size_t bytes) : folder_(folder) {
    if (::geteuid() != 0 || !PrivateMounts())
      return;
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_)
      ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Available() const { return mounted_; }

 private:
  static bool PrivateMounts() {
    static const bool done = ::unshare(CLONE_NEWNS) == 0 &&
                             ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return done;
  }

  std::string folder_;
  bool mounted_ = false;
};

}  // namespace tessaril::testing
