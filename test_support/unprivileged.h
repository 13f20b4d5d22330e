// Cases that need a user whom permissions stop. Permission bits stop no one when the tests run as
// root, so the program then runs as "nobody", with the scratch folder and its files opened up for
// that user to reach; as any other user the bits stop the program already.
#pragma once

#include <filesystem>
#include <string>

#include "test_support/scratch.h"

namespace test_support {

constexpr int kNobody = 65534;

struct UnprivilegedUser {
  int uid = -1;             // the user to run as; -1 for the current one
  std::string skip_reason;  // not empty when the case cannot be made real here
};

// Opens `dir` (0755) and its files (0644) to the user the program will run as, and tells who that is.
UnprivilegedUser unprivileged_user(const ScratchDir& dir);

// Gives a file to the run user, so that only the mode of its folder or its own mode can stop it.
void give_to(const std::filesystem::path& path, int uid);

// Puts the scratch folder back to a mode that lets it be removed.
struct FolderModeRestorer {
  const ScratchDir& dir;
  ~FolderModeRestorer();
};

}  // namespace test_support
