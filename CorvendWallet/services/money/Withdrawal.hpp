#pragma once

#include "CorvendWallet/services/money/PaymentRecord.hpp"

namespace corvend {
class WithdrawalRepository;
}  // namespace corvend

namespace corvend::model {

// One withdrawal as the service reports it: what preview, create, confirm and read return.
// It carries exactly the shared record fields (see PaymentRecord).
class Withdrawal : public PaymentRecord {
  public:
    bool operator==(const Withdrawal&) const = default;

  private:
    friend class corvend::WithdrawalRepository;

    // The repository sets every field from the reply.
    Withdrawal() = default;
};

}  // namespace corvend::model
