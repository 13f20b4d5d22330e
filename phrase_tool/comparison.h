// Compares the phrase table with a second dictionary file: every phrase of the second file that the
// table lacks, in a slot where the table holds phrases, is added in memory and so listed.
#pragma once

#include <string>
#include <string_view>

#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/input_file.h"

namespace phrase_tool {

// Reads `second` (open at its start) bucket by bucket, releasing the table's buckets as it goes;
// always ends the run, with status 0 when the comparison finished. Nothing is written to any file.
// The listing on `console.out` is the product: when it cannot be written, the write error goes to
// `console.err` and the status is 1.
Outcome compare_dictionaries(platform::InputFile& second, const std::string& name,
                             big5dict::phrase::PhraseTable& table, const RunFlags& flags, const Console& console);

// Hands every phrase of `other` (a bucket of the second file, as read) to the phrase editor with
// an add request, when the table's bucket of `slot` holds anything.
StopStatus compare_bucket(big5dict::phrase::PhraseTable& table, std::string_view other, int slot,
                          const RunFlags& flags, const Console& console);

}  // namespace phrase_tool
