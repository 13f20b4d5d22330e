// Every text B5IMPORT shows, in one place: printf formats. Everything goes to standard error but the
// usage text that --help asks for; standard output carries only the Big5 text.
#pragma once

namespace table_importer::msg {

constexpr char kUsage[] =
    "Usage: B5IMPORT --from LAYOUT [--encoding NAME] SOURCE [OUTPUT]\n"
    "       B5IMPORT [--from FORMAT] --to TARGET [options] SOURCE [OUTPUT]\n"
    "  Brings the UTF-8 text of DBGVIEW --text --utf8 --encoding NAME, edited or not, back into Big5\n"
    "  in the same layout, for the dictionary's own program to read.\n"
    "  LAYOUT  phrase-text   the LEXMOOR.B5X layout, for LEXMOOR '$file'\n"
    "          cizu-table    a CiZu table, for TOMBRAL\n"
    "          input-table   an input table, header line first, for KESTRAWN\n"
    "  NAME    the Big5 variant: BIG5 (the default), CP950 (the same table here) or BIG5-HKSCS\n"
    "  SOURCE  the UTF-8 text; - for standard input\n"
    "  OUTPUT  the Big5 text, a file replaced whole; standard output when absent or -\n"
    "  A table of today in UTF-8 into what one of the three programs reads, every loss reported:\n"
    "  FORMAT  rime (a *.dict.yaml), cin, tsv (text TAB code [TAB weight]) or words (a phrase a line);\n"
    "          rime and cin are told by their first lines when --from is left out\n"
    "  TARGET  word-list (for LEXMOOR), cizu-table (for TOMBRAL) or input-table (for KESTRAWN)\n"
    "  --from-encoding NAME  the source's encoding, one in which ASCII bytes stand for ASCII (UTF-8)\n"
    "  --report FILE         every dropped entry as tab-separated line, reason and text\n"
    "  --strict              write nothing when anything is dropped\n"
    "  input-table header:   --short-name XY --key-type A|N|X --max-len N --option U|W|-\n"
    "                        --range X-Y --single C --rows FIRST-LAST --english-name NAME\n"
    "                        --chinese-name NAME\n"
    "Exit status: 0 written, 1 nothing written (a file, a write or the text failed, nothing kept, or\n"
    "--strict and something dropped), 2 usage error (a pair that cannot be made, a format not told).\n";
constexpr char kFromOption[] = "--from";
constexpr char kEncodingOption[] = "--encoding";
constexpr char kHelpOption[] = "--help";
constexpr char kStandardStream[] = "-";
constexpr char kStandardInputName[] = "standard input";

// Usage errors, each followed by the usage text.
constexpr char kNoLayout[] =
    "B5IMPORT: --from LAYOUT (phrase-text, cizu-table or input-table) or --to TARGET (word-list, cizu-table or "
    "input-table) is needed\n";
constexpr char kUnknownLayout[] = "B5IMPORT: unknown layout %s: phrase-text, cizu-table or input-table\n";
constexpr char kUnknownEncoding[] = "B5IMPORT: unknown encoding %s: BIG5, CP950 or BIG5-HKSCS\n";

constexpr char kNoConversion[] = "B5IMPORT: this system's iconv cannot convert from UTF-8 to %s\n";
constexpr char kNotEnoughMemory[] = "B5IMPORT: %s: not enough memory\n";
constexpr char kNotInEncoding[] = "B5IMPORT: %s: line %d: byte 0x%02X at byte offset %zu is not %s\n";
constexpr char kUtf8Name[] = "UTF-8";

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

// Tables: the options, and the usage errors they can make.
constexpr char kToOption[] = "--to";
constexpr char kFromEncodingOption[] = "--from-encoding";
constexpr char kReportOption[] = "--report";
constexpr char kStrictOption[] = "--strict";
constexpr char kShortNameOption[] = "--short-name";
constexpr char kKeyTypeOption[] = "--key-type";
constexpr char kMaxLenOption[] = "--max-len";
constexpr char kOptionOption[] = "--option";
constexpr char kRangeOption[] = "--range";
constexpr char kSingleOption[] = "--single";
constexpr char kRowsOption[] = "--rows";
constexpr char kEnglishNameOption[] = "--english-name";
constexpr char kChineseNameOption[] = "--chinese-name";
constexpr char kUnknownTarget[] = "B5IMPORT: unknown target %s: word-list, cizu-table or input-table\n";
constexpr char kUnknownFormat[] = "B5IMPORT: unknown format %s: rime, cin, tsv or words\n";
constexpr char kLayoutWithTo[] =
    "B5IMPORT: --from %s keeps its layout and takes no --to; a table is rime, cin, tsv or words\n";
constexpr char kFormatWithoutTo[] = "B5IMPORT: --from %s needs --to TARGET: word-list, cizu-table or input-table\n";
constexpr char kOnlyWithTo[] = "B5IMPORT: %s is taken only with --to\n";
constexpr char kOnlyForInputTable[] = "B5IMPORT: %s is taken only with --to input-table\n";
constexpr char kWordsHaveNoCodes[] = "B5IMPORT: words cannot make the target %s: a word list has no codes\n";
constexpr char kBadOptionValue[] = "B5IMPORT: %s %s: %s\n";
constexpr char kKeyTypeValues[] = "A, N or X";
constexpr char kMaxLenValues[] = "a digit from 1 to 6 for key type A, to 8 for N and X";
constexpr char kOptionValues[] = "U, W or -";
constexpr char kRangeValues[] = "two key characters joined by -, the second not -";
constexpr char kSingleValues[] = "one key character";
constexpr char kRowsValues[] = "two lead bytes in decimal from 129 to 254 joined by -, the first not above the second";
constexpr char kNameValues[] = "not UTF-8";
constexpr char kShortNameValues[] = "two characters that the Big5 variant has";
constexpr char kNoShortName[] =
    "B5IMPORT: an input table needs a short name of two characters: give --short-name\n";
constexpr char kUnknownSourceEncoding[] = "B5IMPORT: unknown source encoding %s: this system's iconv does not read it\n";
constexpr char kNotAsciiEncoding[] =
    "B5IMPORT: --from-encoding %s: ASCII bytes do not stand for ASCII in it, so its lines cannot be taken apart\n";

// Reading a table.
constexpr char kFormatUnknown[] =
    "B5IMPORT: %s: line %d: the format cannot be told (a rime table begins with ---, a .cin with %%): "
    "give --from rime, cin, tsv or words\n";
constexpr char kFormatUnknownEmpty[] =
    "B5IMPORT: %s: the format cannot be told from a table without entries: give --from rime, cin, tsv or words\n";
constexpr char kNoFrontMatter[] = "B5IMPORT: %s: line %d: a rime table begins with its front matter, a line ---\n";
constexpr char kFrontMatterOpen[] = "B5IMPORT: %s: the front matter that begins on line %d has no end, a line ...\n";
constexpr char kNoTextColumn[] = "B5IMPORT: %s: line %d: the columns name no text\n";
constexpr char kBlockOpen[] = "B5IMPORT: %s: %s on line %d has no %s\n";

// What became of the rows.
constexpr char kDropped[] = "B5IMPORT: %s: line %d: %s: %s\n";
constexpr char kMoreDropped[] =
    "B5IMPORT: %s: %zu more dropped entries are not named here; --report FILE lists every one\n";
constexpr char kSummary[] = "B5IMPORT: %s: %zu rows read, %zu kept, %zu dropped\n";
constexpr char kReasonCount[] = "B5IMPORT:   %-16s %zu\n";
constexpr char kNothingKept[] = "B5IMPORT: %s: nothing is kept, so nothing is written\n";
constexpr char kStrictDropped[] = "B5IMPORT: --strict: %zu entries are dropped, so nothing is written\n";

// The input table's header line.
constexpr char kHeaderLine[] = "B5IMPORT: header line: %s\n";
constexpr char kNameCut[] = "B5IMPORT: the %s name %s is cut to %s: %s\n";
constexpr char kEnglishField[] = "English";
constexpr char kChineseField[] = "Chinese";
constexpr char kCutAtLength[] = "a name field holds 12 bytes";
constexpr char kCutAtParenthesis[] = "a ) would end it";
constexpr char kCutAtBracket[] = "a ] would end it";
constexpr char kCutAtControl[] = "a control character would end the line";
constexpr char kCutAtLacking[] = "the Big5 variant has no %s";

}  // namespace table_importer::msg
