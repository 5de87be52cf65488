#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouter.hpp"

#include <utility>

namespace corvend {

CardDepositRouter::CardDepositRouter(
    std::weak_ptr<platform::ui::ViewController> presentingViewController,
    components::BottomSheetLabeling bottomSheetLabeling)
    : presentingViewController_(std::move(presentingViewController)),
      bottomSheetLabeling_(std::move(bottomSheetLabeling)) {}

void CardDepositRouter::presentHint(const std::string& title,
                                    const platform::ui::AttributedString& body) {
    const auto presenting = presentingViewController_.lock();
    if (!presenting) return;
    auto sheet = bottomSheetLabeling_.makeWithNavigation(components::LinksLabel::Model(body, {}),
                                                         title, nullptr, [] {});
    presenting->present(std::move(sheet), false);
}

}  // namespace corvend
