// A CiZu table for TOMBRAL: one line per code in order of first appearance, the code in lower
// case without its spaces, then its phrases and characters, each once, best first.
#pragma once

#include <vector>

#include "table_importer/row_index.h"
#include "table_importer/target.h"

namespace table_importer {

class CizuTableTarget : public Target {
 public:
  using Target::Target;

  void row(const SourceRow& row) override;
  StopStatus finish(const TableFacts& facts, std::string& out) override;
  void expect(std::uint64_t bytes) override;

 private:
  struct Entry {
    int line;
    std::uint32_t code;  // the code's place in codes_, by first appearance
    Kept big5;
  };
  std::vector<Entry> entries_;
  std::vector<Kept> codes_;  // each key once, in order of first appearance
  RowIndex code_index_;
  std::string key_;
  // The last row's key, filed when the next row comes or the table ends.
  void file_pending_code();
  bool pending_ = false;
  std::string pending_key_;
  std::uint32_t pending_hash_ = 0;
};

}  // namespace table_importer
