// Every text KESTRAWN shows, in one place: printf formats, all on standard output except the
// reports of files that do not open, which platform/report.h words for every program.
#pragma once

#include <string_view>

namespace input_table_converter::msg {

// Banner: the title with the build date, a notice line of 55 characters, an empty line.
constexpr char kTitle[] = "KESTRAWN - Convert Big5 input table to DBG file for ORVANE Big5 v4.5 %s\n";
constexpr char kNoticeLine[] = "Builds the key table of an input method from Big5 text.\n\n";
static_assert(std::string_view(kNoticeLine).size() == 55 + 2, "the notice line is 55 characters");

constexpr char kUsage[] = "Usage: GANTRELL filename(.B5) output(.DBG)  [*CiZu] \n";
constexpr char kConverting[] = "GANTRELL: converting %s to %s ...";

// Names completed when they hold no ".", and the option that asks for the empty stub.
constexpr char kInputExtension[] = ".B5";
constexpr char kOutputExtension[] = ".DBG";
constexpr char kStubOption[] = "*CIZU";

// The header line.
constexpr char kNoHeaderLine[] = "\nNo header line in %s\n";
constexpr char kNoShortName[] = "\nThe header line has no short name\n";
constexpr char kKeyTypeUnknown[] =
    "KeyType unknown: [%c] (Accept: A-Alpha, N-Number X-AlphaNumerical, '+' can be added after ANX "
    "for extra keys)\n";
constexpr char kMaxLenOutOfRange[] = "MaxLen out of range: [%c] (Accept: 1 - 8)\n";
constexpr char kRows[] = "Qu=%2d - %2d\n";

// Entry lines.
constexpr char kMaxKeySizeExceeded[] =
    "The MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: %d: %s\n";
constexpr char kOutOfRange[] = "Out of Range: %c%c at line %d (hash=%d)\n";
constexpr char kAlreadyDefined[] = "key[%d] already defined at line %d\n";

// The final pass over the key table.
constexpr char kEndMarkerValue[] = "WARNING Key[%d]==0xffffffff\n";

constexpr char kTotal[] = "Total %ld Entries out of %d\n";

}  // namespace input_table_converter::msg
