#pragma once

namespace corvend::components {

// A view that wraps its content at a width its owner gives it.
class ViewWithPreferredMaxLayoutWidth {
  public:
    virtual ~ViewWithPreferredMaxLayoutWidth() = default;
    virtual double preferredMaxLayoutWidth() const = 0;
    virtual void setPreferredMaxLayoutWidth(double width) = 0;
};

}  // namespace corvend::components
