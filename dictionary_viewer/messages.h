// Every text DBGVIEW shows, in one place: printf formats. The summary and the verdict go to standard
// output; with --text the text goes there and the findings go to standard error.
#pragma once

namespace dictionary_viewer::msg {

constexpr char kUsage[] =
    "Usage: DBGVIEW [--text] [--utf8 [--encoding NAME]] FILE\n"
    "       DBGVIEW --find WHAT [--utf8 [--encoding NAME]] FILE\n"
    "  DBGVIEW FILE               tell the file's format, summarise it and verify every rule\n"
    "  DBGVIEW --utf8 FILE        the same, with the Big5 names and characters in UTF-8\n"
    "  DBGVIEW --text FILE        write its content as the Big5 text its own program reads back\n"
    "  DBGVIEW --text --utf8 FILE the same text in UTF-8\n"
    "  --encoding NAME            the Big5 variant for --utf8: BIG5 (the default), CP950 (the same\n"
    "                             table here) or BIG5-HKSCS\n"
    "  DBGVIEW --find WHAT FILE   what the file holds for WHAT, one result a line: the phrases under a\n"
    "                             character or the phrase itself (phrase dictionary), the phrases of a\n"
    "                             key (hashed), the key of a character or the characters of a key (input)\n"
    "Exit status: 0 sound, 1 not sound or unreadable, 2 usage error; with --find 0 found, 1 nothing\n"
    "found, 2 usage error or a file that is unreadable, unknown or not sound.\n";
constexpr char kTextOption[] = "--text";
constexpr char kUtf8Option[] = "--utf8";
constexpr char kEncodingOption[] = "--encoding";
constexpr char kFindOption[] = "--find";
// Usage errors, each followed by the usage text.
constexpr char kUnknownEncoding[] = "DBGVIEW: unknown encoding %s: BIG5, CP950 or BIG5-HKSCS\n";
constexpr char kEncodingWithoutUtf8[] = "DBGVIEW: --encoding names the Big5 variant of --utf8, which is not given\n";
constexpr char kFindWithText[] = "DBGVIEW: --find writes what it finds, --text the whole content: give one\n";
constexpr char kEmptySought[] = "DBGVIEW: --find needs a WHAT that is not empty\n";

// --find: a WHAT that cannot be looked for, without the usage text.
constexpr char kSoughtLoneLead[] = "DBGVIEW: WHAT ends in the lead byte 0x%02X, which has no trail byte\n";
constexpr char kSoughtNotInVariant[] = "DBGVIEW: WHAT is not UTF-8, or holds a character that %s has no code for\n";
constexpr char kSoughtDoesNotFit[] = "DBGVIEW: %s: %s\n";
constexpr char kSoughtLooksUtf8[] = "DBGVIEW: WHAT reads as UTF-8 text: give --utf8 to look it up in Big5\n";
constexpr char kFindsInPhrase[] = "a phrase dictionary is looked up by Big5 characters, and WHAT is none";
constexpr char kFindsInHashed[] =
    "a hashed phrase dictionary is looked up by a key of printable ASCII without blanks, and WHAT is none";
constexpr char kFindsInInput[] =
    "an input dictionary is looked up by one character or by a key of its key type, and WHAT is neither";

constexpr char kUnknownFormat[] =
    "DBGVIEW: %s: not a dictionary file DBGVIEW knows (%s bytes): a phrase dictionary starts with "
    "\"OVBig5CZ\" and has at least 27004 bytes, a hashed phrase dictionary starts with the word "
    "0x5651DE88 and has at least 40000 bytes, an input dictionary starts with the byte 5 and has "
    "79318 bytes (130 for the empty stub)\n";
constexpr char kNoConversion[] = "DBGVIEW: this system's iconv cannot convert between %s and UTF-8\n";
constexpr char kNotEnoughMemory[] = "\n%s: not enough memory\n";
constexpr char kMoreThan[] = "more than %s";  // the length of an input that goes on
// The closing lines of a conversion to UTF-8, on standard error.
constexpr char kEscaped[] =
    "DBGVIEW: %zu codes have no UTF-8 form that %s turns back into them; shown as \\xHH\\xHH\n";
constexpr char kPrivateUse[] =
    "DBGVIEW: %zu characters are shown as private-use code points, which only %s turns back into their "
    "codes\n";

// Findings: "offset N: place: what".
constexpr char kFinding[] = "offset %zu: %s: %s\n";
constexpr char kWarning[] = "warning: offset %zu: %s: %s\n";
constexpr char kMoreFindings[] = "... %zu more violations not shown\n";
constexpr char kSound[] = "%s: sound\n";
constexpr char kNotSound[] = "%s: not sound: %zu violations\n";
constexpr char kWarnings[] = "%s: %zu warnings\n";

// Places a finding belongs to.
constexpr char kHeaderPlace[] = "header";
constexpr char kSlotPlace[] = "slot %d";
constexpr char kBucketPlace[] = "bucket %zu";
constexpr char kIndexPlace[] = "key table index %zu";
constexpr char kIdentificationPlace[] = "identification field";
constexpr char kDataAreaPlace[] = "data area";
constexpr char kTrailerPlace[] = "trailer";
constexpr char kStubTextPlace[] = "stub text";

// Phrase dictionary.
constexpr char kPhraseKind[] = "%s: phrase dictionary\n";
constexpr char kIdentification[] = "identification: %s\n";
constexpr char kSlotsUsed[] = "slots used: %d of %d\n";
constexpr char kPhrases[] = "phrases: %ld";
constexpr char kPhrasesOfLength[] = "%s%d characters: %ld";
constexpr char kLargestBucket[] = "largest bucket: %zu bytes, slot %d (%02X %02X)\n";
constexpr char kNoBucket[] = "largest bucket: none, every bucket is empty\n";
constexpr char kDataArea[] = "data area: %zu bytes\n";

constexpr char kNoIdentificationEnd[] = "no NUL ends the identification text within its 64 bytes";
constexpr char kBucketTooLong[] =
    "the half-offsets give a bucket of %zu bytes; a bucket must stay under 16384 bytes to be read back";
constexpr char kDataAreaShort[] =
    "the file ends inside this bucket: the half-offsets promise %zu bytes of data, the file holds %s";
constexpr char kBytesAfterLastBucket[] = "%s bytes after the last bucket, which a loader ignores";
constexpr char kNulInBucket[] = "NUL byte in the bucket; in memory the bucket ends there";
constexpr char kNoFrequencyUnit[] = "entry does not start with a frequency unit (byte 0x%02X)";
constexpr char kEntryWithoutCharacters[] = "entry has no characters after its frequency unit";
constexpr char kTwoAfterLong[] = "two-character entry after a long entry";
constexpr char kNotBig5Stored[] = "0x%02X 0x%02X is no Big5 character (lead byte restored to 0x%02X)";
constexpr char kPhraseTooLong[] = "phrase of %d characters; a phrase has at most 20";
constexpr char kShortLongEntry[] =
    "two-character phrase stored as a long entry (its only stored character keeps bit 7)";

// Hashed phrase dictionary.
constexpr char kHashedKind[] = "%s: hashed phrase dictionary\n";
constexpr char kRecords[] = "records: %ld\n";
constexpr char kHashedPhrases[] = "phrases: %ld\n";
constexpr char kMaxLen[] = "MAXLEN: %zu\n";
constexpr char kBucketsUsed[] = "buckets used: %zu of %zu\n";
constexpr char kSpelledRecords[] = "records whose key hashed in a mixed-case or cut spelling: %ld\n";

constexpr char kWordPlace[] = "header word %zu";
constexpr char kOffsetGoesBack[] = "the data offset goes back from %lu to %lu";
constexpr char kFileLength[] = "the header words give a file of %llu bytes; the file has %s";
constexpr char kBucketPastEnd[] = "the bucket runs past the end of the file";
constexpr char kKeyByteOutside[] = "stored key byte 0x%02X is outside 0x01..0x5E";
constexpr char kKeyByteCapital[] =
    "stored key byte 0x%02X would read back as the capital '%c', which the converter folds to lower case";
constexpr char kKeyTooLong[] = "stored key of %zu bytes is longer than a table line can hold";
constexpr char kUnitCut[] = "phrase unit cut by the end of the bucket";
constexpr char kNotBig5Phrase[] = "0x%02X 0x%02X is no Big5 character";
constexpr char kWrongBucket[] =
    "no spelling of the key \"%s\" hashes to this bucket (in small letters it hashes to bucket %zu)";

// Input dictionary.
constexpr char kInputKind[] = "%s: input dictionary\n";
constexpr char kStubKind[] = "%s: empty input dictionary stub\n";
constexpr char kStubCharacter[] = "stub character: %c (the text system needs OVCIZU%c.DBG)\n";
constexpr char kKeyTypeLine[] = "key type: %u (%s)\n";
constexpr char kMaxLenLine[] = "MaxLen: %u\n";
constexpr char kDictKindLine[] = "DictKind: %u (%s)\n";
constexpr char kUWOptionLine[] = "UWOption: %u\n";
constexpr char kRangeLine[] = "range: %s-%s\n";
constexpr char kSingleCharLine[] = "single char: %s\n";
constexpr char kRowsLine[] = "rows: %u-%u\n";
constexpr char kEnglishLine[] = "English name: %s\n";
constexpr char kChineseLine[] = "Chinese name: %s\n";
constexpr char kShortNameLine[] = "short name: %s\n";
constexpr char kCharactersLine[] = "characters with a key: %zu\n";
constexpr char kCodesLine[] = "distinct key codes: %zu\n";
constexpr char kEndMarkerLine[] = "end marker: key table index %zu (offset %zu)\n";
constexpr char kNoEndMarkerLine[] = "end marker: none\n";

constexpr char kFieldValue[] = "%s is %u; it must be %s";
constexpr char kZeroBytes[] = "bytes 66..67 must be zero, they are 0x%02X 0x%02X";
constexpr char kPlaceValue[] = "place value %zu is %lu; the key type gives %lu";
constexpr char kNameNotEnded[] = "no zero byte ends the text within its %zu bytes";
constexpr char kCapitalField[] = "%s is the capital '%c'; the converter stores it in lower case";
constexpr char kShortNameStart[] =
    "the short name begins with 0x%02X; the converter takes it from the first byte of 0x80 or above";
constexpr char kTrailerDiffers[] = "the trailer differs from the one the converter writes (byte 0x%02X)";
constexpr char kStubTextDiffers[] = "the stub text differs from the one the converter writes (byte 0x%02X)";
constexpr char kCodeTooWide[] = "key code 0x%08lX has bits above the %u a %s key fills";
constexpr char kBadDigit[] = "key code 0x%08lX: digit %u in position %zu is no %s key character";
constexpr char kGapInKey[] = "key code 0x%08lX has a filled position after an empty one";
constexpr char kSlotWithoutCharacter[] = "key code 0x%08lX in a slot that no character has under QuStart %u";
constexpr char kMissingEndMarker[] = "no end marker 0xFFFFFFFF after the highest used slot %zu (it holds 0x%08lX)";
constexpr char kStrayEndMarker[] = "0xFFFFFFFF right after slot 0, which gets no end marker";

// The values of an input dictionary's header fields as the summary names them.
constexpr char kEmptyStubName[] = "empty stub";
constexpr char kOrdinaryName[] = "ordinary";
constexpr char kExtraKeysName[] = "ordinary, extra keys";
constexpr char kAlphaName[] = "Alpha";
constexpr char kNumberName[] = "Number";
constexpr char kAlphaNumericalName[] = "AlphaNumerical";
constexpr char kUnknownName[] = "unknown";
constexpr char kByteValue[] = "0x%02X";  // a byte that is no printable character

// The header fields of an input dictionary as findings name them, and the values each may hold.
constexpr char kEnglishNameField[] = "EnglishName";
constexpr char kChineseNameField[] = "ChineseName";
constexpr char kNoticeTextField[] = "NoticeText";
constexpr char kShortNameField[] = "ShortName";
constexpr char kKeyTypeField[] = "KeyType";
constexpr char kUWOptionField[] = "UWOption";
constexpr char kRangeFirstField[] = "RangeFirst";
constexpr char kRangeLastField[] = "RangeLast";
constexpr char kSingleCharField[] = "SingleChar";
constexpr char kDictKindField[] = "DictKind";
constexpr char kMaxLenField[] = "MaxLen";
constexpr char kPlaceValuesField[] = "PlaceValues";
constexpr char kKeyTypeValues[] = "0 (Alpha), 1 (Number) or 2 (AlphaNumerical)";
constexpr char kUWOptionValues[] = "0, 1 or 2";
constexpr char kFullDictKindValues[] = "1 or 2 in a full dictionary";
constexpr char kStubMaxLenValue[] = "0x20 (32) in the stub";
constexpr char kAlphaMaxLenValues[] = "1..6 for Alpha";
constexpr char kOtherMaxLenValues[] = "1..8 for Number and AlphaNumerical";

}  // namespace dictionary_viewer::msg
