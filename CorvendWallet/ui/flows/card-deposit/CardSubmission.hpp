#pragma once

#include <functional>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"

namespace corvend {

// The outcome rule of a card screen: it reports one outcome to the flow. While a card is being
// submitted a close waits for the create step's answer; a failure then reports the failure and
// a success reports the close, as nothing is charged before the summary's confirm. Main thread.
class CardSubmission {
  public:
    explicit CardSubmission(std::function<void(CardDepositState)> completionHandler)
        : completionHandler_(std::move(completionHandler)) {}

    // Whether a submit may start now; it is then in flight.
    bool begin();
    void close();
    void succeeded(const model::CustomerDeposit& deposit, const CardDetails& cardDetails);
    void failed(const Error& error);

  private:
    void report(CardDepositState state);

    std::function<void(CardDepositState)> completionHandler_;
    bool submitting_ = false;
    bool closeRequested_ = false;
    bool finished_ = false;
};

}  // namespace corvend
