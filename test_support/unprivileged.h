// Cases that need a user whom permissions stop. Permission bits stop no one when the tests run as
// root, so the program then runs as "nobody". That user may be unable to reach the build folder or
// the scratch folder (a checkout under a private home folder or under a folder made by mktemp), so
// the program is copied, and the scratch folder moved, into a fresh folder of the system's
// temporary folder that everyone may enter. As any other user the bits stop the program already,
// and it runs where it was built.
#pragma once

#include <filesystem>
#include <string>

#include "test_support/scratch.h"

namespace test_support {

constexpr int kNobody = 65534;

// A folder removed with everything in it when this value goes.
class StagingFolder {
 public:
  StagingFolder() = default;
  explicit StagingFolder(std::filesystem::path path) : path_(std::move(path)) {}
  ~StagingFolder();
  StagingFolder(StagingFolder&& other) noexcept;
  StagingFolder& operator=(StagingFolder&& other) noexcept;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct UnprivilegedUser {
  int uid = -1;             // the user to run as; -1 for the current one
  std::string program;      // the program to start: a copy that user can reach, or the program itself
  std::string skip_reason;  // not empty when the case cannot be made real here
  StagingFolder stage;      // the copy's folder, which then holds the scratch folder too
};

// Makes `program` and `dir` reachable for the user the program will run as: `dir` (0755) and its
// files (0644) opened up, and as root both moved into a fresh 0755 folder of the system's temporary
// folder. Tells who that user is and which program to start.
UnprivilegedUser unprivileged_user(ScratchDir& dir, const std::string& program);

// Gives a file to the run user, so that only the mode of its folder or its own mode can stop it.
void give_to(const std::filesystem::path& path, int uid);

// Puts the scratch folder back to a mode that lets it be removed.
struct FolderModeRestorer {
  const ScratchDir& dir;
  ~FolderModeRestorer();
};

}  // namespace test_support
