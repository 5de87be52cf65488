#include "platform/ui/Button.hpp"

namespace corvend::platform::ui {
namespace {

template <class Map>
auto forState(const Map& values, ControlState state) -> std::optional<typename Map::mapped_type> {
    for (const ControlState key : {state, ControlState::normal})
        if (const auto found = values.find(key); found != values.end()) return found->second;
    return std::nullopt;
}

}  // namespace

void Button::setTitle(std::optional<std::string> title, ControlState state) {
    if (title)
        titles_[state] = std::move(*title);
    else
        titles_.erase(state);
}

std::optional<std::string> Button::title(ControlState state) const {
    return forState(titles_, state);
}

void Button::setImage(ImagePtr image, ControlState state) {
    if (image)
        images_[state] = std::move(image);
    else
        images_.erase(state);
}

ImagePtr Button::image(ControlState state) const {
    return forState(images_, state).value_or(nullptr);
}

void Button::appendSnapshot(std::vector<std::string>& lines) const {
    std::string face = currentTitle().value_or("");
    if (face.empty())
        if (const auto picture = currentImage()) face = picture->description(traits());
    lines.push_back("button: [" + face + "]" + flagsText(snapshotFlags()));
}

}  // namespace corvend::platform::ui
