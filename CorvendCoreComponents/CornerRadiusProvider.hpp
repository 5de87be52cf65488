#pragma once

namespace corvend::components {

// The theme's three corner radii, in points.
class CornerRadiusProvider {
  public:
    virtual ~CornerRadiusProvider() = default;
    virtual double large() const = 0;
    virtual double medium() const = 0;
    virtual double small() const = 0;
};

}  // namespace corvend::components
