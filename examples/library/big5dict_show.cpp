// big5dict_show FILE [WHAT]: what a program of its own can do with the big5dict library. It opens
// any of the three dictionary files and writes its content as the text the file's program reads
// back (what `DBGVIEW --text FILE` writes), or, given WHAT in Big5, what the file holds for it,
// one result a line (what `DBGVIEW --find WHAT FILE` writes).
// Exit status: 0 done (something found), 1 nothing found, 2 a file that cannot be read or is of no
// known format, or a WHAT that does not suit it. Broken rules of the file are counted on standard
// error; the content is written all the same.
#include <big5dict/big5dict.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// Counts what the checks find; a real program might show each finding.
template <typename Rule>
class Counter : public big5dict::FindingSink<Rule> {
 public:
  void violation(const big5dict::Finding<Rule>&) override { ++violations; }
  void warning(const big5dict::Finding<Rule>&) override {}
  long violations = 0;
};

// The file's first bytes, no more than its format can hold, and its length.
bool read_file(const char* name, std::string& bytes, big5dict::FileLength& length) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  char chunk[65536];
  std::uint64_t capacity = big5dict::format_bytes();
  while (bytes.size() < capacity && in.read(chunk, sizeof chunk).gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() >= big5dict::format_bytes()) capacity = big5dict::format_capacity(bytes);
  }
  if (in.bad()) return false;
  const bool cut = bytes.size() > capacity;
  if (cut) bytes.resize(static_cast<std::size_t>(capacity));
  length = {bytes.size(), cut || in.peek() != std::char_traits<char>::eof()};
  return true;
}

template <typename Rule>
long report(const Counter<Rule>& counter, const char* name) {
  if (counter.violations > 0) std::cerr << name << ": " << counter.violations << " violations\n";
  return counter.violations;
}

// The text of the file, by its format.
bool content(const std::string& file, big5dict::FileLength length, const char* name, std::string& text) {
  switch (big5dict::identify(file, length)) {
    case big5dict::FileFormat::kPhraseDictionary: {
      Counter<big5dict::phrase::Rule> counter;
      big5dict::phrase::check_phrase_dictionary(file, length, counter, &text);
      report(counter, name);
      return true;
    }
    case big5dict::FileFormat::kHashedDictionary: {
      Counter<big5dict::hashed::Rule> counter;
      big5dict::hashed::check_hashed_dictionary(file, length, counter, &text);
      report(counter, name);
      return true;
    }
    case big5dict::FileFormat::kInputDictionary: {
      Counter<big5dict::input::Rule> counter;
      big5dict::input::check_input_dictionary(file, counter, &text);
      report(counter, name);
      return true;
    }
    case big5dict::FileFormat::kInputStub: {
      Counter<big5dict::input::Rule> counter;
      big5dict::input::check_input_stub(file, counter, &text);
      report(counter, name);
      return true;
    }
    case big5dict::FileFormat::kUnknown: break;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: big5dict_show FILE [WHAT]\n";
    return 2;
  }
  std::string file;
  big5dict::FileLength length;
  if (!read_file(argv[1], file, length)) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 2;
  }
  int status = 0;
  std::string text;
  if (argc == 2) {
    if (!content(file, length, argv[1], text)) {
      std::cerr << argv[1] << ": not a dictionary file\n";
      return 2;
    }
  } else {
    const big5dict::LookupResult result = big5dict::look_up(file, length, argv[2]);
    if (!result.fits) {
      std::cerr << argv[1] << ": nothing can be looked up by " << argv[2] << " there\n";
      return 2;
    }
    for (const std::string& found : result.found) text += found + "\n";
    status = result.found.empty() ? 1 : 0;
  }
  std::cout << text << std::flush;
  return std::cout ? status : 2;
}
