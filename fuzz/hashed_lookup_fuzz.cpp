// A text system's look-up in a hashed dictionary, on any bytes. The input is a CiZu table: its
// lines are filed as TOMBRAL files them and the file is written, and then every line's key must
// find its record, each phrase restored, among the records of that key (an empty record alone in
// its bucket aside, which leaves no byte). The input's bytes are
// then laid over the file's header and buckets from a place its first two bytes give, and every
// key is looked up in the damaged file, which may read nothing outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_lookup.h"
#include "big5dict/hashed_record.h"
#include "big5dict/hashed_text.h"

namespace {

namespace hashed = big5dict::hashed;

struct Filed {
  std::string line;     // folded, as it was hashed
  hashed::Record record;
};

// What the record's phrases must read back as: its units behind the stored key, every lead byte
// with bit 7 set again.
std::string restored_units(const Filed& filed) {
  std::string stored;
  hashed::append_stored_key(hashed::line_key(filed.line), stored);
  std::string units = filed.record.bytes.substr(stored.size());
  for (std::size_t i = 0; i < units.size(); i += 2) units[i] = static_cast<char>(units[i] | 0x80);
  return units;
}

bool finds(const std::vector<hashed::Phrases>& records, const Filed& filed) {
  const std::string expected = restored_units(filed);
  for (const hashed::Phrases& phrases : records) {
    std::string joined;
    for (const std::string& phrase : phrases) joined += phrase;
    if (joined == expected && static_cast<long>(phrases.size()) == filed.record.phrases) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  hashed::BucketTable table;
  std::vector<Filed> filed;
  for (std::size_t pos = 0; pos < input.size();) {
    const std::size_t end = std::min(input.find('\n', pos), input.size() - 1) + 1;
    std::string line(input.substr(pos, end - pos));
    pos = end;
    if (hashed::is_comment(line)) continue;
    hashed::fold_leading_capitals(line);
    Filed& f = filed.emplace_back(Filed{line, {}});
    hashed::build_record(line, f.record);
    table.add_record(hashed::key_hash(line), f.record.bytes);
  }
  std::string file;
  if (!hashed::write_dictionary(table, [&file](std::string_view block) {
        file += block;
        return true;
      })) {
    std::abort();
  }
  for (const Filed& f : filed) {
    // An empty record alone in its bucket leaves no byte: the file cannot tell it from no record.
    if (f.record.bytes.empty() && table.length(hashed::key_hash(f.line)) == 0) continue;
    if (!finds(hashed::records_of(file, f.line), f)) std::abort();
  }

  if (size < 2) return 0;
  const std::size_t at = (data[0] | (data[1] << 8)) * (file.size() / 65536 + 1) % file.size();
  file.replace(at, std::min(size, file.size() - at), input.substr(0, file.size() - at));
  for (const Filed& f : filed) hashed::records_of(file, f.line);
  hashed::records_of(file.substr(0, file.size() / 2), input);
  return 0;
}
