// Reads an input table through a text-mode reader: the comment lines and the header line, then
// every entry line, storing each line's key code at its characters' slots. Prints the messages of
// the lines on `out`; a fault of the input comes back as the outcome.
#pragma once

#include <string>

#include "input_table_converter/input_dictionary.h"
#include "platform/message_writer.h"
#include "platform/text_reader.h"

namespace input_table_converter {

enum class TableOutcome {
  kRead,
  kNoHeaderLine,  // the input ended before a header line
  kHeaderFault,   // the header line has no short name, or a bad key type or length digit
  kReadError,     // the system failed to read the input; reported with its name
  kLongLine,      // a line longer than any the reader takes; reported with its name
};

class TableReader {
 public:
  TableReader(platform::TextReader& reader, std::string input_name, platform::MessageWriter& out)
      : reader_(reader), input_name_(std::move(input_name)), out_(out) {}

  // Skips the comment lines, fills `header` from the header line and prints the row line.
  TableOutcome read_header(DictHeader& header);

  // Reads the entry lines up to the end of the input into `key`.
  TableOutcome read_entries(const DictHeader& header, KeyTable& key);

  long entry_count() const { return entry_count_; }

 private:
  // kLine with the line's text in line_, kEnd, or kError or kTooLong after reporting it.
  platform::LineStatus next_line();

  platform::TextReader& reader_;
  std::string input_name_;
  platform::MessageWriter& out_;
  std::string echo_;  // keeps its room from one echoed line to the next
  std::string line_;
  int line_number_ = 0;  // the header line is line 1
  long entry_count_ = 0;
};

}  // namespace input_table_converter
