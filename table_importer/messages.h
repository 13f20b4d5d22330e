// Every text B5IMPORT shows, in one place: printf formats. Everything goes to standard error but the
// usage text that --help asks for; standard output carries only the Big5 text.
#pragma once

namespace table_importer::msg {

constexpr char kUsage[] =
    "Usage: B5IMPORT --from LAYOUT [--encoding NAME] SOURCE [OUTPUT]\n"
    "  Brings the UTF-8 text of DBGVIEW --text --utf8 --encoding NAME, edited or not, back into Big5\n"
    "  in the same layout, for the dictionary's own program to read.\n"
    "  LAYOUT  phrase-text   the LEXMOOR.B5X layout, for LEXMOOR '$file'\n"
    "          cizu-table    a CiZu table, for TOMBRAL\n"
    "          input-table   an input table, header line first, for KESTRAWN\n"
    "  NAME    the Big5 variant: BIG5 (the default), CP950 (the same table here) or BIG5-HKSCS\n"
    "  SOURCE  the UTF-8 text; - for standard input\n"
    "  OUTPUT  the Big5 text, a file replaced whole; standard output when absent or -\n"
    "Exit status: 0 written, 1 nothing written (a file, a write or the text failed), 2 usage error.\n";
constexpr char kFromOption[] = "--from";
constexpr char kEncodingOption[] = "--encoding";
constexpr char kHelpOption[] = "--help";
constexpr char kStandardStream[] = "-";
constexpr char kStandardInputName[] = "standard input";

// Usage errors, each followed by the usage text.
constexpr char kNoLayout[] = "B5IMPORT: --from LAYOUT is needed: phrase-text, cizu-table or input-table\n";
constexpr char kUnknownLayout[] = "B5IMPORT: unknown layout %s: phrase-text, cizu-table or input-table\n";
constexpr char kUnknownEncoding[] = "B5IMPORT: unknown encoding %s: BIG5, CP950 or BIG5-HKSCS\n";

constexpr char kNoConversion[] = "B5IMPORT: this system's iconv cannot convert from UTF-8 to %s\n";
constexpr char kNotEnoughMemory[] = "B5IMPORT: %s: not enough memory\n";
constexpr char kNotUtf8[] = "B5IMPORT: %s: line %d: byte 0x%02X at byte offset %zu is not UTF-8\n";

// A character the variant lacks, and what goes with it: "%s: line %d: %s (%s) has no %s form; %s".
constexpr char kLacking[] = "B5IMPORT: %s: line %d: %s (%s) has no %s form; %s\n";
constexpr char kCodePoint[] = "U+%04lX";
constexpr char kPhraseLeftOut[] = "the phrase that holds it is left out";
constexpr char kSecondCharacterLeftOut[] = "the phrase it makes with the slot's character is left out";
constexpr char kSlotLeftOut[] = "its head line and the phrases filed under it are left out";
constexpr char kEntryLeftOut[] = "its entry is left out";
constexpr char kKeyLineLeftOut[] = "it stands in the key, so the line is left out";
constexpr char kCharacterLeftOut[] = "it is left out";
constexpr char kHeaderCannotBeWritten[] = "the header line cannot be written without it, so nothing is written";
constexpr char kLeftOutWithHead[] = "B5IMPORT: %s: line %d: left out with the head line of line %d\n";
// The closing line of a run that left characters out.
constexpr char kLackingCount[] = "B5IMPORT: %zu characters have no %s form; what held them is left out\n";

}  // namespace table_importer::msg
