// Phrases are checked as they come against what a slot and a word list's scan take; order,
// duplicates and buckets are decided once the table is read.
#include "table_importer/word_list_target.h"

#include <algorithm>
#include <numeric>

#include "table_importer/equal_rows.h"
#include "table_importer/word_list_rules.h"

namespace table_importer {

namespace {

namespace rules = word_list_rules;

bool storable(std::string_view big5) {
  if (big5.size() > rules::kLongestPhraseBytes || rules::first_slot(big5) < 0) return false;
  for (std::size_t pos = 0; pos < big5.size(); pos += rules::kCharacterBytes) {
    if (!rules::keeps_the_run(static_cast<std::uint8_t>(big5[pos]))) return false;
  }
  return true;
}

}  // namespace

void WordListTarget::row(const SourceRow& row) {
  report_.row_read();
  const std::optional<Kept> big5 = big5_of(row, Shape::kPhrase);
  if (!big5) return;
  if (!storable(kept(*big5))) {
    texts_.resize(big5->start);
    report_.drop(row.line, DropReason::kNotStorable, row.text);
    return;
  }
  phrases_.push_back({row.line, *big5});
  weights_.add(row.weight);
}

void WordListTarget::expect(std::uint64_t bytes) {
  Target::expect(bytes);
  phrases_.reserve(room(bytes, kShortestRow));
}

StopStatus WordListTarget::finish(const TableFacts& facts, std::string& out) {
  if (phrases_.empty()) return std::nullopt;
  std::vector<std::uint32_t> order(phrases_.size());
  std::iota(order.begin(), order.end(), 0);
  if (!facts.original_order && weights_.any()) {
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) { return weights_[a] > weights_[b]; });
  }
  // Each phrase once: the first of the equal ones in this order, the best.
  std::vector<std::uint32_t> rank;
  if (!std::is_sorted(order.begin(), order.end())) {
    rank.resize(order.size());
    for (std::uint32_t at = 0; at < order.size(); ++at) rank[order[at]] = at;
  }
  std::vector<std::uint32_t> hashes(phrases_.size());
  for (std::uint32_t i = 0; i < phrases_.size(); ++i) hashes[i] = hash_bytes(kept(phrases_[i].big5));
  const std::vector<std::uint32_t> first = first_of_equals(
      hashes, rank, [this](std::uint32_t a, std::uint32_t b) { return kept(phrases_[a].big5) == kept(phrases_[b].big5); });
  hashes = {};
  // A new dictionary's buckets start empty; a phrase that would bring its bucket to the limit
  // could not be read back, so LEXMOOR would refuse it.
  std::vector<std::size_t> bucket(rules::kSlotCount, 0);
  for (std::uint32_t i : order) {
    const Phrase& p = phrases_[i];
    const std::string_view big5 = kept(p.big5);
    if (first[i] != i) {
      drop_later(p.line, DropReason::kDuplicate, p.big5);
      continue;
    }
    std::size_t& used = bucket[static_cast<std::size_t>(rules::first_slot(big5))];
    if (used + rules::entry_bytes(big5) >= rules::kBucketLimit) {
      drop_later(p.line, DropReason::kBucketFull, p.big5);
      continue;
    }
    used += rules::entry_bytes(big5);
    out.append(big5);
    out.push_back('\n');
    report_.kept(1);
  }
  return std::nullopt;
}

}  // namespace table_importer
