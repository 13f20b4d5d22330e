// Searching the spellings of a CiZu key: the hash is a sum of one term per position modulo the
// bucket count, so the buckets every spelling of a prefix reaches are a set of residues that grows
// one position at a time.
#include "big5dict/hashed_spelling.h"

#include <algorithm>
#include <bitset>
#include <vector>

#include "big5dict/ascii.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

namespace {

constexpr std::size_t kBuckets = kBucketCount;
using Residues = std::bitset<kBuckets>;

Residues rotate(const Residues& r, std::size_t by) {
  by %= kBuckets;
  if (by == 0) return r;
  return (r << by) | (r >> (kBuckets - by));
}

// The bytes position p (from 1) may be written as: the byte itself, and from the second position on
// a small letter also as its capital.
std::vector<unsigned char> spellings_at(unsigned char b, std::size_t p) {
  if (p >= 2 && is_ascii_small(b)) return {b, to_ascii_upper(b)};
  return {b};
}

// The key with the dropped byte standing before position `at` (from 0).
std::string with_dropped_byte(std::string_view key, std::size_t at) {
  std::string spelled;
  spelled.reserve(key.size() + 1);
  spelled.append(key.substr(0, at));
  spelled.push_back(kDroppedKeyByte);
  spelled.append(key.substr(at));
  return spelled;
}

}  // namespace

std::optional<std::string> spell_key(std::string_view restored, std::size_t bucket) {
  const bool comment_like = is_comment(restored);
  if (!comment_like && key_hash(restored) == bucket) return std::string(restored);
  if (comment_like) {
    // Only a dropped byte in front keeps the line from being a comment, and it ends the hash there.
    if (bucket != 0) return std::nullopt;
    return with_dropped_byte(restored, 0);
  }

  const std::size_t n = restored.size();
  // Without a letter after the first byte the key has one spelling: only where its hash stops can
  // vary, the longest hashed part first.
  if (std::none_of(restored.begin() + (n > 0 ? 1 : 0), restored.end(), [](char c) { return is_ascii_small(static_cast<unsigned char>(c)); })) {
    std::vector<std::size_t> prefix_hash(n + 1, 0);
    for (std::size_t p = 1; p <= n; ++p) {
      prefix_hash[p] = (prefix_hash[p - 1] + key_hash_term(static_cast<unsigned char>(restored[p - 1]), p)) % kBuckets;
    }
    for (std::size_t m = n + 1; m-- > 0;) {
      if (prefix_hash[m] == bucket) return m < n ? with_dropped_byte(restored, m) : std::string(restored);
    }
    return std::nullopt;
  }
  // reach[p]: the buckets the spellings of the first p bytes reach. Once every bucket is reached (a
  // dozen letters do it), every longer prefix reaches every bucket too, and the rest is not computed.
  std::vector<Residues> reach(1);
  reach[0].set(0);
  std::size_t full_from = n + 1;
  for (std::size_t p = 1; p <= n; ++p) {
    if (reach[p - 1].all()) {
      full_from = p - 1;
      break;
    }
    Residues next;
    for (unsigned char b : spellings_at(static_cast<unsigned char>(restored[p - 1]), p)) {
      next |= rotate(reach[p - 1], key_hash_term(b, p));
    }
    reach.push_back(next);
  }
  auto reaches = [&](std::size_t m, std::size_t r) { return m >= full_from || reach[m].test(r); };

  // The longest hashed part first: a dropped byte only where no whole spelling reaches the bucket.
  for (std::size_t m = n + 1; m-- > 0;) {
    if (!reaches(m, bucket)) continue;
    std::string spelled(restored);
    std::size_t target = bucket;
    for (std::size_t p = m; p >= 1; --p) {
      for (unsigned char b : spellings_at(static_cast<unsigned char>(restored[p - 1]), p)) {
        std::size_t before = (target + kBuckets - key_hash_term(b, p)) % kBuckets;
        if (reaches(p - 1, before)) {
          spelled[p - 1] = static_cast<char>(b);
          target = before;
          break;
        }
      }
    }
    return m < n ? with_dropped_byte(spelled, m) : spelled;
  }
  return std::nullopt;
}

}  // namespace big5dict::hashed
