// Reads an input table through a text-mode reader: the comment lines and the header line, then
// every entry line, storing each line's key code at its characters' slots. Prints the messages of
// the lines on `out`; a fault of the input comes back as the outcome.
#pragma once

#include <string>

#include "big5dict/input_file.h"
#include "input_table_converter/outcome.h"
#include "platform/message_writer.h"
#include "platform/text_reader.h"

namespace input_table_converter {

class TableReader {
 public:
  TableReader(platform::TextReader& reader, std::string input_name, platform::MessageWriter& out)
      : reader_(reader), input_name_(std::move(input_name)), out_(out) {}

  // Skips the comment lines, fills `header` from the header line and prints the row line. Stops
  // at the input's end (kNoHeaderLine), on a faulty header line (kHeaderFault), a read error or an
  // over-long line.
  StopStatus read_header(big5dict::input::DictHeader& header);

  // Reads the entry lines up to the end of the input into `key`. Stops on a read error or an
  // over-long line.
  StopStatus read_entries(const big5dict::input::DictHeader& header, big5dict::input::KeyTable& key);

  long entry_count() const { return entry_count_; }

 private:
  // Stores the line's code at the slot of each character of `run` (lead and trail byte pairs),
  // reporting characters without a slot and characters that already have a key; the first line
  // that lists a character keeps it.
  void store_characters(big5dict::input::KeyTable& key, std::string_view run, std::uint32_t code,
                        std::uint8_t qu_start);

  platform::TextReader& reader_;
  std::string input_name_;
  platform::MessageWriter& out_;
  std::string echo_;  // keeps its room from one echoed line to the next
  std::string line_;
  int line_number_ = 0;  // the header line is line 1
  long entry_count_ = 0;
};

}  // namespace input_table_converter
