// Progress lines, written thousands of times a run, go out without formatting into a fresh string.
#pragma once

#include <initializer_list>
#include <ostream>
#include <string_view>

namespace phrase_tool {

// Writes the message `format`, whose only conversions are %d and %ld, with `values` in their
// place, as printf would.
void put_numbers(std::ostream& out, std::string_view format, std::initializer_list<long> values);

}  // namespace phrase_tool
