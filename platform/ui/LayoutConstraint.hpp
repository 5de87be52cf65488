#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/ViewHandle.hpp"

namespace corvend::platform::ui {

enum class LayoutAttribute { leading, trailing, top, bottom, width, height, centerX, centerY };

class LayoutConstraint;
using LayoutConstraintPtr = std::shared_ptr<LayoutConstraint>;

// One edge, centre or dimension of a view (or of its safe area).
class LayoutAnchor {
  public:
    LayoutAnchor(std::weak_ptr<const ViewHandle> item, LayoutAttribute attribute, bool safeArea);

    // The view, or null once it is gone.
    View* view() const;
    LayoutAttribute attribute() const { return attribute_; }
    bool isSafeArea() const { return safeArea_; }

    // A new, inactive constraint: this anchor = `other` + `constant`.
    LayoutConstraintPtr constraint(const LayoutAnchor& other, double constant = 0) const;
    // A new, inactive constraint fixing a dimension: this anchor = `constant`.
    LayoutConstraintPtr constraint(double constant) const;

  private:
    std::weak_ptr<const ViewHandle> item_;
    LayoutAttribute attribute_;
    bool safeArea_;
};

// A layout rule recorded as data and never solved: tests read the items, attributes, constant
// and whether it is active. An active constraint is kept by its first view.
class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
  public:
    LayoutConstraint(LayoutAnchor first, std::optional<LayoutAnchor> second, double constant);

    const LayoutAnchor& firstAnchor() const { return first_; }
    const std::optional<LayoutAnchor>& secondAnchor() const { return second_; }
    double constant() const { return constant_; }
    void setConstant(double constant) { constant_ = constant; }
    bool isActive() const { return active_; }
    void setActive(bool active);

    static void activate(const std::vector<LayoutConstraintPtr>& constraints);
    static void deactivate(const std::vector<LayoutConstraintPtr>& constraints);

  private:
    LayoutAnchor first_;
    std::optional<LayoutAnchor> second_;
    double constant_;
    bool active_ = false;
};

}  // namespace corvend::platform::ui
