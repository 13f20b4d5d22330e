#include "big5dict/phrase_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/phrase_editor.h"
#include "big5dict/phrase_table.h"
#include "test_support/scratch.h"

namespace big5dict::phrase {
namespace {

using test_support::bytes;
using test_support::hex;

// Stored tails: AB's B, AC's C (two-character), ADE's D E and ADEF's D E F (long).
const std::string kB = bytes({0x24, 0x41});
const std::string kC = bytes({0x24, 0x42});
const std::string kDE = bytes({0xA4, 0x43, 0x24, 0x44});
const std::string kDEF = bytes({0xA4, 0x43, 0x24, 0x44, 0x24, 0x45});
const std::string kPairB = bytes({0x88, 0x88}) + kB;
const std::string kPairC = bytes({0x88, 0x88}) + kC;
const std::string kLongDE = bytes({0x88, 0x86}) + kDE;
const std::string kLongDEF = bytes({0x88, 0x84}) + kDEF;
const std::vector<std::string> kTails = {kB, kC, kDE, kDEF, bytes({0x85, 0x41}), bytes({0x24, 0x41, 0xA4, 0x43}),
                                         bytes({0xA4, 0x43}), bytes({0x80, 0x41})};

struct BucketCase {
  const char* name;
  std::string bucket;
  bool sound;
};

const std::vector<BucketCase> kBuckets = {
    {"empty", "", true},
    {"two-character entries, then long ones", kPairB + kPairC + kLongDE + kLongDEF, true},
    {"long entries only", kLongDEF + kLongDE, true},
    {"the same phrase twice", kPairB + kPairB + kLongDE + kLongDE, true},
    {"a long entry of one character", kPairB + bytes({0x88, 0x88, 0xA4, 0x43}) + kLongDE, true},
    {"a two-character entry after a long one", kLongDE + kPairB, false},
    {"an entry without bit 7 on its F1", kPairB + bytes({0x08, 0x88}) + kC + kLongDE, false},
    {"0x80 after a frequency unit", kPairB + bytes({0x88, 0x88, 0x80, 0x41}) + kLongDE, false},
    {"a frequency unit alone at the end", kPairB + bytes({0x88, 0x88}), false},
    {"a first byte without bit 7", bytes({0x24, 0x41}) + kPairB, false},
    {"an odd length", kPairB + bytes({0x88}), false},
    {"a NUL inside", kPairB + bytes({0x88, 0x88, 0x24, 0x00}), false},
};

// Every bucket, sound or not, and every tail: the table answers as the walk does; the index itself
// answers only for sound buckets and tails of a phrase's form.
TEST(BucketIndex, AnswersAsTheWalkOnEveryBucket) {
  for (const BucketCase& c : kBuckets) {
    BucketIndex index;
    EXPECT_EQ(index.build(c.bucket), c.sound) << c.name;
    PhraseTable table;
    table.insert(0, 0, c.bucket);
    for (const std::string& tail : kTails) {
      const BucketSearch walk = walk_bucket(c.bucket, tail);
      EXPECT_EQ(table.search(0, tail), walk) << c.name << " / " << hex(tail);
      const std::optional<BucketSearch> answer = index.find(c.bucket, tail);
      EXPECT_EQ(answer.has_value(), c.sound && indexable_tail(tail)) << c.name << " / " << hex(tail);
      if (answer) {
        EXPECT_EQ(*answer, walk) << c.name << " / " << hex(tail);
      }
    }
  }
}

TEST(BucketIndex, FindsTheFirstOfTwoAndWhereLongEntriesBegin) {
  const std::string bucket = kPairC + kPairB + kPairB + kLongDEF + kLongDE + kLongDE;
  BucketIndex index;
  ASSERT_TRUE(index.build(bucket));
  EXPECT_EQ(index.entries(), 6u);
  struct Case { std::string tail; std::size_t found; std::size_t long_entries; };
  for (const Case& c : {Case{kB, 4, 0}, Case{kC, 0, 0}, Case{kDE, 20, 12}, Case{kDEF, 12, 12},
                        Case{bytes({0x24, 0x43}), kNoEntry, 12}, Case{bytes({0xA4, 0x43, 0x24, 0x45}), kNoEntry, 12}}) {
    const std::optional<BucketSearch> answer = index.find(bucket, c.tail);
    ASSERT_TRUE(answer.has_value()) << hex(c.tail);
    EXPECT_EQ(answer->found, c.found) << hex(c.tail);
    EXPECT_EQ(answer->long_entries, c.long_entries) << hex(c.tail);
  }
}

TEST(IndexableTail, OnlyThePhraseForms) {
  struct Case { std::string tail; bool indexable; };
  for (const Case& c : {Case{kB, true}, Case{kDE, true}, Case{kDEF, true}, Case{bytes({0x80, 0x41}), false},
                        Case{bytes({0xA4, 0x43}), false}, Case{bytes({0x80, 0x43, 0x24, 0x44}), false},
                        Case{bytes({0xA4, 0x43, 0xA4, 0x44}), false}, Case{bytes({0x24, 0x00}), false},
                        Case{bytes({0x24}), false}, Case{"", false}}) {
    EXPECT_EQ(indexable_tail(c.tail), c.indexable) << hex(c.tail);
  }
}

// Edits through the table keep the index in step, the damaged bucket's walk included: after each,
// the indexed table and the walking one hold the same bytes and answer the same.
TEST(BucketIndex, FollowsEditsAsTheWalkingTableDoes) {
  struct Step { std::string phrase; EditRequest request; };
  const std::string A = bytes({0xA4, 0x40});
  auto phrase = [&](const std::string& tail) {
    std::string p = A;
    for (std::size_t i = 0; i < tail.size(); i += 2) p += std::string(1, static_cast<char>(tail[i] | 0x80)) + tail[i + 1];
    return p;
  };
  const std::vector<Step> steps = {
      {phrase(kB), EditRequest::kAdd},     {phrase(kDEF), EditRequest::kAdd}, {phrase(kC), EditRequest::kAdd},
      {phrase(kDE), EditRequest::kAdd},    {phrase(kB), EditRequest::kAdd},   {phrase(kB), EditRequest::kDelete},
      {phrase(kDE), EditRequest::kDelete}, {phrase(kB), EditRequest::kLookUp}, {phrase(kC), EditRequest::kDelete},
      {phrase(kDEF), EditRequest::kLookUp}};
  for (const BucketCase& c : kBuckets) {
    for (bool at_end : {false, true}) {
      PhraseTable indexed(BucketLookup::kIndexedEveryBucket);
      PhraseTable walked(BucketLookup::kWalk);
      indexed.insert(0, 0, c.bucket);
      walked.insert(0, 0, c.bucket);
      for (const Step& step : steps) {
        const EditResult a = edit_phrase(indexed, step.phrase, step.request, at_end);
        const EditResult b = edit_phrase(walked, step.phrase, step.request, at_end);
        EXPECT_EQ(a.outcome, b.outcome) << c.name << " / " << hex(step.phrase);
        EXPECT_EQ(a.unmarked_entries, b.unmarked_entries) << c.name << " / " << hex(step.phrase);
        EXPECT_EQ(hex(indexed.bucket(0)), hex(walked.bucket(0))) << c.name << " / " << hex(step.phrase);
      }
    }
  }
}

}  // namespace
}  // namespace big5dict::phrase
