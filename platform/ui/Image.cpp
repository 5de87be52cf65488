#include "platform/ui/Image.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvend::platform::ui {
namespace {

// The symbols the platform ships: those that the kit's screens and the library draw.
constexpr std::array<std::string_view, 9> systemSymbols = {
    "exclamationmark.triangle",
    "chevron.left",
    "checkmark.square.fill",
    "square",
    "questionmark.circle",
    "creditcard",
    "xmark",
    "info.circle",
    "icloud.slash",
};

constexpr double defaultSymbolSize = 17;

}  // namespace

Image::Image(Kind kind, std::string name, SymbolConfigurationPtr configuration,
             std::shared_ptr<const ImageSource> source, Size size)
    : kind_(kind),
      name_(std::move(name)),
      configuration_(std::move(configuration)),
      source_(std::move(source)),
      size_(size) {}

ImagePtr Image::system(const std::string& name, SymbolConfigurationPtr configuration) {
    if (std::ranges::find(systemSymbols, name) == systemSymbols.end()) return nullptr;
    const double side = configuration ? configuration->pointSize() : defaultSymbolSize;
    return std::make_shared<const Image>(Kind::system, name, std::move(configuration), nullptr,
                                         Size{side, side});
}

ImagePtr Image::named(const std::string& name, const std::shared_ptr<const ImageSource>& source,
                      Size size) {
    if (!source || !source->imageData(name)) return nullptr;
    return std::make_shared<const Image>(Kind::named, name, nullptr, source, size);
}

ImagePtr Image::withRenderingMode(ImageRenderingMode mode) const {
    auto copy = std::make_shared<Image>(*this);
    copy->renderingMode_ = mode;
    return copy;
}

ImagePtr Image::withTintColor(ColorPtr color) const {
    auto copy = std::make_shared<Image>(*this);
    copy->renderingMode_ = ImageRenderingMode::alwaysTemplate;
    copy->tintColor_ = std::move(color);
    return copy;
}

ImagePtr Image::drawn(Size size, double scale) const {
    auto copy = std::make_shared<Image>(*this);
    copy->size_ = size;
    copy->scale_ = scale;
    return copy;
}

std::string Image::description(const Traits& traits) const {
    if (renderingMode_ == ImageRenderingMode::alwaysTemplate && tintColor_)
        return name_ + " " + tintColor_->description(traits);
    return name_;
}

}  // namespace corvend::platform::ui
