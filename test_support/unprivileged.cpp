// Running a program as a user whom permissions stop.
#include "test_support/unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "test_support/process.h"

namespace test_support {

namespace fs = std::filesystem;

UnprivilegedUser unprivileged_user(const ScratchDir& dir) {
  if (::geteuid() != 0) return {};
  // mkdtemp made the folder 0700; nobody must enter it and read the inputs.
  fs::permissions(dir.path(), fs::perms(0755), fs::perm_options::replace);
  for (const std::string& name : dir.entries()) {
    if (fs::is_regular_file(dir / name)) fs::permissions(dir / name, fs::perms(0644), fs::perm_options::replace);
  }
  ProcessOptions probe;
  probe.cwd = dir.path();
  probe.run_as_uid = kNobody;
  ProcessResult r = run_process("/bin/true", {}, probe);
  if (r.status != 0) return {-1, "cannot run a program as the user nobody here"};
  return {kNobody, ""};
}

void give_to(const fs::path& path, int uid) {
  if (uid >= 0) {
    ASSERT_EQ(::chown(path.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(uid)), 0);
  }
}

FolderModeRestorer::~FolderModeRestorer() {
  std::error_code ec;
  fs::permissions(dir.path(), fs::perms(0755), fs::perm_options::replace, ec);
}

}  // namespace test_support
