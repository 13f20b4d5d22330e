// What examining a dictionary file gives: its format, a short summary, the violations of the
// format's rules (each with its byte offset and the slot, bucket or key-table index it belongs to),
// warnings that do not make the file unsound, and its content as Big5 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/file_format.h"
#include "big5dict/file_length.h"
#include "big5dict/findings.h"

namespace dictionary_viewer {

using DictionaryFormat = big5dict::FileFormat;

struct Finding {
  std::size_t offset;
  std::string place;  // "slot 3", "bucket 8226", "key table index 5", a field name
  std::string text;
};

struct Examination {
  // A damaged file may break a rule at every byte: the findings kept are limited, the count is not.
  static constexpr std::size_t kKeptFindings = 1000;

  DictionaryFormat format = DictionaryFormat::kUnknown;
  std::string summary;  // lines that end in a line feed
  std::vector<Finding> violations;
  std::vector<Finding> warnings;
  std::size_t violation_count = 0;
  std::size_t warning_count = 0;
  std::string text;  // the content as its program reads it back, when asked for

  bool sound() const { return violation_count == 0; }
  void violation(std::size_t offset, std::string place, std::string what) {
    if (violations.size() < kKeptFindings) violations.push_back({offset, std::move(place), std::move(what)});
    ++violation_count;
  }
  void warning(std::size_t offset, std::string place, std::string what) {
    if (warnings.size() < kKeptFindings) warnings.push_back({offset, std::move(place), std::move(what)});
    ++warning_count;
  }
};

// A library check's findings put into an examination, their place and text made by `place` and
// `text` only for the findings the examination keeps.
template <typename Rule>
class FindingsInto : public big5dict::FindingSink<Rule> {
 public:
  using Describe = std::string (*)(const big5dict::Finding<Rule>&);
  FindingsInto(Examination& result, Describe place, Describe text) : result_(result), place_(place), text_(text) {}

  void violation(const big5dict::Finding<Rule>& f) override {
    if (result_.violations.size() < Examination::kKeptFindings) {
      result_.violations.push_back({static_cast<std::size_t>(f.offset), place_(f), text_(f)});
    }
    ++result_.violation_count;
  }
  void warning(const big5dict::Finding<Rule>& f) override {
    if (result_.warnings.size() < Examination::kKeptFindings) {
      result_.warnings.push_back({static_cast<std::size_t>(f.offset), place_(f), text_(f)});
    }
    ++result_.warning_count;
  }

 private:
  Examination& result_;
  Describe place_;
  Describe text_;
};

// How long a file is, as far as it was read.
using big5dict::FileLength;
using big5dict::whole;

// "N", or "more than N" for an input that goes on past what was read of it.
std::string shown(FileLength length);

// Telling the formats apart and how far to read a file: the library's.
using big5dict::format_bytes;
using big5dict::format_capacity;
using big5dict::stream_capacity;
inline DictionaryFormat detect_format(std::string_view file, FileLength length) { return big5dict::identify(file, length); }

// Examines a file held in memory, at most format_capacity() of it; reads nothing outside `file`,
// and what lies past it stays unexamined. The text is built only when `with_text` is set.
Examination examine(std::string_view file, FileLength length, bool with_text);

}  // namespace dictionary_viewer
