// The look-ups in a phrase dictionary, on any bytes written over a small sound one: the first two
// bytes pick where the rest of the input overwrites the file (its header included), so the
// half-offsets may promise buckets past the end, up to 131070 bytes or wrapping. Nothing may read
// outside the file, every phrase listed under a character starts with it and is whole characters,
// and the look-up of each listed phrase, and of any bytes in any format, returns.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "big5dict/file_lookup.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_file.h"
#include "big5dict/phrase_lookup.h"

namespace {

namespace phrase = big5dict::phrase;

// Two slots with a few entries, as LEXMOOR writes them: two-character entries, then long ones.
std::string skeleton() {
  phrase::HeaderImage header;
  phrase::PhraseTable table;
  for (int slot : {0, 1, 160}) {
    std::string bucket;
    phrase::append_entry(bucket, "\xA4\x41", phrase::EntryKind::kTwoCharacter);
    phrase::append_entry(bucket, "\xA4\x42", phrase::EntryKind::kTwoCharacter);
    phrase::append_entry(bucket, "\xA4\x43\xA4\x44", phrase::EntryKind::kLong);
    table.set_bucket(slot, bucket);
  }
  return phrase::file_bytes(header, table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  static const std::string kSkeleton = skeleton();
  std::string file = kSkeleton;
  const std::size_t at = (data[0] | (data[1] << 8)) % file.size();
  std::copy_n(data + 2, std::min(size - 2, file.size() - at), file.begin() + static_cast<std::ptrdiff_t>(at));
  // Inputs longer than the file grow it: a bucket may then lie past the skeleton's end.
  const std::size_t written = file.size() - at;
  if (size - 2 > written) file.append(reinterpret_cast<const char*>(data) + 2 + written, size - 2 - written);

  for (int slot : {0, 1, 2, 160, phrase::kSlotCount - 1}) {
    const big5dict::Big5Char c = phrase::slot_character(slot);
    for (const std::string& found : phrase::phrases_under(file, c)) {
      if (found.size() < 4 || found.size() % 2 != 0 || static_cast<std::uint8_t>(found[0]) != c.lead ||
          static_cast<std::uint8_t>(found[1]) != c.trail) {
        std::abort();
      }
      phrase::file_holds_phrase(file, found);
    }
  }
  // Any bytes as WHAT, in every format the patched file may now seem to be.
  big5dict::look_up(file, big5dict::whole(file), std::string_view(reinterpret_cast<const char*>(data) + 2,
                                                                  std::min<std::size_t>(size - 2, 44)));
  return 0;
}
