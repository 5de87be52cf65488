#pragma once

#include "CorvendCoreComponents/CornerRadiusProvider.hpp"

namespace corvend::components {

// Corner radii stored as given, without validation.
class CornerRadiusValues : public CornerRadiusProvider {
  public:
    CornerRadiusValues(double large, double medium, double small)
        : large_(large), medium_(medium), small_(small) {}

    double large() const override { return large_; }
    double medium() const override { return medium_; }
    double small() const override { return small_; }

  private:
    double large_;
    double medium_;
    double small_;
};

}  // namespace corvend::components
