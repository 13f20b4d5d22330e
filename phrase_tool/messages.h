// Every text LEXMOOR shows, in one place. printf formats; "\r" progress lines overwrite each other
// on a console, and the phrase editor's fatal messages begin with bells.
#pragma once

namespace phrase_tool::msg {

// File names in the current folder.
constexpr char kDictionaryName[] = "LEXMOOR.DBG";
constexpr char kExportName[] = "LEXMOOR.B5X";
constexpr char kDefaultSourceName[] = "LEXMOOR.B5";

// Banner, on standard error.
constexpr char kBanner[] = "LEXMOOR - Add/Delete/Compare Words in Orvane Phrases Dictionary 5.0 %s\n";
constexpr char kNotice[] = "Maintains Big5 phrase dictionaries: add, delete, compare, export, import.\n\n";

// Usage, on standard output.
constexpr const char* kUsage[] = {
    "Usage:  (The Updated Dictionary will be LEXMOOR.DBG)\n\n",
    "\t(1) Add Words from file to DIC\n",
    "\t    LEXMOOR [/atend] @dicfile.DBG +words.b5\n",
    "\t    /atend -- add word at end of the list\n\n",
    "\t(2) Delete Listed Words from DIC\n",
    "\t    LEXMOOR @dicfile.DBG    -words.b5\n\n",
    "\t(3) Create New CIZU Dictionary\n",
    "\t    LEXMOOR #   +allwords.b5\n\n",
    "\t(4) Compare Two Dictionaries\n",
    "\t    LEXMOOR @Dicfile1 @Dicfile2 >NEWWORD2.b5 \n",
    "\t    LEXMOOR @Dicfile2 @Dicfile1 >NEWWORD1.b5 \n",
    "\t    Newword1.b5 contains the words only in Dicfile1\n",
    "\t    Newword2.b5 contains the words only in Dicfile2\n",
};

constexpr char kAtEndOption[] = "/atend";
constexpr char kNoTableMemory[] = "Not enough memory for CZ table";
constexpr char kMemoryFull[] = "\a\aMemory Full \n";  // standard error

// Loading a dictionary file.
constexpr char kReading[] = "Reading %s ";
constexpr char kMaxBuff[] = "MAX_BUFF is too small, need %d\n";
constexpr char kErrorInFile[] = "Error in file: %s\n";
constexpr char kEofAt[] = "EOF at i= %d\n";
constexpr char kFreqError[] = "FREQ Error: i=%d, len=%ld-%ld offset: %ld\n";

// Word lists.
constexpr char kAdding[] = " Adding words listed in [%s]\n";
constexpr char kRemoving[] = " Removing words listed in [%s]\n";
constexpr char kPrintToBig5[] = "PRINT-TO-BIG5";
constexpr char kWordTooLong[] = "Word Too Long Line: %d %s\n";

// The phrase editor.
constexpr char kPhraseTooLong[] = "\a\a\aWord [%s] Length > 40 !";
constexpr char kFreqSearch1[] = "Error in CZ-FQ .....1\n";
constexpr char kFreqSearch2[] = "Error in CZ-FQ .....2\n";
constexpr char kFreqSearch3[] = "Error in CZ-FQ .....3\n";
constexpr char kNotPresent[] = "??%s\n";
constexpr char kAddedEchoEnd[] = "\n";  // after the phrase as it was added
constexpr char kAddedMark[] = "+";
constexpr char kDeletedMark[] = "-";
constexpr char kBucketFull[] = "Bucket full, phrase not added: %s\n";

// Writing.
constexpr char kCantOpenDictionary[] = "can't open file: LEXMOOR.DBG\n";
constexpr char kCantOpenExport[] = "can't open file: LEXMOOR.B5X\n";
constexpr char kWritingTo[] = "\nWriting to: LEXMOOR.DBG ... \n";
constexpr char kEntryProgress[] = "Entry:%d, Offset:%ld\r";
constexpr char kTotalLength[] = "\nTotal Word Length=%ld\n";

// Importing phrase source text.
constexpr char kReadingSource[] = "Reading %s ...\n";
constexpr char kCantOpenSource[] = "can't open file: LEXMOOR.B5\n";
constexpr char kLineProgress[] = "Line: %d\r";
constexpr char kSkipLine[] = "Skip line: %d: %s\n";
constexpr char kErrorAtLine[] = "Error at Line: %d\n";
constexpr char kImportBucketFull[] = "Bucket full at Line: %d, entry not added\n";

// Comparing with a second dictionary.
constexpr char kComparing[] = "  Comparing with file: %s ...";
constexpr char kOnlyIn[] = "\nList of words only in file: %s \n";

}  // namespace phrase_tool::msg
