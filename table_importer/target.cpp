// What the targets share.
#include "table_importer/target.h"

#include <new>

#include "platform/ascii.h"

namespace table_importer {

Target::Kept Target::keep(std::string_view text) {
  // Offsets are 32 bits; a table this large would not fit in memory twice over anyway.
  if (texts_.size() + text.size() > UINT32_MAX) throw std::bad_alloc();
  const Kept k{static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size())};
  texts_.append(text);
  return k;
}

void Target::expect(std::uint64_t bytes) { texts_.reserve(room(bytes, 1)); }

std::optional<Target::Kept> Target::big5_of(const SourceRow& row, Shape shape) {
  if (holds_ascii(row.text)) {
    report_.drop(row.line, DropReason::kNotBig5Text, row.text);
    return std::nullopt;
  }
  if (shape != Shape::kAny) {
    const std::size_t characters = character_count(row.text);
    if (shape == Shape::kPhrase && characters < 2) {
      report_.drop(row.line, DropReason::kSingleCharacter, row.text);
      return std::nullopt;
    }
    if (shape == Shape::kCharacter && characters != 1) {
      report_.drop(row.line, DropReason::kNotACharacter, row.text);
      return std::nullopt;
    }
  }
  const std::size_t start = texts_.size();
  if (!big5_.append(row.text, texts_)) {
    report_.drop(row.line, DropReason::kNoBig5, row.text);
    return std::nullopt;
  }
  if (texts_.size() > UINT32_MAX) throw std::bad_alloc();
  return Kept{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(texts_.size() - start)};
}

std::string lower_case(std::string_view code) {
  std::string lower(code);
  for (char& c : lower) c = platform::to_ascii_lower(c);
  return lower;
}

}  // namespace table_importer
