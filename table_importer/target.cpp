// What the targets share.
#include "table_importer/target.h"

#include <new>

#include "big5dict/ascii.h"

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
  const std::size_t start = texts_.size();
  const TextForm form = big5_.convert(row.text, texts_);
  std::optional<DropReason> fault;
  if (form.ascii || row.text.empty()) {
    fault = DropReason::kNotBig5Text;
  } else if (shape == Shape::kPhrase && form.characters < 2) {
    fault = DropReason::kSingleCharacter;
  } else if (shape == Shape::kCharacter && form.characters != 1) {
    fault = DropReason::kNotACharacter;
  } else if (!form.whole) {
    fault = DropReason::kNoBig5;
  }
  if (fault) {
    texts_.resize(start);
    report_.drop(row.line, *fault, row.text);
    return std::nullopt;
  }
  if (texts_.size() > UINT32_MAX) throw std::bad_alloc();
  return Kept{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(texts_.size() - start)};
}

std::string lower_case(std::string_view code) {
  std::string lower(code);
  for (char& c : lower) c = big5dict::to_ascii_lower(c);
  return lower;
}

}  // namespace table_importer
