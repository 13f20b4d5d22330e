// B5IMPORT without --from over any bytes: the reader that tells rime from a .cin, into each target;
// the first byte picks the target and the variant.
#include "table_source_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_tables::run(std::nullopt, data, size);
  return 0;
}
