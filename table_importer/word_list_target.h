// A word list for LEXMOOR: phrases of two characters or more, one a line, each once, in the
// table's order of preference, as many as a new dictionary's buckets take.
#pragma once

#include <vector>

#include "table_importer/target.h"

namespace table_importer {

class WordListTarget : public Target {
 public:
  using Target::Target;

  void row(const SourceRow& row) override;
  StopStatus finish(const TableFacts& facts, std::string& out) override;
  void expect(std::uint64_t bytes) override;

 private:
  struct Phrase {
    int line;
    Kept big5;
  };
  std::vector<Phrase> phrases_;
};

}  // namespace table_importer
