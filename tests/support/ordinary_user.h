// Root reads and writes whatever the permission bits say, so a test of what
// an ordinary user may not do runs its job as one. POSIX only.
#pragma once

#ifndef _WIN32
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace mapio::testing {

// While it lives, the process acts as the user "nobody" when it runs as
// root, and `folder` with everything in it but the `foreign` names belongs
// to that user; as any other user nothing changes. The bits are the test's.
class OrdinaryUser {
 public:
  static constexpr uid_t kNobody = 65534;

  explicit OrdinaryUser(const std::filesystem::path& folder,
                        const std::vector<std::string>& foreign = {})
      : wasRoot_(geteuid() == 0) {
    if (!wasRoot_) return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      const std::string name = entry.path().lexically_relative(folder).generic_string();
      if (std::find(foreign.begin(), foreign.end(), name) == foreign.end()) Own(entry.path());
    }
    Own(folder);
    if (setegid(kNobody) != 0 || seteuid(kNobody) != 0) {
      throw std::runtime_error("cannot act as an ordinary user");
    }
  }
  ~OrdinaryUser() {
    if (!wasRoot_) return;
    // Back to root, so that the test's folder can be removed.
    if (seteuid(0) != 0 || setegid(0) != 0) std::terminate();
  }
  OrdinaryUser(const OrdinaryUser&) = delete;
  OrdinaryUser& operator=(const OrdinaryUser&) = delete;

  // Whether the `foreign` names really belong to someone else (root); an
  // ordinary user cannot give a file away.
  bool HasForeignFiles() const { return wasRoot_; }

 private:
  static void Own(const std::filesystem::path& path) {
    if (lchown(path.c_str(), kNobody, kNobody) != 0) {
      throw std::runtime_error("cannot hand " + path.string() + " over");
    }
  }

  bool wasRoot_;
};

}  // namespace mapio::testing
#endif
