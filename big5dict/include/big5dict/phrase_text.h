// The phrase dictionary as text, the layout LEXMOOR exports (LEXMOOR.B5X) and reads back ("$"):
// the identification text on the first line, then for each slot a head line (the slot's
// character, a space, and the second character of each two-character phrase) and one
// continuation line ("-- " and the characters 2..k) per long phrase.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

constexpr char kContinuationPrefix[] = "-- ";

// Appends the lines of one slot: its character and a space, the second characters of the
// two-character entries, then one "-- " line per long entry; every lead byte with bit 7 set again.
// A damaged bucket that ends inside an entry or a character gives what it holds whole and nothing
// past its end; a bucket ends at its first NUL, as it does in memory.
void append_slot_block(int slot, std::string_view bucket, std::string& text);

// The whole text of a dictionary: the identification text, then one slot block per slot.
std::string export_text(const HeaderImage& header, const PhraseTable& table);

// What the import takes a line for, by its first two bytes: a head line begins with a character
// of the rows above 0xA0 (whether that character has a slot is the head line's own question), a
// continuation line with "--"; any other line is skipped.
enum class SourceLineKind { kHead, kContinuation, kOther };
// The kind of one line of the source text.
SourceLineKind source_line_kind(std::string_view line);

// The characters a head or continuation line lists: from `from` (past the slot character or the
// hyphens) and the spaces there, the run of characters whose lead bytes lie above 0xA0. The line
// feed is no trail byte: a lead byte right before it, or at the end, is dropped.
std::string_view listed_characters(std::string_view line, std::size_t from);

}  // namespace big5dict::phrase
