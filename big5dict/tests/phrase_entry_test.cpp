#include "big5dict/phrase_entry.h"

#include <gtest/gtest.h>

#include "test_support/scratch.h"

namespace big5dict::phrase {
namespace {

using test_support::bytes;
using test_support::hex;

// The byte after the frequency unit decides the kind: 0x80 or below is a two-character entry, so
// a damaged bucket with exactly 0x80 there reads as one; the unit left over makes no entry.
TEST(EntryWalker, ByteAfterFrequencyUnitDecidesTheKind) {
  struct Case { std::uint8_t after; std::string characters; EntryKind kind; };
  for (const Case& c : {Case{0x7F, bytes({0x7F, 0x42}), EntryKind::kTwoCharacter},
                        Case{0x80, bytes({0x80, 0x42}), EntryKind::kTwoCharacter},
                        Case{0x81, bytes({0x81, 0x42, 0x26, 0x43}), EntryKind::kLong}}) {
    const std::string bucket = bytes({0x88, 0x86, c.after, 0x42, 0x26, 0x43});
    EntryWalker walker(bucket);
    const std::optional<Entry> entry = walker.next();
    ASSERT_TRUE(entry.has_value()) << int{c.after};
    EXPECT_EQ(hex(std::string(entry->characters)), hex(c.characters)) << int{c.after};
    EXPECT_EQ(entry->kind, c.kind) << int{c.after};
    EXPECT_FALSE(walker.next().has_value()) << int{c.after};
  }
}

}  // namespace
}  // namespace big5dict::phrase
