#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class ProfileMapping;
}  // namespace corvend

namespace corvend::model {

// A restriction on the customer's wallet and what the service asks of the customer to lift it.
// Only the kit makes one, from the service's reply.
class UserRestriction {
  public:
    // What the restriction covers; `other` also for a name the kit does not know.
    enum class Name {
        allTransactions,
        outgoingTransactions,
        incomingTransactions,
        sendMoney,
        incomingTransactionsAndSendMoney,
        cardDeposits,
        cardAndACHDeposits,
        deposits,
        outgoingTransactionsAndCardDeposits,
        outgoingTransactionsAndACHDeposits,
        depositsAndWithdrawals,
        cryptoTransactions,
        other
    };

    // What the customer must do; `other` also for an action the kit does not know.
    enum class RequiredAction {
        contactCustomerService,
        kycVerification,
        bankAccountVerification,
        pepDeclaration,
        wait,
        other
    };

    const std::string& id() const noexcept { return id_; }
    Name name() const noexcept { return name_; }
    // In the reply's order; empty when the service names none.
    const std::vector<RequiredAction>& requiredActions() const noexcept { return requiredActions_; }
    const std::optional<platform::Date>& lastChangeDate() const noexcept { return lastChangeDate_; }
    const std::optional<platform::Date>& activationTime() const noexcept { return activationTime_; }
    const std::optional<platform::Date>& dueDate() const noexcept { return dueDate_; }

    friend bool operator==(const UserRestriction&, const UserRestriction&) = default;

  private:
    friend class corvend::ProfileMapping;

    UserRestriction() = default;

    std::string id_;
    Name name_ = Name::other;
    std::vector<RequiredAction> requiredActions_;
    std::optional<platform::Date> lastChangeDate_;
    std::optional<platform::Date> activationTime_;
    std::optional<platform::Date> dueDate_;
};

// Read only; "OTHER" and every string not listed read as `other`.
template <>
struct WireValues<UserRestriction::Name> {
    using Name = UserRestriction::Name;
    static constexpr auto table = wireValueTable(
        Name::other, "OTHER",
        {{Name::allTransactions, "ALL_TRANSACTIONS"},
         {Name::outgoingTransactions, "OUTGOING_TRANSACTIONS"},
         {Name::incomingTransactions, "INCOMING_TRANSACTIONS"},
         {Name::sendMoney, "SEND_MONEY"},
         {Name::incomingTransactionsAndSendMoney, "INCOMING_TRANSACTIONS_AND_SEND_MONEY"},
         {Name::cardDeposits, "CARD_DEPOSITS"},
         {Name::cardAndACHDeposits, "CARD_AND_ACH_DEPOSITS"},
         {Name::deposits, "DEPOSITS"},
         {Name::outgoingTransactionsAndCardDeposits, "OUTGOING_TRANSACTIONS_AND_CARD_DEPOSITS"},
         {Name::outgoingTransactionsAndACHDeposits, "OUTGOING_TRANSACTIONS_AND_ACH_DEPOSITS"},
         {Name::depositsAndWithdrawals, "DEPOSITS_AND_WITHDRAWALS"},
         {Name::cryptoTransactions, "CRYPTO_TRANSACTIONS"}});
};

// Read only; "OTHER" and every string not listed read as `other`.
template <>
struct WireValues<UserRestriction::RequiredAction> {
    using Action = UserRestriction::RequiredAction;
    static constexpr auto table =
        wireValueTable(Action::other, "OTHER",
                       {{Action::contactCustomerService, "CONTACT_CUSTOMER_SERVICE"},
                        {Action::kycVerification, "KYC_VERIFICATION"},
                        {Action::bankAccountVerification, "BANK_ACCOUNT_VERIFICATION"},
                        {Action::pepDeclaration, "PEP_DECLARATION"},
                        {Action::wait, "WAIT"}});
};

}  // namespace corvend::model
