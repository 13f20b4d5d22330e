// Four passes of eight bits each.
#include "table_importer/equal_rows.h"

#include <array>

namespace table_importer {

void sort_by_high_word(std::vector<std::uint64_t>& values) {
  std::vector<std::uint64_t> other(values.size());
  for (unsigned shift = 32; shift < 64; shift += 8) {
    std::array<std::size_t, 257> start{};
    for (std::uint64_t v : values) ++start[(v >> shift & 0xFF) + 1];
    for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
    for (std::uint64_t v : values) other[start[v >> shift & 0xFF]++] = v;
    values.swap(other);
  }
}

}  // namespace table_importer
