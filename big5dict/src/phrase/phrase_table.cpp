// Storing whole buckets into the phrase table, editing them, and finding their entries.
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

void PhraseTable::set_bucket(int slot, std::string_view bytes) {
  std::size_t end = bytes.find('\0');
  if (end != std::string_view::npos) bytes = bytes.substr(0, end);
  // A NUL in a trail byte of a damaged file would leave an odd length. The half-offsets count
  // two-byte units, so an odd byte written back would shift every later bucket of the file: the
  // bucket keeps its whole units only.
  bytes = bytes.substr(0, bytes.size() - bytes.size() % 2);
  buckets_[static_cast<std::size_t>(slot)] = std::string(bytes);
  if (!indexes_.empty()) indexes_[static_cast<std::size_t>(slot)].forget();
}

void PhraseTable::insert(int slot, std::size_t pos, std::string_view bytes) {
  std::string& bucket = buckets_[static_cast<std::size_t>(slot)];
  bucket.insert(pos, bytes);
  if (!indexes_.empty()) indexes_[static_cast<std::size_t>(slot)].inserted(bucket, pos, bytes);
}

void PhraseTable::erase(int slot, std::size_t pos, std::size_t n) {
  std::string& bucket = buckets_[static_cast<std::size_t>(slot)];
  if (!indexes_.empty()) indexes_[static_cast<std::size_t>(slot)].erasing(bucket, pos, n);
  bucket.erase(pos, n);
}

void PhraseTable::release(int slot) {
  std::string().swap(buckets_[static_cast<std::size_t>(slot)]);
  if (!indexes_.empty()) indexes_[static_cast<std::size_t>(slot)].forget();
}

BucketSearch PhraseTable::search(int slot, std::string_view tail) {
  const std::string& bucket = buckets_[static_cast<std::size_t>(slot)];
  if (!indexes_.empty() && bucket.size() >= smallest_indexed_) {
    BucketIndex& index = indexes_[static_cast<std::size_t>(slot)];
    // A bucket found unsound is walked until it is replaced: an edit may mend it, but the walk
    // answers the same, and looking again after every edit would walk a damaged bucket twice.
    if (!index.checked()) index.build(bucket);
    if (std::optional<BucketSearch> answer = index.find(bucket, tail)) return *answer;
  }
  return walk_bucket(bucket, tail);
}

}  // namespace big5dict::phrase
