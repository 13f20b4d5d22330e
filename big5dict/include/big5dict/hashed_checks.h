// Every rule of the hashed phrase dictionary file checked, bucket by bucket and record by record
// against the encodings and the key hash TOMBRAL used: what is broken comes out as findings, what
// the file holds as a summary, and, when asked, the CiZu table that TOMBRAL reads back into the
// same file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "big5dict/file_length.h"
#include "big5dict/findings.h"

namespace big5dict::hashed {

// The rules, and what each finding holds besides its offset. `place` is the bucket, except where
// said otherwise.
enum class Rule {
  kOffsetGoesBack,  // the bucket ends before it begins: its words give the data offsets a, then b < a
  kFileLength,      // place: the header word 9999; a: the file length the header gives, b: the
                    // file's length (c: 1 when it goes on)
  kBucketPastEnd,   // the bucket runs past the end of the file
  kKeyByteOutside,  // a: a stored key byte above 0x5E
  kKeyByteCapital,  // a: a stored key byte, b: the capital it reads back as
  kKeyTooLong,      // a: the length of a stored key longer than a table line
  kUnitCut,         // a phrase unit cut by the end of the bucket
  kNotBig5Phrase,   // a b: a unit, lead byte restored, that is no Big5 character
  kWrongBucket,     // text: the stored key read back, which no spelling hashes to this bucket;
                    // a: the bucket it hashes to as it stands
};

using HashedFinding = Finding<Rule>;

struct Summary {
  long records = 0;
  long phrases = 0;
  long spelled = 0;  // records whose key hashed in a spelling other than the small letters
  std::size_t buckets_used = 0;
  std::size_t max_length = 0;  // the longest bucket read: MAXLEN
  std::size_t data_area = 0;   // what the header words give
};

// Whether the data offsets of a header (`header`, at least its 40000 bytes) ever go back: such a
// file is unsound whatever its buckets hold.
bool offsets_decrease(std::string_view header);

// `file` holds the file's first bytes (at least the 40000 of the header), of a file `length` long;
// what lies past `file` stays unexamined. With `text`, appends the CiZu table to it.
Summary check_hashed_dictionary(std::string_view file, FileLength length, FindingSink<Rule>& findings,
                                std::string* text);

}  // namespace big5dict::hashed
