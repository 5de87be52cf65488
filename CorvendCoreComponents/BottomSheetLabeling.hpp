#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendCoreComponents/BottomSheeting.hpp"
#include "CorvendCoreComponents/LinksLabel.hpp"

namespace corvend::components {

// Makes text sheets: a text with links under a navigation bar with a title.
class BottomSheetLabeling {
  public:
    explicit BottomSheetLabeling(BottomSheeting bottomSheeting);

    // The text of `model` with its links (taps go to `linkHandler`) under a bar showing
    // `title`; closing the sheet runs `action`. The caller presents the sheet.
    std::function<std::shared_ptr<BottomSheet>(
        LinksLabel::Model model, std::optional<std::string> title,
        std::function<void(const std::string& link)> linkHandler, std::function<void()> action)>
        makeWithNavigation;
};

}  // namespace corvend::components
