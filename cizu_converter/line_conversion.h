// The CiZu table's line loop: every line a read delivers, comments aside, becomes one record in the
// bucket its key hashes to. Kept apart from the run so tests and fuzz harnesses drive it in memory.
#pragma once

#include <ostream>
#include <string>

#include "cizu_converter/hashed_dictionary.h"
#include "platform/text_reader.h"

namespace cizu_converter {

// One read takes at most this many bytes of a line, through its line feed; a longer line comes
// back in pieces, each converted as a line of its own.
constexpr std::size_t kLineReadBytes = 1023;

struct Conversion {
  BucketTable table;
  long phrases = 0;
  long lines = 0;
};

// Reads the table to its end into the buckets, printing the progress line of every line read.
// Returns false after a read error, reported on `out` with `input_name`.
bool convert_lines(platform::TextReader& reader, const std::string& input_name, Conversion& c,
                   std::ostream& out);

}  // namespace cizu_converter
