#include "phrase_tool/phrase_edit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "phrase_tool/messages.h"
#include "phrase_tool/run.h"
#include "phrase_tool/tests/phrase_characters.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

using phrase_tool::Outcome;
using big5dict::phrase::PhraseTable;
using phrase_tool::RunFlags;
using big5dict::phrase::EditRequest;
using phrase_tool::StopStatus;
using test_support::bytes;
using test_support::hex;
using namespace phrase_tool::phrase_characters;

// A character as a bucket stores it after the first stored one: bit 7 of its lead cleared.
std::string cleared(const std::string& c) { return std::string(1, static_cast<char>(c[0] & 0x7F)) + c[1]; }

// Entries as the editor writes them.
std::string pair_entry(const std::string& second) { return bytes({0x88, 0x88}) + cleared(second); }
std::string long_entry(const std::vector<std::string>& rest) {
  std::string tail = rest[0];
  for (std::size_t i = 1; i < rest.size(); ++i) tail += cleared(rest[i]);
  return bytes({0x88, 0x8A - static_cast<int>(tail.size())}) + tail;
}

EditRequest request(int op) { return op > 0 ? EditRequest::kAdd : op < 0 ? EditRequest::kDelete : EditRequest::kLookUp; }

class PhraseEditor : public ::testing::Test {
 protected:
  // `op` as a word list gives it: above 0 adds, below 0 deletes, 0 looks up.
  StopStatus edit(const std::string& phrase, int op) {
    return phrase_tool::edit_phrase(table, flags, phrase, request(op), console);
  }
  std::string bucket(int slot = 0) const { return table.bucket(slot); }

  PhraseTable table;
  RunFlags flags;
  std::ostringstream out;
  std::ostringstream err;
  phrase_tool::Console console{out, err};
};

TEST_F(PhraseEditor, TwoCharacterPhraseIntoAnEmptySlot) {
  EXPECT_EQ(edit(A + B, 1), std::nullopt);
  EXPECT_EQ(hex(bucket()), hex(bytes({0x88, 0x88, 0x24, 0x41})));
  EXPECT_EQ(out.str(), "+");
  EXPECT_EQ(err.str(), "");
}

TEST_F(PhraseEditor, ThreeCharacterPhraseIntoAnEmptySlot) {
  EXPECT_EQ(edit(A + D + E, 7), std::nullopt);
  EXPECT_EQ(hex(bucket()), hex(bytes({0x88, 0x86, 0xB0, 0xEA, 0x2E, 0x61})));
  EXPECT_EQ(out.str(), "+");
}

TEST_F(PhraseEditor, WorkedBucketOfTwelveBytes) {
  flags.at_end = true;
  edit(A + B, 1);
  edit(A + D + E + G, 2);
  EXPECT_EQ(hex(bucket()),
            hex(bytes({0x88, 0x88, 0x24, 0x41, 0x88, 0x84, 0xB0, 0xEA, 0x2E, 0x61, 0x26, 0x72})));
}

TEST_F(PhraseEditor, ListAddedEchoesThePhraseAsPassedIn) {
  flags.list_added = true;
  edit(A + B, 1);
  edit(A + D + E, 1);
  EXPECT_EQ(out.str(), A + B + "\n" + A + D + E + "\n");
}

TEST_F(PhraseEditor, FrequencyUnitByLength) {
  const std::vector<std::string> chars = {B, C, D, E, F, G, H};
  struct Case {
    int characters;
    int f2;
  };
  for (Case c : {Case{2, 0x88}, Case{3, 0x86}, Case{4, 0x84}, Case{5, 0x82}, Case{6, 0x80}, Case{7, 0x7E},
                 Case{8, 0x7C}, Case{10, 0x78}, Case{15, 0x6E}, Case{20, 0x64}}) {
    PhraseTable fresh;
    std::string phrase = A;
    for (int i = 1; i < c.characters; ++i) phrase += chars[static_cast<std::size_t>(i) % chars.size()];
    phrase_tool::edit_phrase(fresh, flags, phrase, EditRequest::kAdd, console);
    const std::string& stored = fresh.bucket(0);
    ASSERT_EQ(stored.size(), phrase.size()) << c.characters;
    EXPECT_EQ(static_cast<unsigned char>(stored[0]), 0x88) << c.characters;
    EXPECT_EQ(static_cast<unsigned char>(stored[1]), c.f2) << c.characters;
  }
}

