#pragma once

#include <memory>

#include "CorvendCoreComponents/BottomSheetLabeling.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouterInput.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Presents a card screen's hint sheets over that screen, which it does not keep alive.
class CardDepositRouter : public CardDepositRouterInput {
  public:
    CardDepositRouter(std::weak_ptr<platform::ui::ViewController> presentingViewController,
                      components::BottomSheetLabeling bottomSheetLabeling);

    void presentHint(const std::string& title, const platform::ui::AttributedString& body) override;

  private:
    const std::weak_ptr<platform::ui::ViewController> presentingViewController_;
    components::BottomSheetLabeling bottomSheetLabeling_;
};

}  // namespace corvend
