// Codes are made keys as the rows come (the table's spaces go, capitals fold); order and
// duplicates are decided once the table is read.
#include "table_importer/cizu_table_target.h"

#include <algorithm>
#include <numeric>

#include "platform/ascii.h"
#include "table_importer/cizu_table_rules.h"

namespace table_importer {

namespace {

namespace rules = cizu_table_rules;

// A key every byte of which TOMBRAL keeps, and that does not make the line a comment.
bool good_key(std::string_view key) {
  if (key[0] == rules::kCommentMark) return false;
  return std::all_of(key.begin(), key.end(), [](char c) { return rules::is_key_byte(static_cast<std::uint8_t>(c)); });
}

}  // namespace

void CizuTableTarget::row(const SourceRow& row) {
  report_.row_read();
  const std::size_t start = texts_.size();
  const std::optional<Kept> big5 = big5_of(row, Shape::kAny);
  if (!big5) return;
  key_.clear();
  if (row.code) {
    for (char c : *row.code) {
      if (c != ' ') key_.push_back(platform::to_ascii_lower(c));
    }
  }
  const std::optional<DropReason> fault =
      key_.empty() ? std::optional(DropReason::kNoCode) : good_key(key_) ? std::nullopt : std::optional(DropReason::kBadKey);
  if (fault) {
    texts_.resize(start);
    report_.drop(row.line, *fault, row.text);
    return;
  }
  const Kept text = keep(row.text);
  const auto next = static_cast<std::uint32_t>(codes_.size());
  const std::uint32_t code =
      code_index_.file(next, hash_bytes(key_), [this](std::uint32_t c) { return kept(codes_[c]) == key_; });
  if (code == next) codes_.push_back(keep(key_));
  entries_.push_back({row.line, code, text, *big5, row.weight});
}

StopStatus CizuTableTarget::finish(const TableFacts& facts, std::string& out) {
  std::vector<std::uint32_t> order(entries_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const Entry& x = entries_[a];
    const Entry& y = entries_[b];
    if (x.code != y.code) return x.code < y.code;
    return !facts.original_order && x.weight > y.weight;
  });
  // Each phrase once a code: the first in this order, the best.
  RowIndex seen;
  std::size_t line_start = 0;
  bool line_open = false;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Entry& e = entries_[order[i]];
    const bool first_of_code = i == 0 || entries_[order[i - 1]].code != e.code;
    const std::string_view big5 = kept(e.big5);
    const auto same = [&](std::uint32_t r) { return entries_[r].code == e.code && kept(entries_[r].big5) == big5; };
    if (seen.file(order[i], hash_bytes(big5, e.code), same) != order[i]) {
      report_.drop(e.line, DropReason::kDuplicate, kept(e.text));
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
