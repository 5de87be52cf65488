#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/ui/Control.hpp"
#include "platform/ui/Image.hpp"

namespace corvend::platform::ui {

// A push button with a title and an image per state.
class Button : public Control {
  public:
    void setTitle(std::optional<std::string> title, ControlState state = ControlState::normal);
    // The state's title, else the normal one.
    std::optional<std::string> title(ControlState state) const;
    std::optional<std::string> currentTitle() const { return title(state()); }
    void setImage(ImagePtr image, ControlState state = ControlState::normal);
    ImagePtr image(ControlState state) const;
    ImagePtr currentImage() const { return image(state()); }

  protected:
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    std::map<ControlState, std::string> titles_;
    std::map<ControlState, ImagePtr> images_;
};

}  // namespace corvend::platform::ui
