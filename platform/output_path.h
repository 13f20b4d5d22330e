// Where an output path leads, found once: the folder that holds the entry it names, held open, and
// that entry's name, each symbolic link on the way read once. From then on the output is created,
// renamed and removed through the folder's descriptor, so no later lookup of a path can be
// redirected by whoever else may change the folders on its way.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/descriptor.h"

namespace platform {

struct OutputPlace {
  Descriptor folder;               // open for reading, so that it can be synced after the rename
  std::string name;                // the entry in `folder` that the output takes
  std::optional<struct stat> entry;  // that entry as found, not followed; none when the name is free
};

// Resolves `path` as opening it for writing would: a link in its last part is followed (its text
// read once, relative to the link's own folder) unless another user put it in a sticky folder open
// to all, the folders on the way as the system takes them. Returns 0, or the error number the
// system gives for that path: a missing folder, a link loop, a protected link, a folder that cannot
// be opened for reading (it could not be synced), a name that is a folder.
int resolve_output_path(const std::string& path, OutputPlace& place);

// Whether two results of stat name one file.
inline bool same_file(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace platform
