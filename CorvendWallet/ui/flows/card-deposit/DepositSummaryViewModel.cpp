#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewModel.hpp"

#include "CorvendWallet/ui/foundation/Appearance.hpp"

namespace corvend {

const DepositSummaryViewModel& DepositSummaryViewModel::empty() {
    static const DepositSummaryViewModel placeholder{
        .instrumentLogo = Appearance::appliedImages().creditCard().image(),
        .instrumentName = "",
        .amount = "",
        .fees = "",
        .totalAmount = ""};
    return placeholder;
}

}  // namespace corvend
