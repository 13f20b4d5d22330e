// How long a file is. An input that is not a regular file (a pipe, a device) is known only as far
// as it was read: `more` says that it goes on past `bytes`.
#pragma once

#include <cstdint>
#include <string_view>

namespace big5dict {

struct FileLength {
  std::uint64_t bytes = 0;
  bool more = false;
  friend constexpr bool operator==(FileLength, FileLength) = default;
};

// The length of a file held whole.
constexpr FileLength whole(std::string_view file) { return {file.size(), false}; }

}  // namespace big5dict
