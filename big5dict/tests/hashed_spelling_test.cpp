// Spellings of stored CiZu keys: each one TOMBRAL reads back into the same bucket and the same
// stored key.
#include "big5dict/hashed_spelling.h"

#include <gtest/gtest.h>

#include <string>

#include "big5dict/ascii.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_record.h"

namespace big5dict::hashed {
namespace {

// How TOMBRAL reads `spelling` as a table line's key: its bucket and its stored key, restored.
std::pair<std::size_t, std::string> read_back(std::string spelling) {
  std::string line = spelling + " \n";
  fold_leading_capitals(line);
  Record record;
  build_record(line, record);
  std::string stored = record.bytes;
  for (char& c : stored) c = static_cast<char>(c + 0x20);
  return {key_hash(line), stored};
}

TEST(CizuKeySpelling, KeyThatHashesAsItStandsIsKept) {
  EXPECT_EQ(spell_key("abc", 8226), "abc");
  EXPECT_EQ(spell_key("a", 9312), "a");
  EXPECT_EQ(spell_key("", 0), "");
}

TEST(CizuKeySpelling, EverySpellingOfSomeKeysComesBack) {
  // Every spelling TOMBRAL could have met for these keys: capitals after the first byte, and a
  // dropped byte after any part of it.
  for (std::string key : {"hello", "zg", "a1b2", "x@", "q[w]e", "1234", "9@"}) {
    for (unsigned mask = 0; mask < (1u << key.size()); ++mask) {
      for (std::size_t cut = 0; cut <= key.size(); ++cut) {
        std::string written = key;
        for (std::size_t i = 1; i < key.size(); ++i) {
          if ((mask >> i & 1) && written[i] >= 'a' && written[i] <= 'z') written[i] = static_cast<char>(written[i] - 32);
        }
        if (cut < key.size()) written.insert(cut, 1, '\x7F');
        std::size_t bucket = read_back(written).first;
        std::optional<std::string> spelled = spell_key(key, bucket);
        ASSERT_TRUE(spelled) << written;
        EXPECT_EQ(read_back(*spelled), std::make_pair(bucket, key)) << written << " -> " << *spelled;
      }
    }
  }
}

TEST(CizuKeySpelling, LongKeysWhoseSpellingsReachEveryBucket) {
  const std::string key = "thequickbrownfoxjumpsoverthelazydog";
  for (std::string written : {"tHEQUICKbrownfoxjumpsoverthelazydog", "thequickbrownfoxjumpsoverthelazydoG",
                              "tHeQuIcKbRoWnFoXjUmPsOvErThElAzYdOg", "thequickbrownfox\x7Fjumpsoverthelazydog"}) {
    std::size_t bucket = read_back(written).first;
    std::optional<std::string> spelled = spell_key(key, bucket);
    ASSERT_TRUE(spelled) << written;
    EXPECT_EQ(read_back(*spelled), std::make_pair(bucket, key)) << written << " -> " << *spelled;
  }
}

// One speller over many keys, long ones among them, as the check of a whole file uses it: each
// answer is what a fresh search gives, whatever keys came before.
TEST(CizuKeySpelling, OneSpellerOverManyKeys) {
  const std::string long_key = std::string(100000, '7') + "ab" + std::string(100000, '1') + "cd";
  KeySpeller speller;
  for (const std::string& key : {std::string("hello"), long_key, std::string("zg"), long_key, std::string("")}) {
    std::string capital_last = key;
    if (!capital_last.empty() && capital_last.size() > 1) capital_last.back() = to_ascii_upper(capital_last.back());
    for (const std::string& written : {key, capital_last}) {
      const std::size_t bucket = read_back(written).first;
      const std::optional<std::string> spelled = speller.spell(key, bucket);
      EXPECT_EQ(spelled, spell_key(key, bucket)) << key.size();
      ASSERT_TRUE(spelled) << key.size();
      EXPECT_EQ(read_back(*spelled), std::make_pair(bucket, key)) << key.size();
    }
  }
}

TEST(CizuKeySpelling, KeyBeginningWithAStarOnlyInBucket0) {
  EXPECT_EQ(spell_key("*ab", 0), "\t*ab");
  EXPECT_EQ(spell_key("*ab", key_hash("*ab")), std::nullopt);
}

TEST(CizuKeySpelling, BucketNoSpellingReaches) {
  EXPECT_EQ(spell_key("abc", 5), std::nullopt);
  EXPECT_EQ(spell_key("", 7), std::nullopt);
}

}  // namespace
}  // namespace big5dict::hashed
