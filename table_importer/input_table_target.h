// An input table for KESTRAWN: the header line, then one line per code in order of first
// appearance with its characters. Each character stands once, under its preferred code among
// those the key type takes: the highest weight, and among equals the first listed.
#pragma once

#include <array>
#include <ostream>
#include <vector>

#include "table_importer/input_table_header.h"
#include "table_importer/target.h"

namespace table_importer {

class InputTableTarget : public Target {
 public:
  InputTableTarget(Big5Characters& big5, DropReport& report, InputHeaderOptions options, std::string file_name,
                   std::ostream& err)
      : Target(big5, report), options_(std::move(options)), file_name_(std::move(file_name)), err_(err) {}

  void row(const SourceRow& row) override;
  StopStatus finish(const TableFacts& facts, std::string& out) override;
  void expect(std::uint64_t bytes) override;

 private:
  using KeyType = input_table_rules::KeyType;

  struct Entry {
    int line;
    std::uint16_t character;  // lead << 8 | trail
    std::uint8_t key_size;    // the key's length, kTooLong past the longest key of any type
    std::uint8_t types;       // bit t: every key character is one of type t's, and no comment mark
    std::array<char, input_table_rules::kLongestKey> key;
  };
  static constexpr std::uint8_t kTooLong = input_table_rules::kLongestKey + 1;

  void drop_entry(const Entry& e, DropReason reason);
  std::size_t key_limit(KeyType type) const;
  bool in_rows(const Entry& e) const;
  KeyType chosen_type() const;
  std::uint64_t packed_key(const Entry& e, KeyType type, bool with_character) const;

  InputHeaderOptions options_;
  std::string file_name_;  // the source's name without its folder and extensions
  std::ostream& err_;
  std::vector<Entry> entries_;
};

}  // namespace table_importer
