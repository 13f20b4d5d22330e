// A stored CiZu key keeps neither the case of its letters nor the bytes the converter dropped, but
// the bucket it was filed in came from the key as written. This finds a spelling that TOMBRAL files
// in that bucket and stores as the same key, so that a table written back rebuilds the same file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace big5dict::hashed {

// The tab stands for a dropped byte: it stays out of the stored key and ends the hash.
constexpr char kDroppedKeyByte = '\t';

// `restored` is the stored key read back (each byte plus 0x20: 0x21..0x7E, no capitals). Gives the
// key itself when it hashes to `bucket`; else a spelling with some later letters in capitals, or
// with a dropped byte after the part that was hashed; nothing when no spelling reaches `bucket`.
// A spelling never begins with a capital (the converter folds a leading run of capitals before it
// hashes) nor with "*" (a comment line).
std::optional<std::string> spell_key(std::string_view restored, std::size_t bucket);

// The same search with its working sets kept from one key to the next, so that a walk over many
// records allocates nothing per key. The sets change only at a key's letters, and each change adds a
// bucket, so a key of any length keeps at most as many sets as there are buckets.
class KeySpeller {
 public:
  KeySpeller();
  ~KeySpeller();
  KeySpeller(const KeySpeller&) = delete;
  KeySpeller& operator=(const KeySpeller&) = delete;

  // A spelling of the stored key `restored` (in small letters, as read back) that hashes to
  // `bucket`, as a table line would write it; nothing when none does.
  std::optional<std::string> spell(std::string_view restored, std::size_t bucket);

 private:
  struct Sets;
  Sets* sets_;
};

}  // namespace big5dict::hashed
