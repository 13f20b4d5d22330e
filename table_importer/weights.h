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
    if (weight != 0 && !any_) {
      values_.resize(count_, 0);
      any_ = true;
    }
    if (any_) values_.push_back(weight);
    ++count_;
  }
  double operator[](std::size_t row) const { return any_ ? values_[row] : 0; }
  bool any() const { return any_; }

 private:
  std::vector<double> values_;
  std::size_t count_ = 0;
  bool any_ = false;
};

}  // namespace table_importer
