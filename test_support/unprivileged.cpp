// Running a program as a user whom permissions stop, from a folder that user can reach.
#include "test_support/unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "test_support/process.h"

namespace test_support {

namespace fs = std::filesystem;

namespace {

// The system's own temporary folder, not $TMPDIR: a private TMPDIR is what the staging gets around.
const fs::path kSystemTemporaryFolder = P_tmpdir;

}  // namespace

StagingFolder::~StagingFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

StagingFolder::StagingFolder(StagingFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }

StagingFolder& StagingFolder::operator=(StagingFolder&& other) noexcept {
  if (this != &other) {
    StagingFolder gone(std::move(*this));
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

UnprivilegedUser unprivileged_user(ScratchDir& dir, const std::string& program) {
  UnprivilegedUser user;
  user.program = program;
  if (::geteuid() != 0) return user;

  std::string pattern = (kSystemTemporaryFolder / "big5-run-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    user.skip_reason = "cannot make a folder in " + kSystemTemporaryFolder.string() + " for the user nobody";
    return user;
  }
  user.stage = StagingFolder(pattern);
  std::error_code ec;
  fs::permissions(user.stage.path(), fs::perms(0755), fs::perm_options::replace, ec);
  const fs::path copy = user.stage.path() / fs::path(program).filename();
  if (!ec) fs::copy_file(program, copy, ec);
  if (!ec) fs::permissions(copy, fs::perms(0755), fs::perm_options::replace, ec);
  if (!ec) dir.move_into(user.stage.path(), ec);
  if (ec) {
    user.skip_reason = "cannot stage the program for the user nobody in " + user.stage.path().string() + ": " +
                       ec.message();
    return user;
  }
  // mkdtemp made the scratch folder 0700; nobody must enter it and read the inputs.
  fs::permissions(dir.path(), fs::perms(0755), fs::perm_options::replace);
  for (const std::string& name : dir.entries()) {
    if (fs::is_regular_file(dir / name)) fs::permissions(dir / name, fs::perms(0644), fs::perm_options::replace);
  }
  // The copy itself, without arguments (each program then shows its usage and writes nothing): a
  // temporary folder mounted noexec stops it as surely as a folder nobody cannot enter.
  ProcessOptions probe;
  probe.cwd = dir.path();
  probe.run_as_uid = kNobody;
  ProcessResult started = run_process(copy.string(), {}, probe);
  if (started.status == kNotStarted || started.status == kNotExecuted) {
    user.skip_reason = "cannot run " + copy.string() + " as the user nobody in " + dir.path().string();
    return user;
  }
  user.uid = kNobody;
  user.program = copy.string();
  return user;
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
