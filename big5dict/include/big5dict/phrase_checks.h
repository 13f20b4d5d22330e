// Every rule of the phrase dictionary file checked, slot by slot the way LEXMOOR loads it: what is
// broken comes out as findings, what the file holds as a summary, and, when asked, the text export
// that LEXMOOR's "$" source reads back.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "big5dict/file_length.h"
#include "big5dict/findings.h"
#include "big5dict/phrase_layout.h"

namespace big5dict::phrase {

// The rules, and what each finding holds besides its offset. `place` is the slot where one is named.
enum class Rule {
  kNoIdentificationEnd,    // no NUL ends the identification text within its 64 bytes
  kBucketTooLong,          // the half-offsets give the bucket a (>= 16384) bytes
  kDataAreaShort,          // the file ends inside the bucket: a bytes promised, the data area holds b (c: 1 when it goes on)
  kNulInBucket,            // a NUL byte in the bucket, which ends it in memory
  kNoFrequencyUnit,        // an entry begins with a, a byte without bit 7
  kEntryWithoutCharacters, // a frequency unit with nothing after it
  kTwoAfterLong,           // a two-character entry after a long one
  kNotBig5Stored,          // a stored character a b is no Big5 character once its lead is restored to c
  kPhraseTooLong,          // a phrase of a characters, more than 20
  // Warnings:
  kBytesAfterLastBucket,   // a bytes after the last bucket (b: 1 when the file goes on), which a loader ignores
  kShortLongEntry,         // a two-character phrase stored as a long entry
};

using PhraseFinding = Finding<Rule>;

struct Summary {
  std::string identification;        // the identification text up to its NUL
  int slots_used = 0;
  long phrases = 0;
  std::map<int, long> by_length;     // phrases by their number of characters
  std::size_t largest = 0;           // the largest bucket's length, and its slot (-1: none)
  int largest_slot = -1;
  std::size_t data_area = 0;         // what the half-offsets promise
};

// `file` holds the file's first bytes (at least the 27004 of the header), of a file `length` long;
// what lies past `file` stays unexamined. With `text`, appends the text export to it.
Summary check_phrase_dictionary(std::string_view file, FileLength length, FindingSink<Rule>& findings,
                                std::string* text);

}  // namespace big5dict::phrase
