// The weights of a target's rows, held only once a row has one: most tables that give no weight,
// or say that their order is their preference, cost nothing here.
#pragma once

#include <cstddef>
#include <vector>

namespace table_importer {

class Weights {
 public:
  // The weight of the next row; rows are added in order.
  void add(double weight) {
    if (weight != 0 && values_.empty()) values_.resize(count_, 0);
    if (!values_.empty()) values_.push_back(weight);
    ++count_;
  }
  double operator[](std::size_t row) const { return values_.empty() ? 0 : values_[row]; }
  bool any() const { return !values_.empty(); }

 private:
  std::vector<double> values_;
  std::size_t count_ = 0;
};

}  // namespace table_importer
