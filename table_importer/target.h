// What B5IMPORT makes of a table's rows: the text one of the three programs reads. A target takes
// the rows as they come, drops at once what can never be kept, and decides the rest (order,
// duplicates, what fits) when the table is read.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "table_importer/big5_characters.h"
#include "table_importer/drop_report.h"
#include "table_importer/outcome.h"
#include "table_importer/table_source.h"
#include "table_importer/weights.h"

namespace table_importer {

enum class TargetKind { kWordList, kCizuTable, kInputTable };

class Target : public RowSink {
 public:
  Target(Big5Characters& big5, DropReport& report) : big5_(big5), report_(report) {}

  // Appends the target's Big5 text to `out`. A fault found only now gives its outcome, reported.
  virtual StopStatus finish(const TableFacts& facts, std::string& out) = 0;

  // Makes room for the rows of a source of `bytes` bytes, so that nothing is copied as they come.
  // Room not used is never touched, so it takes no memory.
  virtual void expect(std::uint64_t bytes);

 protected:
  // Keeps `text` in texts_; its place there.
  struct Kept {
    std::uint32_t start;
    std::uint32_t size;
  };
  Kept keep(std::string_view text);
  std::string_view kept(Kept k) const { return std::string_view(texts_).substr(k.start, k.size); }

  // A row dropped once the table is read, when only its Big5 is held: named as that reads back.
  void drop_later(int line, DropReason reason, Kept big5) { report_.drop(line, reason, big5_.utf8_of(kept(big5))); }

  // What the room for rows is sized by: a row of a table takes at least this many bytes.
  static constexpr std::uint64_t kShortestRow = 4;
  static constexpr std::uint64_t kLargestRoom = std::uint64_t{1} << 30;
  static std::size_t room(std::uint64_t bytes, std::uint64_t per) { return static_cast<std::size_t>(std::min(bytes, kLargestRoom) / per); }

  // What a target takes as a text: phrases and characters alike, phrases of two characters or
  // more, or one character.
  enum class Shape { kAny, kPhrase, kCharacter };

  // Drops the row when its text is no Big5 text, is not of the shape, or holds a character the
  // variant lacks, in that order; else appends its Big5 to texts_ and gives where it stands.
  std::optional<Kept> big5_of(const SourceRow& row, Shape shape);

  Big5Characters& big5_;
  DropReport& report_;
  std::string texts_;
  Weights weights_;
};

// Codes as TOMBRAL and KESTRAWN take them: in lower case (the tables' capitals are the same keys).
std::string lower_case(std::string_view code);

}  // namespace table_importer
