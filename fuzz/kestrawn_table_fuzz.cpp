// The input table's header line and entry lines on any bytes, through the reader that KESTRAWN's
// run uses, the final pass and the bytes of the full file or of the empty stub. The first byte
// asks for the stub ("*CIZU") and picks the character it names. Whatever the lines, the file has
// its fixed size, its format byte, and names that end inside their fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "big5dict/input_file.h"
#include "input_table_converter/table_reader.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/text_reader.h"

namespace {

using namespace big5dict::input;
using input_table_converter::Outcome;
using input_table_converter::StopStatus;
using input_table_converter::TableReader;

void check_header(const std::string& file) {
  if (static_cast<std::uint8_t>(file[kFormatByteOffset]) != kFormatByte) std::abort();
  if (file.substr(kEnglishNameOffset, kNameBytes).find('\0') == std::string::npos) std::abort();
  if (file.substr(kChineseNameOffset, kNameBytes).find('\0') == std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t settings = data[0];
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  DictHeader header;
  if ((settings & 1) != 0) header.dict_kind = DictKind::kEmptyStub;

  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::ostringstream stream;
  platform::MessageWriter out(stream);
  TableReader table(reader, "fuzz.b5", out);
  StopStatus stop = table.read_header(header);
  if (stop == Outcome::kReadError) std::abort();  // memory holds no read error
  if (stop) return 0;
  if (header.key_type > 2) std::abort();

  if (header.dict_kind == DictKind::kEmptyStub) {
    std::string stub = stub_file_bytes(header, static_cast<char>(settings >> 1));
    if (stub.size() != kStubFileBytes) std::abort();
    check_header(stub);
    return 0;
  }
  KeyTable key;
  if (table.read_entries(header, key)) std::abort();
  final_pass(key);
  std::string file = full_file_bytes(header, key);
  if (file.size() != kFullFileBytes) std::abort();
  check_header(file);
  if (table.entry_count() < 0) std::abort();
  return 0;
}
