// Row by row, what no key type changes: a text of one character, its Big5, a code. Once the
// table is read: the key type, then each row's key, then each character's preferred code.
#include "table_importer/input_table_target.h"

#include <algorithm>
#include <numeric>

#include "big5dict/ascii.h"
#include "platform/report.h"
#include "table_importer/messages.h"
#include "table_importer/row_index.h"

namespace table_importer {

namespace {

namespace rules = input_table_rules;

constexpr std::size_t kCharacters = 65536;
constexpr int kNone = -1;

std::uint64_t hash_pair(std::uint64_t packed) { return packed * 0x9E3779B97F4A7C15; }

std::uint8_t lead_of(std::uint16_t c) { return static_cast<std::uint8_t>(c >> 8); }
std::uint8_t trail_of(std::uint16_t c) { return static_cast<std::uint8_t>(c & 0xFF); }

}  // namespace

void InputTableTarget::row(const SourceRow& row) {
  report_.row_read();
  const std::optional<Kept> big5 = big5_of(row, Shape::kCharacter);
  if (!big5) return;
  const std::string code(kept(*big5));
  texts_.resize(big5->start);
  if (code.size() != 2) {
    report_.drop(row.line, DropReason::kNotACharacter, row.text);
    return;
  }
  if (!row.code) {
    report_.drop(row.line, DropReason::kNoCode, row.text);
    return;
  }
  Entry e{};
  e.line = row.line;
  e.character = static_cast<std::uint16_t>(static_cast<std::uint8_t>(code[0]) << 8 | static_cast<std::uint8_t>(code[1]));
  const std::string_view key = *row.code;
  e.key_size = static_cast<std::uint8_t>(std::min<std::size_t>(key.size(), kTooLong));
  for (std::size_t t = 0; t < rules::kKeyTypes.size(); ++t) {
    const bool good = key[0] != rules::kCommentMark && std::all_of(key.begin(), key.end(), [t](char c) {
      return rules::key_digit(rules::kKeyTypes[t], static_cast<std::uint8_t>(c)) != 0;
    });
    if (good) e.types |= static_cast<std::uint8_t>(1u << t);
  }
  for (std::size_t i = 0; i < std::min(key.size(), e.key.size()); ++i) e.key[i] = big5dict::to_ascii_lower(key[i]);
  entries_.push_back(e);
  weights_.add(row.weight);
}

// The rows keep no text: a character's Big5 stands in the entry itself.
void InputTableTarget::expect(std::uint64_t bytes) { entries_.reserve(room(bytes, kShortestRow)); }

void InputTableTarget::drop_entry(const Entry& e, DropReason reason) {
  const char character[] = {static_cast<char>(lead_of(e.character)), static_cast<char>(trail_of(e.character))};
  report_.drop(e.line, reason, big5_.utf8_of(std::string_view(character, 2)));
}

std::size_t InputTableTarget::key_limit(KeyType type) const {
  return std::min<std::size_t>(rules::positions(type), options_.max_len.value_or(rules::kLongestKey));
}

bool InputTableTarget::in_rows(const Entry& e) const {
  if (!options_.rows) return true;
  const std::uint8_t lead = lead_of(e.character);
  return lead >= options_.rows->first && lead <= options_.rows->second &&
         rules::has_place(lead, trail_of(e.character), static_cast<std::uint8_t>(options_.rows->first));
}

// The type that keeps the most characters; the first of kKeyTypes among equals.
InputTableTarget::KeyType InputTableTarget::chosen_type() const {
  if (options_.key_type) return *options_.key_type;
  KeyType best = rules::kKeyTypes[0];
  std::size_t best_count = 0;
  std::vector<bool> counted(kCharacters);
  for (std::size_t t = 0; t < rules::kKeyTypes.size(); ++t) {
    const KeyType type = rules::kKeyTypes[t];
    if (options_.max_len && *options_.max_len > rules::max_len_limit(type)) continue;
    std::fill(counted.begin(), counted.end(), false);
    std::size_t count = 0;
    for (const Entry& e : entries_) {
      if ((e.types >> t & 1) == 0 || e.key_size > key_limit(type) || !in_rows(e) || counted[e.character]) continue;
      counted[e.character] = true;
      ++count;
    }
    if (count > best_count) {
      best = type;
      best_count = count;
    }
  }
  return best;
}

// The key's digits, a position each, and with `with_character` the character above them: one
// number per key, or per pair of character and key.
std::uint64_t InputTableTarget::packed_key(const Entry& e, KeyType type, bool with_character) const {
  std::uint64_t packed = with_character ? e.character : 0;
  for (std::size_t i = 0; i < e.key_size; ++i) {
    packed = packed << rules::bits_per_position(type) | static_cast<std::uint64_t>(rules::key_digit(type, static_cast<std::uint8_t>(e.key[i])));
  }
  return packed << (rules::bits_per_position(type) * (rules::kLongestKey - e.key_size));
}

StopStatus InputTableTarget::finish(const TableFacts& facts, std::string& out) {
  InputHeader header;
  if (std::optional<std::string> name = short_name(options_, facts, big5_)) {
    header.short_name = *name;
  } else {
    err_ << msg::kNoShortName;
    return Outcome::kNoShortName;
  }
  header.key_type = chosen_type();
  const KeyType type = header.key_type;
  const std::size_t t = rules::type_index(type);

  std::vector<int> preferred(kCharacters, kNone);
  std::vector<std::uint32_t> eligible;
  for (std::uint32_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    std::optional<DropReason> fault;
    if ((e.types >> t & 1) == 0) {
      fault = DropReason::kBadKey;
    } else if (e.key_size > key_limit(type)) {
      fault = DropReason::kKeyTooLong;
    } else if (!in_rows(e)) {
      fault = DropReason::kOutOfRows;
    }
    if (fault) {
      drop_entry(e, *fault);
      continue;
    }
    eligible.push_back(i);
    int& best = preferred[e.character];
    if (best == kNone || weights_[i] > weights_[static_cast<std::size_t>(best)]) best = static_cast<int>(i);
  }

  // Each pair of character and key once: the preferred pair first, so that its repeats are
  // duplicates; every other pair is one of the character's other codes.
  RowIndex pairs;
  const auto file_pair = [&](std::uint32_t i) {
    const std::uint64_t pair = packed_key(entries_[i], type, true);
    return pairs.file(i, hash_pair(pair), [&](std::uint32_t r) { return packed_key(entries_[r], type, true) == pair; });
  };
  for (std::uint32_t i : eligible) {
    if (preferred[entries_[i].character] == static_cast<int>(i)) file_pair(i);
  }
  // A code's line stands where the first row kept under it stood.
  std::vector<std::uint32_t> kept_rows;
  RowIndex keys;
  std::vector<std::uint32_t> key_of_row(entries_.size());
  for (std::uint32_t i : eligible) {
    const Entry& e = entries_[i];
    if (preferred[e.character] == static_cast<int>(i)) {
      const std::uint64_t key = packed_key(e, type, false);
      key_of_row[i] = keys.file(i, hash_pair(key), [&](std::uint32_t r) { return packed_key(entries_[r], type, false) == key; });
      kept_rows.push_back(i);
    } else if (file_pair(i) != i) {
      drop_entry(e, DropReason::kDuplicate);
    } else {
      report_.drop(e.line, DropReason::kOtherCode, {});
    }
  }
  report_.kept(kept_rows.size());
  if (kept_rows.empty()) return std::nullopt;

  // The header's defaults come from what is kept.
  std::size_t longest = 0;
  char smallest = '\x7F', largest = '\0';
  int first_lead = 0xFF, last_lead = 0;
  for (std::uint32_t i : kept_rows) {
    const Entry& e = entries_[i];
    longest = std::max<std::size_t>(longest, e.key_size);
    for (std::size_t k = 0; k < e.key_size; ++k) {
      smallest = std::min(smallest, e.key[k]);
      largest = std::max(largest, e.key[k]);
    }
    first_lead = std::min<int>(first_lead, lead_of(e.character));
    last_lead = std::max<int>(last_lead, lead_of(e.character));
  }
  header.max_len = options_.max_len.value_or(static_cast<unsigned>(longest));
  header.option = options_.option;
  std::tie(header.range_first, header.range_last) = options_.range.value_or(std::pair(smallest, largest));
  header.single = options_.single.value_or(header.range_last);
  if (options_.rows) {
    std::tie(header.first_row, header.last_row) = *options_.rows;
  } else if (first_lead < rules::kDefaultFirstRow || last_lead > rules::kDefaultLastRow) {
    header.first_row = first_lead;
    header.last_row = last_lead;
  }
  header.english_name = options_.english_name.value_or(facts.name.empty() ? file_name_ : facts.name);
  header.chinese_name = options_.chinese_name.value_or(facts.chinese_name.empty() ? header.short_name : facts.chinese_name);
  out += header_line(header, big5_, err_);

  std::stable_sort(kept_rows.begin(), kept_rows.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return key_of_row[a] < key_of_row[b]; });
  for (std::size_t k = 0; k < kept_rows.size(); ++k) {
    const Entry& e = entries_[kept_rows[k]];
    if (k == 0 || key_of_row[kept_rows[k - 1]] != key_of_row[kept_rows[k]]) {
      if (k > 0) out.push_back('\n');
      out.append(e.key.data(), e.key_size);
      out.push_back(' ');
    }
    out.push_back(static_cast<char>(lead_of(e.character)));
    out.push_back(static_cast<char>(trail_of(e.character)));
  }
  out.push_back('\n');
  return std::nullopt;
}

}  // namespace table_importer
