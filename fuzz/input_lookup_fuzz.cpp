// The look-ups a text system makes in an input dictionary, on any bytes written over a full file:
// the first byte picks the key type, the next three where the rest of the input overwrites the
// file (its length stays). Nothing may read outside the file, and the look-ups must agree: the key
// of a character's code encodes to that code and reaches that character again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"
#include "big5dict/input_lookup.h"

namespace {

namespace input = big5dict::input;

// A few characters with keys of every length, and the end marker behind them.
std::string skeleton(std::uint8_t key_type) {
  input::DictHeader header;
  header.key_type = key_type;
  input::KeyTable key;
  const auto type = static_cast<input::KeyType>(key_type % input::kKeyTypeCount);
  const char* keys[] = {"1", "12", "a", "ab", "abc", "zz", "...."};
  for (std::size_t slot = 0; slot < 40; ++slot) key[slot * 7] = input::encode_key(keys[slot % 7], 0, type).code;
  input::final_pass(key);
  return input::full_file_bytes(header, key);
}

// The characters checked for each input: the first slots, where the skeleton and most patches are.
constexpr int kCheckedSlots = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::string file = skeleton(data[0] % (input::kKeyTypeCount + 1));
  const std::size_t at = (data[1] | (data[2] << 8) | (static_cast<std::size_t>(data[3]) << 16)) % file.size();
  std::copy_n(data + 4, std::min(size - 4, file.size() - at), file.begin() + static_cast<std::ptrdiff_t>(at));

  const input::KeyLookup lookup(file);
  const std::uint8_t qu_start = lookup.header().qu_start;
  for (int slot = 0; slot < kCheckedSlots; ++slot) {
    const input::HashedCharacter hashed = input::hashed_character(slot, qu_start);
    if (!hashed.is_character()) continue;
    const big5dict::Big5Char c{static_cast<std::uint8_t>(hashed.lead), hashed.trail};
    const std::uint32_t code = lookup.key_code(c);
    const std::optional<std::string> key = code == 0 ? std::nullopt : lookup.key_text(code);
    if (!key) continue;
    const auto type = static_cast<input::KeyType>(lookup.header().key_type);
    if (input::encode_key(*key, 0, type).code != code) std::abort();
    const std::vector<big5dict::Big5Char> reached = lookup.characters(*key);
    if (std::find(reached.begin(), reached.end(), c) == reached.end()) std::abort();
  }
  return 0;
}
