#pragma once

#include "core/convert/ConversionState.h"

#include <algorithm>
#include <vector>

namespace murelo {

// The errors an error-diffusion mode hands on to the pixels it has not converted yet, by
// column and row, and the error the last pixel produced. Sized for the picture plus the
// column right of it, which the below-right share of the last column reaches.
class DiffusionErrors {
  public:
    DiffusionErrors(int width, int height)
        : columns_(std::max(width, 0) + 1), rows_(std::max(height, 1)),
          errors_(std::size_t(columns_) * std::size_t(rows_)) {}

    ErrorTriple& at(int x, int y) { return errors_[std::size_t(x) * rows_ + y]; }
    const ErrorTriple& at(int x, int y) const { return errors_[std::size_t(x) * rows_ + y]; }
    int rows() const { return rows_; }

    ErrorTriple current; // what the last pixel produced

  private:
    int columns_;
    int rows_;
    std::vector<ErrorTriple> errors_;
};

} // namespace murelo
