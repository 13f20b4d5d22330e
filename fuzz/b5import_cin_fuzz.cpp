// B5IMPORT's cin reader over any bytes, into each target; the first byte picks the target and the
// variant.
#include "table_source_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_tables::run(table_importer::TableFormat::kCin, data, size);
  return 0;
}
