#pragma once

#include <map>
#include <vector>

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// A view that lines up its arranged views along an axis. Arranged views are also subviews; a
// view removed from its superview leaves the arranged views too.
class StackView : public View {
  public:
    enum class Alignment {
        fill = 0,
        leading = 1,
        top = 1,
        firstBaseline = 2,
        center = 3,
        trailing = 4,
        bottom = 4,
        lastBaseline = 5
    };
    enum class Distribution {
        fill = 0,
        fillEqually = 1,
        fillProportionally = 2,
        equalSpacing = 3,
        equalCentering = 4
    };

    explicit StackView(const std::vector<ViewPtr>& arrangedSubviews = {});

    const std::vector<ViewPtr>& arrangedSubviews() const { return arranged_; }
    void addArrangedSubview(const ViewPtr& view);
    // Stops arranging `view`; it stays a subview, as on the platform.
    void removeArrangedSubview(const ViewPtr& view);

    LayoutAxis axis() const { return axis_; }
    void setAxis(LayoutAxis axis) { axis_ = axis; }
    double spacing() const { return spacing_; }
    void setSpacing(double spacing) { spacing_ = spacing; }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { alignment_ = alignment; }
    Distribution distribution() const { return distribution_; }
    void setDistribution(Distribution distribution) { distribution_ = distribution; }
    // The spacing after `view`, where one was set.
    std::optional<double> customSpacing(const View& view) const;
    void setCustomSpacing(double spacing, const View& view);
    DirectionalEdgeInsets directionalLayoutMargins() const { return margins_; }
    void setDirectionalLayoutMargins(DirectionalEdgeInsets margins) { margins_ = margins; }
    bool isLayoutMarginsRelativeArrangement() const { return marginsRelative_; }
    void setLayoutMarginsRelativeArrangement(bool relative) { marginsRelative_ = relative; }

  protected:
    void willRemoveSubview(View& subview) override;

  private:
    std::vector<ViewPtr> arranged_;
    std::map<const View*, double> customSpacing_;
    DirectionalEdgeInsets margins_;
    double spacing_ = 0;
    LayoutAxis axis_ = LayoutAxis::horizontal;
    Alignment alignment_ = Alignment::fill;
    Distribution distribution_ = Distribution::fill;
    bool marginsRelative_ = false;
};

}  // namespace corvend::platform::ui
