// A key's records found as a text system finds them: its bucket, then its stored key there.
#include "big5dict/hashed_lookup.h"

#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_record.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

std::vector<Phrases> records_of(std::string_view file, std::string_view key) {
  if (!HashedFile::holds_header(file)) return {};
  std::string folded(line_key(key));
  fold_leading_capitals(folded);
  const std::optional<std::string_view> bucket = HashedFile(file).bucket(key_hash(folded));
  if (!bucket) return {};
  std::string stored;
  append_stored_key(folded, stored);

  std::vector<Phrases> found;
  RecordWalker records(*bucket);
  while (std::optional<StoredRecord> record = records.next()) {
    if (record->key != stored) continue;
    Phrases& phrases = found.emplace_back();
    PhraseWalker walker(record->phrases);
    while (std::optional<StoredPhrase> phrase = walker.next()) append_restored(phrase->units, phrases.emplace_back());
  }
  return found;
}

}  // namespace big5dict::hashed
