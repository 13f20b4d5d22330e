// The files of a run: the source, opened as any file ("-" is standard input), and the product,
// a file replaced whole, checked when the run opens it and written at the end, or standard output,
// written whole and flushed so that a failed write is known.
#pragma once

#include <ostream>
#include <string>

#include "platform/input_file.h"
#include "platform/replaced_file.h"
#include "table_importer/outcome.h"

namespace table_importer {

// Opens `source`, with the system's report on `err` under `source_name` when it does not open.
StopStatus open_source(const std::string& source, const std::string& source_name, platform::InputFile& input,
                       std::ostream& err);

class Product {
 public:
  // `name` empty: standard output.
  explicit Product(std::string name) : name_(std::move(name)) {}

  // Checks that the file can be written, with the system's report on `err`.
  StopStatus open(std::ostream& err);
  // Writes `text` whole, or reports why it could not.
  StopStatus write(const std::string& text, std::ostream& out, std::ostream& err);

 private:
  std::string name_;
  platform::ReplacedFile file_;
};

}  // namespace table_importer
