// DBGVIEW's view of any bytes, in every mode: the summary, the Big5 text and the UTF-8 text in two
// variants. Random bytes rarely make a file of a known format, so the first byte picks a skeleton (a
// phrase dictionary header, a hashed dictionary header, a full input dictionary or its stub, or
// nothing), the next three give where the rest of the input overwrites it; the input dictionaries
// keep their exact length, the other two grow with the input. Nothing may read outside the bytes,
// and a file the view calls sound must have no findings; the bytes are also examined as the part of
// a longer file that was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/viewer.h"
#include "big5dict/bytes.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"
#include "big5dict/phrase_layout.h"

namespace {

namespace itc = big5dict::input;

std::string phrase_skeleton() {
  big5dict::phrase::HeaderImage header;
  return std::string(reinterpret_cast<const char*>(header.data()), big5dict::phrase::HeaderImage::size());
}

std::string hashed_skeleton() {
  std::string file;
  for (std::size_t k = 0; k < big5dict::hashed::kHeaderWords; ++k) big5dict::append_u32(file, big5dict::hashed::kMagic);
  return file;
}

itc::DictHeader input_header() {
  itc::DictHeader header;
  header.key_type = static_cast<std::uint8_t>(itc::KeyType::kAlpha);
  header.max_len = 4;
  header.place_values = itc::place_values(itc::KeyType::kAlpha);
  header.short_name = {0xA4, 0xA4, 0xA4, 0xE5};
  return header;
}

std::string input_skeleton() {
  itc::KeyTable key;
  key[471] = 33554432;
  key[472] = itc::kEndMarker;
  return itc::full_file_bytes(input_header(), key);
}

std::string stub_skeleton() {
  itc::DictHeader header = input_header();
  header.dict_kind = itc::DictKind::kEmptyStub;
  return itc::stub_file_bytes(header, 'J');
}

// Copies `patch` over `file` from `at`; a file of fixed length keeps it.
void overwrite(std::string& file, std::size_t at, std::string_view patch, bool fixed_length, std::size_t keep) {
  at = keep + at % (file.size() - keep);
  if (!fixed_length && at + patch.size() > file.size()) file.resize(at + patch.size());
  for (std::size_t i = 0; i < patch.size() && at + i < file.size(); ++i) file[at + i] = patch[i];
}

void view_every_way(const std::string& file) {
  using namespace dictionary_viewer;
  using platform::Big5Variant;
  for (ViewOptions options : {ViewOptions{false, false}, ViewOptions{true, false}, ViewOptions{true, true},
                              ViewOptions{false, true, Big5Variant::kBig5Hkscs},
                              ViewOptions{true, true, Big5Variant::kBig5Hkscs}}) {
    std::ostringstream out;
    std::ostringstream err;
    Verdict verdict = view("fuzz.dbg", file, whole(file), options, out, err);
    // The text of a sound file comes with no findings: at most warnings and the conversion's counts.
    if (verdict == Verdict::kSound && options.text && !err.str().empty() &&
        err.str().find("warning") == std::string::npos && err.str().rfind("DBGVIEW: ", 0) != 0) {
      std::abort();
    }
  }
  Examination examination = examine(file, whole(file), true);
  if (examination.violations.size() > Examination::kKeptFindings) std::abort();
  if (examination.sound() != examination.violations.empty()) std::abort();
  // The same bytes as the first part of a longer file, and of an input that goes on.
  for (FileLength length : {FileLength{file.size() + 1, false}, FileLength{file.size(), true}}) {
    if (examine(file, length, true).sound() != examine(file, length, false).sound()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t at = data[1] | (data[2] << 8) | (static_cast<std::size_t>(data[3]) << 16);
  const std::string_view patch(reinterpret_cast<const char*>(data + 4), size - 4);
  std::string file;
  switch (data[0] % 5) {
    case 0: file = phrase_skeleton(); overwrite(file, at, patch, false, 8); break;
    case 1: file = hashed_skeleton(); overwrite(file, at, patch, false, 4); break;
    case 2: file = input_skeleton(); overwrite(file, at, patch, true, 1); break;
    case 3: file = stub_skeleton(); overwrite(file, at, patch, true, 1); break;
    default: file.assign(patch); break;
  }
  view_every_way(file);
  return 0;
}
