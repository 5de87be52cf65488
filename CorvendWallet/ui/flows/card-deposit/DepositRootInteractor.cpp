#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.hpp"

#include <utility>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "platform/async/Task.hpp"

namespace corvend {

struct DepositRootInteractor::Loaded {
    std::vector<model::PaymentOptionDetails> options;
    model::CustomerDeposit deposit;
};

DepositRootInteractor::DepositRootInteractor(
    std::shared_ptr<DepositService> depositService,
    std::shared_ptr<PaymentInstrumentService> paymentInstrumentService, std::string depositID)
    : depositService_(std::move(depositService)),
      paymentInstrumentService_(std::move(paymentInstrumentService)),
      depositID_(std::move(depositID)) {}

void DepositRootInteractor::load() {
    executingTask_ = FlowTask::run<Loaded>(
        [service = depositService_, id = depositID_] {
            auto depositRead = platform::Task<model::CustomerDeposit>::child(
                [service, id] { return service->get(id); });
            std::vector<model::PaymentOptionDetails> options;
            try {
                options = service->getOptions();
            } catch (...) {
                // The options' error is the one reported; the deposit read ends unheard.
                depositRead.cancel();
                try {
                    depositRead.value();
                } catch (...) {
                }
                throw;
            }
            // A reply about another deposit: the flow never acts on a record it was not given.
            auto deposit = CardDepositError::ownDeposit(id, [&] { return depositRead.value(); });
            return Loaded{std::move(options), std::move(deposit)};
        },
        [weakSelf = weak_from_this()](Result<Loaded> result) {
            const auto self = weakSelf.lock();
            if (!self) return;
            if (result) {
                self->didLoad(std::move(*result));
            } else {
                self->fail(result.error());
            }
        });
}

void DepositRootInteractor::cancel() {
    if (executingTask_) executingTask_->cancel();
}

void DepositRootInteractor::didLoad(Loaded loaded) {
    savedDeposit_ = loaded.deposit;
    supportedCards_ = supportedCardTypes(loaded.options);
    const auto output = output_.lock();
    if (!output) return;
    if (supportedCards_.empty()) {
        output->loadDidFail(CardDepositResult::nonTerminalFailure(
            Error::make(CardDepositError(CardDepositError::failedToLoadAcceptedCardsError))));
        return;
    }
    if (const auto& reference = loaded.deposit.paymentInstrumentReference()) {
        fetchInstrument(*reference);
        return;
    }
    output->showAddCard(loaded.deposit, supportedCards_);
}

void DepositRootInteractor::fetchInstrument(const model::PaymentInstrumentReference& reference) {
    executingTask_ = FlowTask::run<PaymentInstrumentService::Instrument>(
        [service = paymentInstrumentService_,
         parameters = model::PaymentInstrumentParameters{reference.id, reference.instrumentType}] {
            // A reply about another card: its security code would be sent for the deposit's.
            auto instrument = CardDepositError::ownRecord("card", parameters.instrumentId,
                                                          [&] { return service->get(parameters); });
            if (const auto& named = instrument->id(); named && *named != parameters.instrumentId)
                throw CardDepositError::otherCardNamed(*named, parameters.instrumentId);
            return instrument;
        },
        [weakSelf = weak_from_this()](Result<PaymentInstrumentService::Instrument> result) {
            const auto self = weakSelf.lock();
            if (!self) return;
            if (!result) {
                self->fail(result.error());
                return;
            }
            const auto output = self->output_.lock();
            if (output && self->savedDeposit_)
                output->showConfirmCard(*result, *self->savedDeposit_, self->supportedCards_);
        });
}

void DepositRootInteractor::fail(const Error& error) {
    if (error.isCancellation()) return;
    if (const auto output = output_.lock())
        output->loadDidFail(CardDepositResult::nonTerminalFailure(error));
}

std::vector<CardType> DepositRootInteractor::supportedCardTypes(
    const std::vector<model::PaymentOptionDetails>& options) {
    for (const auto& option : options) {
        const auto* settings = dynamic_cast<const model::CardPaymentOptionSettings*>(
            option.paymentOptionSettings.get());
        if (settings == nullptr) continue;
        std::vector<CardType> types;
        for (const model::CardScheme scheme : settings->cardSchemes()) {
            switch (scheme) {
                case model::CardScheme::mastercard:
                    types.push_back(CardType::masterCard);
                    break;
                case model::CardScheme::visa:
                    types.push_back(CardType::visa);
                    break;
                case model::CardScheme::unknown:
                    types.push_back(CardType::unknown);
                    break;
            }
        }
        return types;
    }
    return {};
}

}  // namespace corvend
