#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Color.hpp"
#include "platform/ui/Geometry.hpp"
#include "platform/ui/ImageSource.hpp"
#include "platform/ui/SymbolConfiguration.hpp"

namespace corvend::platform::ui {

class Image;
using ImagePtr = std::shared_ptr<const Image>;

enum class ImageRenderingMode { automatic, alwaysOriginal, alwaysTemplate };

// An immutable image as data: its name, where it came from, its size and how it is tinted.
// Nothing is decoded or drawn. Made, copied and read on any thread.
class Image {
  public:
    enum class Kind { system, named };

    // A system symbol, or absent when the platform has no symbol of that name. Its size is the
    // configuration's point size (the platform's 17 points without one).
    static ImagePtr system(const std::string& name, SymbolConfigurationPtr configuration = {});
    // An image of `source`, or absent when the source holds none of that name. Every call looks
    // it up again.
    static ImagePtr named(const std::string& name, const std::shared_ptr<const ImageSource>& source,
                          Size size = {24, 24});

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    const SymbolConfigurationPtr& configuration() const { return configuration_; }
    const std::shared_ptr<const ImageSource>& source() const { return source_; }
    Size size() const { return size_; }
    double scale() const { return scale_; }
    ImageRenderingMode renderingMode() const { return renderingMode_; }
    // The colour a template image is drawn in; absent draws it in the showing view's tint.
    const ColorPtr& tintColor() const { return tintColor_; }

    ImagePtr withRenderingMode(ImageRenderingMode mode) const;
    // A copy tinted with `color`, which makes it a template (as the platform does).
    ImagePtr withTintColor(ColorPtr color) const;
    // The image drawn into an offscreen context of `size` at `scale`, filling it.
    ImagePtr drawn(Size size, double scale) const;

    // "name" for a snapshot, with the tint's resolved value for a tinted template.
    std::string description(const Traits& traits = {}) const;

    Image(Kind kind, std::string name, SymbolConfigurationPtr configuration,
          std::shared_ptr<const ImageSource> source, Size size);

  private:
    Kind kind_;
    std::string name_;
    SymbolConfigurationPtr configuration_;
    std::shared_ptr<const ImageSource> source_;
    Size size_;
    double scale_ = 1;
    ImageRenderingMode renderingMode_ = ImageRenderingMode::automatic;
    ColorPtr tintColor_;
};

}  // namespace corvend::platform::ui