// Start: AB, ADEG. Each case adds one phrase and expects the whole bucket.
struct OrderCase {
  const char* name;
  bool at_end;
  std::string added;
  std::string expected;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class InsertionOrder : public PhraseEditor, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(InsertionOrder, NewPhraseGoesWhereTheFlagSays) {
  const OrderCase& c = GetParam();
  table.set_bucket(0, pair_entry(B) + long_entry({D, E, G}));
  flags.at_end = c.at_end;
  EXPECT_EQ(edit(c.added, 3), std::nullopt);
  EXPECT_EQ(hex(bucket()), hex(c.expected));
  EXPECT_EQ(out.str(), "+");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedOrders, InsertionOrder,
    ::testing::Values(
        OrderCase{"AC_first", false, A + C, pair_entry(C) + pair_entry(B) + long_entry({D, E, G})},
        OrderCase{"AC_at_end", true, A + C, pair_entry(B) + pair_entry(C) + long_entry({D, E, G})},
        OrderCase{"AFH_first_of_long", false, A + F + H,
                  pair_entry(B) + long_entry({F, H}) + long_entry({D, E, G})},
        OrderCase{"AFH_at_end", true, A + F + H, pair_entry(B) + long_entry({D, E, G}) + long_entry({F, H})}),
    test_support::case_name<OrderCase>);

TEST_F(PhraseEditor, InsertionIntoABucketOfOnlyLongEntries) {
  table.set_bucket(0, long_entry({D, E, G}));
  edit(A + B, 1);
  flags.at_end = true;
  edit(A + C, 1);
  EXPECT_EQ(hex(bucket()), hex(pair_entry(B) + pair_entry(C) + long_entry({D, E, G})));
}

TEST_F(PhraseEditor, AddingAPresentPhraseChangesNothing) {
  const std::string start = pair_entry(B) + long_entry({D, E, G}) + long_entry({F, H});
  table.set_bucket(0, start);
  for (const std::string& phrase : {A + B, A + D + E + G, A + F + H}) {
    EXPECT_EQ(edit(phrase, 1), std::nullopt);
  }
  EXPECT_EQ(hex(bucket()), hex(start));
  EXPECT_EQ(out.str(), "");
}

TEST_F(PhraseEditor, DeletingRemovesExactlyThatEntry) {
  table.set_bucket(0, pair_entry(C) + pair_entry(B) + long_entry({F, H}) + long_entry({D, E, G}));
  EXPECT_EQ(edit(A + B, -4), std::nullopt);
  EXPECT_EQ(hex(bucket()), hex(pair_entry(C) + long_entry({F, H}) + long_entry({D, E, G})));
  EXPECT_EQ(edit(A + F + H, -5), std::nullopt);
  EXPECT_EQ(hex(bucket()), hex(pair_entry(C) + long_entry({D, E, G})));
  EXPECT_EQ(edit(A + D + E + G, -6), std::nullopt);
  EXPECT_EQ(edit(A + C, -6), std::nullopt);
  EXPECT_EQ(bucket(), "");
  EXPECT_EQ(out.str(), "----");
}

TEST_F(PhraseEditor, DeletingAMissingPhraseShowsItsStoredTail) {
  table.set_bucket(0, pair_entry(B));
  const std::string start = bucket();
  edit(A + C, -1);
  edit(A + D + E + G, -2);
  EXPECT_EQ(out.str(), "??" + cleared(C) + "\n??" + D + cleared(E) + cleared(G) + "\n");
  EXPECT_EQ(hex(bucket()), hex(start));
}

TEST_F(PhraseEditor, DeletingFromAnEmptySlot) {
  edit(A + B, -1);
  EXPECT_EQ(out.str(), "??" + cleared(B) + "\n");
  EXPECT_EQ(bucket(), "");
}

TEST_F(PhraseEditor, PhrasesMatchWholeEntriesOnly) {
  table.set_bucket(0, long_entry({D, E}));
  edit(A + D + E + G, -1);  // longer than the entry
  EXPECT_EQ(out.str(), "??" + D + cleared(E) + cleared(G) + "\n");
  out.str("");
  edit(A + D, -1);  // a two-character phrase is not the start of a long one
  EXPECT_EQ(out.str(), "??" + cleared(D) + "\n");
  out.str("");

  table.set_bucket(0, long_entry({D, E, G}));
  edit(A + D + E, -1);  // shorter than the entry
  EXPECT_EQ(out.str(), "??" + D + cleared(E) + "\n");
  out.str("");

  flags.at_end = true;
  edit(A + D + E, 1);
  edit(A + D, 1);
  EXPECT_EQ(out.str(), "++");
  EXPECT_EQ(hex(bucket()), hex(pair_entry(D) + long_entry({D, E, G}) + long_entry({D, E})));
}

TEST_F(PhraseEditor, LookUpChangesAndPrintsNothing) {
  const std::string start = pair_entry(B) + long_entry({D, E, G});
  table.set_bucket(0, start);
  for (const std::string& phrase : {A + B, A + C, A + D + E + G, A + F + H}) edit(phrase, 0);
  EXPECT_EQ(hex(bucket()), hex(start));
  EXPECT_EQ(out.str(), "");
}

TEST_F(PhraseEditor, TwentyCharactersPassTwentyOneEndTheRun) {
  std::string twenty = A;
  for (int i = 1; i < 20; ++i) twenty += (i % 2 != 0) ? D : E;
  ASSERT_EQ(twenty.size(), 40u);
  EXPECT_EQ(edit(twenty, 1), std::nullopt);
  EXPECT_EQ(out.str(), "+");
  const std::string after_twenty = bucket();
  EXPECT_EQ(after_twenty.size(), 40u);

  out.str("");
  const std::string twenty_one = twenty + G;
  EXPECT_EQ(edit(twenty_one, 1), Outcome::kContentFault);
  EXPECT_EQ(exit_status(*edit(twenty_one, -1)), 0);
  EXPECT_EQ(out.str(), "\a\a\aWord [" + twenty_one + "] Length > 40 !" + "\a\a\aWord [" + twenty_one +
                           "] Length > 40 !");
  EXPECT_EQ(hex(bucket()), hex(after_twenty));
}

TEST_F(PhraseEditor, CharactersWithoutASlotAreIgnoredSilently) {
  for (const std::string& first : {bytes({0xA1, 0x40}), bytes({0xA3, 0xA1}), bytes({0xF9, 0xDE}),
                                   bytes({0xF9, 0xFE}), bytes({0xFA, 0x40}), bytes({0xFE, 0xFE})}) {
    EXPECT_EQ(edit(first + B, 1), std::nullopt);
    EXPECT_EQ(edit(first + B + C, -1), std::nullopt);
  }
  EXPECT_EQ(out.str(), "");
  for (int slot = 0; slot < big5dict::phrase::kTableEntries; ++slot) ASSERT_EQ(table.bucket(slot), "") << slot;
}

TEST_F(PhraseEditor, LastSlotHoldsPhrases) {
  edit(bytes({0xF9, 0xDD}) + B, 1);
  EXPECT_EQ(hex(table.bucket(13468)), hex(pair_entry(B)));
  EXPECT_EQ(out.str(), "+");
}

TEST_F(PhraseEditor, DamagedUnitMarksAreReportedAndPassed) {
  // A two-character entry whose F1 lacks bit 7, then a good one.
  table.set_bucket(0, bytes({0x7F, 0x88}) + cleared(B) + pair_entry(C) + long_entry({D, E}));
  edit(A + C, 0);
  EXPECT_EQ(out.str(), phrase_tool::msg::kFreqSearch1);
  out.str("");
  edit(A + D + E, 0);
  EXPECT_EQ(out.str(), phrase_tool::msg::kFreqSearch2);
  out.str("");
  edit(A + C, -1);  // still found behind the damaged entry
  EXPECT_EQ(out.str(), std::string(phrase_tool::msg::kFreqSearch1) + "-");
  EXPECT_EQ(hex(bucket()), hex(bytes({0x7F, 0x88}) + cleared(B) + long_entry({D, E})));
  out.str("");
  edit(A + D + E, -1);
  EXPECT_EQ(out.str(), std::string(phrase_tool::msg::kFreqSearch2) + "-");
}

TEST_F(PhraseEditor, DamagedLongEntryMarkIsReportedInBothStages) {
  table.set_bucket(0, bytes({0x7F, 0x86}) + D + cleared(E));
  edit(A + D + E, 0);
  EXPECT_EQ(out.str(), std::string(phrase_tool::msg::kFreqSearch2) + phrase_tool::msg::kFreqSearch3);
}

TEST_F(PhraseEditor, BucketsEndingMidEntryAreNeverReadPast) {
  // Each damaged bucket takes a look-up, an add and a delete of either kind without reading past it.
  for (const std::string& damaged :
       {bytes({0x88}), bytes({0x88, 0x88}), bytes({0x88, 0x88, 0x24}), bytes({0x88, 0x86, 0xB0}),
        bytes({0x88, 0x86, 0xB0, 0xEA, 0x2E}), bytes({0x01, 0x02, 0x03}), bytes({0x88, 0x88, 0x24, 0x41, 0x88})}) {
    PhraseTable fresh;
    for (bool at_end : {false, true}) {
      RunFlags f;
      f.at_end = at_end;
      for (const std::string& phrase : {A + B, A + D + E, A + F + H + G}) {
        fresh.release(0);
        fresh.insert(0, 0, damaged);  // as it stands, odd length included
        phrase_tool::edit_phrase(fresh, f, phrase, EditRequest::kLookUp, console);
        phrase_tool::edit_phrase(fresh, f, phrase, EditRequest::kAdd, console);
        // Either the phrase was found, or the damaged bytes survive whole around the new entry.
        const std::string& after = fresh.bucket(0);
        if (after == damaged) continue;
        ASSERT_EQ(after.size(), damaged.size() + phrase.size()) << hex(damaged);
        if (phrase.size() == 4) {
          std::size_t at = after.find(pair_entry(B));
          ASSERT_NE(at, std::string::npos) << hex(after);
          EXPECT_EQ(after.substr(0, at) + after.substr(at + 4), damaged) << hex(after);
        }
        phrase_tool::edit_phrase(fresh, f, phrase, EditRequest::kDelete, console);
      }
    }
  }
}

TEST_F(PhraseEditor, BucketFullRefusesTheAdditionAndTheRunGoesOn) {
  // 4093 two-character entries and one three-character entry: 16378 bytes.
  std::string start;
  for (int i = 0; i < 4093; ++i) start += pair_entry(B);
  start += long_entry({D, E});
  ASSERT_EQ(start.size(), 16378u);
  table.set_bucket(0, start);

  flags.list_added = true;
  EXPECT_EQ(edit(A + F + G, 1), std::nullopt);  // would make 16384 bytes
  EXPECT_EQ(out.str(), "Bucket full, phrase not added: " + A + F + G + "\n");
  EXPECT_EQ(bucket().size(), 16378u);

  out.str("");
  EXPECT_EQ(edit(A + C, 1), std::nullopt);  // 16382 bytes is still readable
  EXPECT_EQ(out.str(), A + C + "\n");
  EXPECT_EQ(bucket().size(), 16382u);
  EXPECT_EQ(bucket().substr(0, 4), pair_entry(C));

  out.str("");
  EXPECT_EQ(edit(A + H, 1), std::nullopt);
  EXPECT_EQ(out.str(), "Bucket full, phrase not added: " + A + H + "\n");
  EXPECT_EQ(edit(A + C, -1), std::nullopt);  // deleting still works in a full bucket
  EXPECT_EQ(bucket().size(), 16378u);
}

}  // namespace
