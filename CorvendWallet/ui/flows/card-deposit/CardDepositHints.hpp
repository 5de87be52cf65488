#pragma once

#include "platform/ui/AttributedString.hpp"

namespace corvend {

// The bodies of the card screens' hint sheets, in the default theme's primary text colour.
platform::ui::AttributedString manageYourCardsHint();
platform::ui::AttributedString saveYourCardsHint();

}  // namespace corvend
