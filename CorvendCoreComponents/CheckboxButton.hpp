#pragma once

#include "platform/ui/Button.hpp"

namespace corvend::components {

// A box that a tap ticks or clears; it shows the theme's checkbox images and sends
// valueChanged after each change a person makes.
class CheckboxButton : public platform::ui::Button {
  public:
    CheckboxButton();

    bool isChecked() const { return isSelected(); }
    void setChecked(bool checked);

  protected:
    void handleTap() override;
    void appendSnapshot(std::vector<std::string>& lines) const override;
};

}  // namespace corvend::components
