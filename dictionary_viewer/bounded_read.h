// Reading a dictionary file no further than its format reaches: the first bytes tell the format,
// then at most what that format can hold is read, so /dev/zero or a huge file with a wrong first
// word costs no more memory than the largest dictionary of its kind.
#pragma once

#include <string>

#include "dictionary_viewer/examination.h"
#include "platform/input_file.h"

namespace dictionary_viewer {

struct HeldFile {
  std::string bytes;  // the file's first bytes, at most format_capacity() of them
  FileLength length;  // a regular file's from the system; any other input's as far as it was read
};

// Returns 0, or the system's error number of a failed read. Throws std::bad_alloc when the bytes
// the format allows do not fit in memory.
int read_bounded(platform::InputFile& in, HeldFile& held);

}  // namespace dictionary_viewer
