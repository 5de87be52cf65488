#pragma once

#include <string>

#include "platform/ui/AttributedString.hpp"

namespace corvend {

// What a card screen's presenter asks of its router. Main thread.
class CardDepositRouterInput {
  public:
    virtual ~CardDepositRouterInput() = default;
    // Shows a hint sheet with `title` over `body`, over the card screen.
    virtual void presentHint(const std::string& title,
                             const platform::ui::AttributedString& body) = 0;
};

}  // namespace corvend
