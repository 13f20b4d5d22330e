// The CiZu table's line loop: every line of the table, read whole, comments aside, becomes one
// record in the bucket its key hashes to. Kept apart from the run so tests and fuzz harnesses
// drive it in memory.
#pragma once

#include <string>

#include "big5dict/hashed_file.h"
#include "cizu_converter/outcome.h"
#include "platform/message_writer.h"
#include "platform/text_reader.h"

namespace cizu_converter {

struct Conversion {
  big5dict::hashed::BucketTable table;
  long phrases = 0;
  long lines = 0;
};

// Reads the table to its end into the buckets, printing the progress line of every line read.
// Stops after a read error or a line longer than any the reader takes, reported on `out` with
// `input_name`; the over-long line gets no progress line.
StopStatus convert_lines(platform::TextReader& reader, const std::string& input_name, Conversion& c,
                         platform::MessageWriter& out);

}  // namespace cizu_converter
