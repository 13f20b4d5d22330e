// The bucket index against the bucket walk: one table finds entries through its indexes, the other
// always walks, and both take the same bucket (random, damaged, or built by the editor and then
// damaged) and the same adds, deletes, look-ups and raw edits. Any difference in what the editor
// reports or in the bucket's bytes aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "big5dict/phrase_editor.h"
#include "big5dict/phrase_table.h"

namespace {

using namespace big5dict::phrase;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A character from a small alphabet, so that phrases meet again and again; now and then any two
// bytes, so that tails of every form reach both searches.
void append_character(Input& in, std::string& phrase) {
  const std::uint8_t c = in.next();
  if (c < 0xF0) {
    phrase.push_back(static_cast<char>(0xA4 + c % 4));
    phrase.push_back(static_cast<char>(0x40 + (c / 4) % 8));
  } else {
    phrase.push_back(static_cast<char>(in.next()));
    phrase.push_back(static_cast<char>(in.next()));
  }
}

void same(bool equal) {
  if (!equal) std::abort();
}

void same_result(const EditResult& a, const EditResult& b) {
  same(a.outcome == b.outcome);
  same(a.unmarked_entries == b.unmarked_entries);
  same(a.missing_tail() == b.missing_tail());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const bool at_end = (in.next() & 1) != 0;
  PhraseTable indexed(BucketLookup::kIndexedEveryBucket);
  PhraseTable walked(BucketLookup::kWalk);
  constexpr int kSlot = 0;  // the phrases begin with A4 40
  // The bucket to start from: up to 255 bytes of the input as they come.
  std::string start;
  for (std::size_t n = in.next(); n > 0 && !in.empty(); --n) start.push_back(static_cast<char>(in.next()));
  indexed.set_bucket(kSlot, start);
  walked.set_bucket(kSlot, start);
  while (!in.empty()) {
    const std::uint8_t op = in.next();
    if (op % 4 == 3) {
      // A raw edit the editor would never make, or a damaged byte stored back whole.
      std::string bucket = indexed.bucket(kSlot);
      const std::size_t pos = bucket.empty() ? 0 : in.next() % (bucket.size() + 1);
      const std::size_t n = in.next() % 8;
      if (op & 0x80) {
        indexed.erase(kSlot, pos, n);
        walked.erase(kSlot, pos, n);
      } else if (op & 0x40) {
        if (pos < bucket.size()) bucket[pos] = static_cast<char>(in.next());
        indexed.set_bucket(kSlot, bucket);
        walked.set_bucket(kSlot, bucket);
      } else {
        std::string bytes;
        for (std::size_t i = 0; i < n; ++i) bytes.push_back(static_cast<char>(in.next() | 1));
        indexed.insert(kSlot, pos, bytes);
        walked.insert(kSlot, pos, bytes);
      }
      same(indexed.bucket(kSlot) == walked.bucket(kSlot));
      continue;
    }
    const EditRequest request = op % 4 == 0 ? EditRequest::kAdd : op % 4 == 1 ? EditRequest::kDelete : EditRequest::kLookUp;
    const std::size_t characters = (op >> 5) == 7 ? 21 : 2 + (op >> 2) % 5;
    std::string phrase = "\xA4\x40";
    for (std::size_t i = 1; i < characters; ++i) append_character(in, phrase);
    same_result(edit_phrase(indexed, phrase, request, at_end), edit_phrase(walked, phrase, request, at_end));
    same(indexed.bucket(kSlot) == walked.bucket(kSlot));
  }
  return 0;
}
