// What became of a table's rows: how many were read and kept, and every one dropped with its line
// and reason. Standard error names the first few and ends with the counts; the report file lists
// every one named, as tab-separated "line reason text" in UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "table_importer/drop_reason.h"

namespace table_importer {

// Standard error names this many dropped entries; the report file names them all.
constexpr std::size_t kNamedDrops = 20;

class DropReport {
 public:
  void row_read() { ++rows_read_; }
  void kept(std::size_t count) { kept_ += count; }
  // `text` is the row's text in UTF-8, as the table gives it.
  void drop(int line, DropReason reason, std::string_view text);

  std::size_t rows_read() const { return rows_read_; }
  std::size_t kept() const { return kept_; }
  std::size_t dropped() const;

  // The named entries in line order, a count of the others, then the summary.
  void write_summary(std::ostream& err, const std::string& source_name);
  // Every named entry in line order, one a line.
  std::string report_file();

 private:
  struct Entry {
    int line;
    DropReason reason;
    std::uint32_t text_start;
    std::uint32_t text_size;
  };
  void sort_entries();
  std::string_view text_of(const Entry& entry) const { return std::string_view(texts_).substr(entry.text_start, entry.text_size); }

  std::size_t rows_read_ = 0;
  std::size_t kept_ = 0;
  std::array<std::size_t, kDropReasonCount> counts_{};
  std::vector<Entry> entries_;
  std::string texts_;
  bool sorted_ = true;
};

}  // namespace table_importer
