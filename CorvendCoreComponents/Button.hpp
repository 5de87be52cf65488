#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/Button.hpp"

namespace corvend::components {

// The palette a button draws with; raw value 0 is the primary one.
enum class ButtonStyle { primary = 0, secondary = 1, accent = 2 };

// The library's button: themed by its style, calling `action` on a tap. While it shows its
// loading state it takes no taps, so a second tap cannot start the same work twice.
class Button : public platform::ui::Button {
  public:
    Button();

    ButtonStyle style() const { return style_; }
    void setStyle(ButtonStyle style);
    void setEnabled(bool enabled) override;
    void setTitle(std::optional<std::string> title);

    std::function<void()> action;

    void showLoading();
    void hideLoading();
    bool isLoading() const { return loading_; }

  protected:
    bool acceptsTap() const override;
    void handleTap() override;
    std::vector<std::string> snapshotFlags() const override;

  private:
    void applyStyle();

    ButtonStyle style_ = ButtonStyle::primary;
    bool loading_ = false;
};

}  // namespace corvend::components
