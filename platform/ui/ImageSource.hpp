#pragma once

#include <optional>
#include <string>

namespace corvend::platform::ui {

// Where named images live (a resource bundle): the toolkit asks it for an image's encoded data.
class ImageSource {
  public:
    virtual ~ImageSource() = default;

    // The encoded image of that name, or absent when the source holds none.
    virtual std::optional<std::string> imageData(const std::string& name) const = 0;
};

}  // namespace corvend::platform::ui
