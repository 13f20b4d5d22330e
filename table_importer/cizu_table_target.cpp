// Codes are made keys as the rows come (the table's spaces go, capitals fold); order and
// duplicates are decided once the table is read.
#include "table_importer/cizu_table_target.h"

#include <algorithm>
#include <numeric>

#include "big5dict/ascii.h"
#include "table_importer/cizu_table_rules.h"
#include "table_importer/equal_rows.h"

namespace table_importer {

namespace {

namespace rules = cizu_table_rules;

constexpr std::size_t kComparedPhrases = 16;

// A key every byte of which TOMBRAL keeps, and that does not make the line a comment.
bool good_key(std::string_view key) {
  if (key[0] == rules::kCommentMark) return false;
  return std::all_of(key.begin(), key.end(), [](char c) { return rules::is_key_byte(static_cast<std::uint8_t>(c)); });
}

}  // namespace

void CizuTableTarget::row(const SourceRow& row) {
  report_.row_read();
  key_.clear();
  if (row.code) {
    for (char c : *row.code) {
      if (c != ' ') key_.push_back(big5dict::to_ascii_lower(c));
    }
  }
  // The key's place in the index is fetched from memory while this row is converted and the
  // next one read: the key is filed when the next row comes.
  const std::uint32_t hash = hash_bytes(key_);
  code_index_.prefetch(hash);
  const std::size_t start = texts_.size();
  const std::optional<Kept> big5 = big5_of(row, Shape::kAny);
  if (!big5) return;
  const std::optional<DropReason> fault =
      key_.empty() ? std::optional(DropReason::kNoCode) : good_key(key_) ? std::nullopt : std::optional(DropReason::kBadKey);
  if (fault) {
    texts_.resize(start);
    report_.drop(row.line, *fault, row.text);
    return;
  }
  file_pending_code();
  entries_.push_back({row.line, 0, *big5});
  weights_.add(row.weight);
  pending_key_.swap(key_);
  pending_hash_ = hash;
  pending_ = true;
}

void CizuTableTarget::file_pending_code() {
  if (!pending_) return;
  pending_ = false;
  // Tables sorted by code list a code's rows together: the row before's code is tried first.
  const std::size_t last = entries_.size() - 1;
  if (last > 0 && kept(codes_[entries_[last - 1].code]) == pending_key_) {
    entries_[last].code = entries_[last - 1].code;
    return;
  }
  const auto next = static_cast<std::uint32_t>(codes_.size());
  const std::uint32_t code =
      code_index_.file(next, pending_hash_, [this](std::uint32_t c) { return kept(codes_[c]) == pending_key_; });
  if (code == next) codes_.push_back(keep(pending_key_));
  entries_[last].code = code;
}

void CizuTableTarget::expect(std::uint64_t bytes) {
  Target::expect(bytes);
  entries_.reserve(room(bytes, kShortestRow));
}

StopStatus CizuTableTarget::finish(const TableFacts& facts, std::string& out) {
  file_pending_code();
  std::vector<std::uint32_t> order(entries_.size());
  std::iota(order.begin(), order.end(), 0);
  // A table sorted by code is in this order already, unless its weights reorder a code's rows.
  const bool by_weight = !facts.original_order && weights_.any();
  const auto before = [&](std::uint32_t a, std::uint32_t b) {
    const Entry& x = entries_[a];
    const Entry& y = entries_[b];
    if (x.code != y.code) return x.code < y.code;
    return by_weight && weights_[a] > weights_[b];
  };
  if (!std::is_sorted(order.begin(), order.end(), before)) std::stable_sort(order.begin(), order.end(), before);
  // Each phrase once a code: the first in this order, the best. A code has few phrases, which are
  // compared with each other; a code with many files them.
  RowIndex seen;
  std::size_t group_start = 0;
  std::size_t line_start = 0;
  bool line_open = false;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Entry& e = entries_[order[i]];
    const bool first_of_code = i == 0 || entries_[order[i - 1]].code != e.code;
    if (first_of_code) group_start = i;
    const std::string_view big5 = kept(e.big5);
    const auto file = [&](std::uint32_t row) {
      const std::string_view b = kept(entries_[row].big5);
      return seen.file(row, hash_bytes(b, e.code), [&](std::uint32_t r) { return kept(entries_[r].big5) == b; });
    };
    bool duplicate = false;
    if (i - group_start < kComparedPhrases) {
      for (std::size_t j = group_start; j < i && !duplicate; ++j) duplicate = kept(entries_[order[j]].big5) == big5;
    } else {
      if (i - group_start == kComparedPhrases) {
        for (std::size_t j = group_start; j < i; ++j) file(order[j]);
      }
      duplicate = file(order[i]) != order[i];
    }
    if (duplicate) {
      drop_later(e.line, DropReason::kDuplicate, e.big5);
      continue;
    }
    // A line no reader would take goes on in another with the same key.
    if (first_of_code || out.size() - line_start + 1 + big5.size() > rules::kLongestLine) {
      if (line_open) out.push_back('\n');
      line_start = out.size();
      out.append(kept(codes_[e.code]));
      line_open = true;
    }
    out.push_back(rules::kSeparator);
    out.append(big5);
    report_.kept(1);
  }
  if (line_open) out.push_back('\n');
  return std::nullopt;
}

}  // namespace table_importer
