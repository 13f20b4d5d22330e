// Searching the spellings of a CiZu key. The hash is a sum of one term per position modulo the
// bucket count; a key's own spelling gives the base sum of each prefix, and each later small letter
// written as a capital adds its own difference. So the buckets a prefix can reach are its base sum
// plus the sums of some of the differences of its letters: one set of residues that grows by a
// rotation at each letter and stays as it is elsewhere.
#include "big5dict/hashed_spelling.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "big5dict/ascii.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

namespace {

constexpr std::size_t kBuckets = kBucketCount;
constexpr std::size_t kWords = (kBuckets + 63) / 64;
constexpr std::uint64_t kLastWordMask = (std::uint64_t{1} << (kBuckets % 64)) - 1;
static_assert(kBuckets % 64 != 0);

// A set of residues modulo the bucket count.
struct Residues {
  std::array<std::uint64_t, kWords> words{};

  bool test(std::size_t r) const { return (words[r / 64] >> (r % 64)) & 1; }
  void set(std::size_t r) { words[r / 64] |= std::uint64_t{1} << (r % 64); }
  bool all() const {
    for (std::size_t i = 0; i + 1 < kWords; ++i) {
      if (words[i] != ~std::uint64_t{0}) return false;
    }
    return words[kWords - 1] == kLastWordMask;
  }
  // Adds every residue of `from` moved on by `by` (0 < by < kBuckets): the residues below
  // kBuckets - by move up, the others wrap round to the start.
  void add_rotated(const Residues& from, std::size_t by) {
    add_shifted_up(from, by);
    add_shifted_down(from, kBuckets - by);
  }

 private:
  // Bit r of `from` to bit r + by, those that pass the last residue dropped.
  void add_shifted_up(const Residues& from, std::size_t by) {
    const std::size_t word_shift = by / 64;
    const unsigned bit_shift = static_cast<unsigned>(by % 64);
    for (std::size_t i = kWords; i-- > word_shift;) {
      std::uint64_t w = from.words[i - word_shift] << bit_shift;
      if (bit_shift != 0 && i > word_shift) w |= from.words[i - word_shift - 1] >> (64 - bit_shift);
      words[i] |= w;
    }
    words[kWords - 1] &= kLastWordMask;
  }
  // Bit r of `from` to bit r - by, those below `by` dropped.
  void add_shifted_down(const Residues& from, std::size_t by) {
    const std::size_t word_shift = by / 64;
    const unsigned bit_shift = static_cast<unsigned>(by % 64);
    for (std::size_t i = 0; i + word_shift < kWords; ++i) {
      std::uint64_t w = from.words[i + word_shift] >> bit_shift;
      if (bit_shift != 0 && i + word_shift + 1 < kWords) w |= from.words[i + word_shift + 1] << (64 - bit_shift);
      words[i] |= w;
    }
  }
};

std::size_t term(unsigned char b, std::size_t p) { return key_hash_term(b, p); }

// Whether the byte at position p (from 1) may also be written as a capital: a small letter after
// the first byte (the converter folds a leading capital).
bool may_be_capital(unsigned char b, std::size_t p) { return p >= 2 && is_ascii_small(b); }

std::string with_dropped_byte(std::string_view key, std::size_t at) {
  std::string spelled;
  spelled.reserve(key.size() + 1);
  spelled.append(key.substr(0, at));
  spelled.push_back(kDroppedKeyByte);
  spelled.append(key.substr(at));
  return spelled;
}

}  // namespace

struct KeySpeller::Sets {
  std::vector<Residues> sets;         // the distinct sets of sums of differences, first {0}
  std::vector<std::size_t> set_of;    // per letter (and before the first): its set's index
  std::vector<std::size_t> base;      // per prefix length: the base sum
  std::vector<std::size_t> letters;   // per prefix length: how many letters it holds
};

KeySpeller::KeySpeller() : sets_(new Sets) {}
KeySpeller::~KeySpeller() { delete sets_; }

std::optional<std::string> KeySpeller::spell(std::string_view restored, std::size_t bucket) {
  const bool comment_like = is_comment(restored);
  if (!comment_like && key_hash(restored) == bucket) return std::string(restored);
  if (comment_like) {
    // Only a dropped byte in front keeps the line from being a comment, and it ends the hash there.
    if (bucket != 0) return std::nullopt;
    return with_dropped_byte(restored, 0);
  }

  Sets& s = *sets_;
  const std::size_t n = restored.size();
  s.base.assign(n + 1, 0);
  s.letters.assign(n + 1, 0);
  s.set_of.assign(1, 0);
  // The sets keep their room from key to key; only those of this key are read.
  if (s.sets.empty()) s.sets.emplace_back();
  s.sets[0] = Residues{};
  s.sets[0].set(0);
  bool full = false;
  for (std::size_t p = 1; p <= n; ++p) {
    const auto b = static_cast<unsigned char>(restored[p - 1]);
    s.base[p] = (s.base[p - 1] + term(b, p)) % kBuckets;
    s.letters[p] = s.letters[p - 1];
    if (!may_be_capital(b, p)) continue;
    ++s.letters[p];
    const std::size_t difference = (term(to_ascii_upper(b), p) + kBuckets - term(b, p)) % kBuckets;
    std::size_t index = s.set_of.back();
    if (!full && difference != 0) {
      // Built in the set after the last one, kept only when it grew.
      if (s.sets.size() == index + 1) s.sets.emplace_back();
      Residues& next = s.sets[index + 1];
      next = s.sets[index];
      next.add_rotated(s.sets[index], difference);
      if (next.words != s.sets[index].words) {
        ++index;
        full = next.all();
      }
    }
    s.set_of.push_back(index);
  }
  // The sums that reach `r` within the first m bytes, its letters written as `letters` of them allow.
  auto reaches = [&](std::size_t letters, std::size_t base, std::size_t r) {
    return s.sets[s.set_of[letters]].test((r + kBuckets - base) % kBuckets);
  };

  // The longest hashed part first: a dropped byte only where no whole spelling reaches the bucket.
  for (std::size_t m = n + 1; m-- > 0;) {
    if (!reaches(s.letters[m], s.base[m], bucket)) continue;
    std::string spelled(restored);
    std::size_t target = bucket;
    for (std::size_t p = m; p >= 1; --p) {
      const auto b = static_cast<unsigned char>(restored[p - 1]);
      // The byte as stored first, its capital only where the rest cannot reach the bucket without it.
      const std::size_t before = (target + kBuckets - term(b, p)) % kBuckets;
      if (!may_be_capital(b, p) || reaches(s.letters[p - 1], s.base[p - 1], before)) {
        target = before;
        continue;
      }
      const auto capital = to_ascii_upper(b);
      spelled[p - 1] = static_cast<char>(capital);
      target = (target + kBuckets - term(capital, p)) % kBuckets;
    }
    return m < n ? with_dropped_byte(spelled, m) : spelled;
  }
  return std::nullopt;
}

std::optional<std::string> spell_key(std::string_view restored, std::size_t bucket) {
  KeySpeller speller;
  return speller.spell(restored, bucket);
}

}  // namespace big5dict::hashed
