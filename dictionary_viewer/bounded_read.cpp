// The first bytes, the format's capacity, then one byte more to learn whether the input goes on.
#include "dictionary_viewer/bounded_read.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace dictionary_viewer {

namespace {

// Appends to `out` until it holds `limit` bytes or the input ends.
int read_up_to(platform::InputFile& in, std::uint64_t limit, std::string& out) {
  char chunk[65536];
  while (out.size() < limit && !in.at_end()) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, limit - out.size()));
    const std::size_t got = in.read(chunk, want);
    out.append(chunk, got);
    if (in.error() != 0) return in.error();
  }
  return 0;
}

}  // namespace

int read_bounded(platform::InputFile& in, HeldFile& held) {
  const std::optional<std::uint64_t> size = in.regular_size();
  held.bytes.clear();
  if (int error = read_up_to(in, format_bytes(), held.bytes); error != 0) return error;
  const std::uint64_t capacity =
      std::max<std::uint64_t>(size ? format_capacity(held.bytes) : stream_capacity(held.bytes), held.bytes.size());
  // A regular file's length is known, so its bytes get one allocation instead of a doubling one.
  if (size) held.bytes.reserve(static_cast<std::size_t>(std::min(capacity, *size)));
  if (int error = read_up_to(in, capacity, held.bytes); error != 0) return error;
  // One byte more tells whether the input goes on past what its format can hold.
  if (!in.at_end()) {
    char probe;
    in.read(&probe, 1);
    if (in.error() != 0) return in.error();
  }
  // An input read to its end is as long as what was read, even a regular file that changed after
  // the system gave its length; only one longer than its format can hold is longer than `bytes`.
  const std::uint64_t read = held.bytes.size();
  if (in.at_end()) {
    held.length = {read, false};
  } else {
    held.length = size ? FileLength{std::max(*size, read), false} : FileLength{read, true};
  }
  return 0;
}

}  // namespace dictionary_viewer
