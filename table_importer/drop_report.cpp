// Counting and naming what was dropped.
#include "table_importer/drop_report.h"

#include <algorithm>
#include <new>
#include <numeric>

#include "platform/report.h"
#include "table_importer/messages.h"

namespace table_importer {

void DropReport::drop(int line, DropReason reason, std::string_view text) {
  ++counts_[static_cast<std::size_t>(reason)];
  if (!is_listed(reason)) return;
  // Offsets are 32 bits, which hold the texts of any table that fits in memory twice over.
  if (texts_.size() + text.size() > UINT32_MAX) throw std::bad_alloc();
  if (!entries_.empty() && entries_.back().line > line) sorted_ = false;
  entries_.push_back({line, reason, static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size())});
  texts_.append(text);
}

std::size_t DropReport::dropped() const { return std::accumulate(counts_.begin(), counts_.end(), std::size_t{0}); }

void DropReport::sort_entries() {
  if (sorted_) return;
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.line < b.line; });
  sorted_ = true;
}

void DropReport::write_summary(std::ostream& err, const std::string& source_name) {
  sort_entries();
  const std::size_t named = std::min(entries_.size(), kNamedDrops);
  for (std::size_t i = 0; i < named; ++i) {
    const Entry& e = entries_[i];
    err << platform::format(msg::kDropped, source_name.c_str(), e.line, reason_name(e.reason).data(),
                            std::string(text_of(e)).c_str());
  }
  if (entries_.size() > named) err << platform::format(msg::kMoreDropped, source_name.c_str(), entries_.size() - named);
  err << platform::format(msg::kSummary, source_name.c_str(), rows_read_, kept_, dropped());
  for (std::size_t r = 0; r < kDropReasonCount; ++r) {
    if (counts_[r] > 0) err << platform::format(msg::kReasonCount, kDropReasonNames[r].data(), counts_[r]);
  }
}

std::string DropReport::report_file() {
  sort_entries();
  std::string file;
  for (const Entry& e : entries_) {
    file += std::to_string(e.line);
    file += '\t';
    file += reason_name(e.reason);
    file += '\t';
    file += text_of(e);
    file += '\n';
  }
  return file;
}

}  // namespace table_importer
