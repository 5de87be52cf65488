#pragma once

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// A spinner. While it hides when stopped (the default), stopping hides it and starting shows it.
class ActivityIndicatorView : public View {
  public:
    enum class Style { medium, large };

    explicit ActivityIndicatorView(Style style = Style::medium);

    Style style() const { return style_; }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);
    bool isAnimating() const { return animating_; }
    void startAnimating();
    void stopAnimating();

  protected:
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    Style style_;
    bool hidesWhenStopped_ = true;
    bool animating_ = false;
};

}  // namespace corvend::platform::ui
