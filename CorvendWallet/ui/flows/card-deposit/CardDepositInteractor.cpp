#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractor.hpp"

#include <cstddef>
#include <utility>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

CardDepositInteractor::CardDepositInteractor(std::shared_ptr<DepositService> depositService,
                                             model::CustomerDeposit deposit)
    : depositService_(std::move(depositService)), deposit_(std::move(deposit)) {}

void CardDepositInteractor::deposit(const CardDepositInput& input, bool isNewCard) {
    startDeposit(makeDepositCreate(input, isNewCard), makeCardDetails(input));
}

void CardDepositInteractor::cancel() {
    if (executingTask_) executingTask_->cancel();
}

model::DepositCreate CardDepositInteractor::makeDepositCreate(const CardDepositInput& input,
                                                              bool isNewCard) const {
    std::vector<model::PaymentProperty> properties{{model::PaymentPropertyKey::cardCVV, input.cvv}};
    std::shared_ptr<const model::PaymentInstrument> card;
    if (isNewCard) {
        properties.push_back({model::PaymentPropertyKey::cardSaveInstrument,
                              input.saveCard.value_or(false) ? "true" : "false"});
        card = std::make_shared<model::CardPaymentInstrument>(model::CardPaymentInstrument::Fields{
            .id = deposit_.id(),
            .customerID = deposit_.customerID(),
            .pan = input.cardNumber,
            .expiryDate = {.year = input.expiryYear, .month = input.expiryMonth},
            .description = input.cardLabel});
    }
    return model::DepositCreate(deposit_.id(), std::move(properties), std::move(card));
}

CardDetails CardDepositInteractor::makeCardDetails(const CardDepositInput& input) {
    // The last four characters a person sees (all of them when fewer); digits of other scripts
    // take several bytes, and a digit may carry a mark.
    const std::string& number = input.cardNumber;
    const auto boundaries = platform::unicode::characterBoundaries(number);
    const std::size_t characters = boundaries.size() - 1;
    const std::string lastFour = number.substr(characters > 4 ? boundaries[characters - 4] : 0);
    return {.cardLogo = input.cardType.logo(),
            .cardName = input.cardLabel.value_or("") + " *" + lastFour};
}

void CardDepositInteractor::startDeposit(model::DepositCreate request, CardDetails cardDetails) {
    executingTask_ = FlowTask::run<model::CustomerDeposit>(
        [service = depositService_, request = std::move(request)] {
            // Confirming the deposit a reply names would act on a record the flow was not given.
            return CardDepositError::ownDeposit(request.id(),
                                                [&] { return service->create(request); });
        },
        [weakSelf = weak_from_this(),
         cardDetails = std::move(cardDetails)](Result<model::CustomerDeposit> result) {
            const auto self = weakSelf.lock();
            const auto output = self ? self->output_.lock() : nullptr;
            if (!output) return;
            if (result) {
                output->cardDepositDidSucceed(*result, cardDetails);
            } else {
                output->cardDepositDidFail(result.error());
            }
        });
}

}  // namespace corvend
