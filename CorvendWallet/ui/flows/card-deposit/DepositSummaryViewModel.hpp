#pragma once

#include <string>

#include "platform/ui/Image.hpp"

namespace corvend {

// What the deposit summary shows, its amounts already formatted.
struct DepositSummaryViewModel {
    platform::ui::ImagePtr instrumentLogo;
    std::string instrumentName;
    std::string amount;
    std::string fees;
    std::string totalAmount;

    // The placeholder until the presenter's model arrives: the appearance's card image and
    // empty texts. Made on first use and kept. Main thread.
    static const DepositSummaryViewModel& empty();

    friend bool operator==(const DepositSummaryViewModel&,
                           const DepositSummaryViewModel&) = default;
};

}  // namespace corvend
