// What the checks of a file find: each broken rule of its format as a value (the rule, where in the
// file, and the numbers that tell what was found), never as a text. Each format names its rules
// and says, rule by rule, what `place`, `a`, `b`, `c` and `text` hold.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace big5dict {

template <typename Rule>
struct Finding {
  Finding(Rule rule_found, std::uint64_t at, std::uint64_t where = 0, std::uint64_t first = 0,
          std::uint64_t second = 0, std::uint64_t third = 0, std::string named = {})
      : rule(rule_found), offset(at), place(where), a(first), b(second), c(third), text(std::move(named)) {}

  Rule rule;
  std::uint64_t offset;  // the byte of the file the finding belongs to
  std::uint64_t place;   // the slot, bucket or key table index, where the rule has one
  std::uint64_t a, b, c;
  std::string text;      // a key, where the rule names one
};

// Where a check hands its findings, one by one and in file order. A damaged file may break a rule
// at every byte: a sink keeps what it wants and counts the rest, and a finding costs no text.
template <typename Rule>
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  // A broken rule: the file is not sound.
  virtual void violation(const Finding<Rule>& finding) = 0;
  // Something a reader takes in its stride: the file is still sound.
  virtual void warning(const Finding<Rule>& finding) = 0;
};

}  // namespace big5dict
