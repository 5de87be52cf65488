#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/ScreenCommands.hpp"

namespace corvend::cli {

// The customer's commands:
//   profile [--include BLOCK]...     the customer, with the blocks asked for in that order
//                                    (ACCOUNTS, RESTRICTIONS, ADDRESS, CONTACTINFO,
//                                    INCOMPLETE_ONBOARDING_ATTRIBUTES)
//   accounts list | get <id> | add <currency>
//   kyc status                       the identity-verification status
//   kyc start [--ref R] [--language L]  runs the verification screen (see ScreenCommands)
// Kit calls are made in their completion form and printed from the completion, on the main
// thread.
class ProfileCommands : public std::enable_shared_from_this<ProfileCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    // `kyc start` runs on `screens`.
    static std::shared_ptr<ProfileCommands> make(Wallet& wallet,
                                                 std::shared_ptr<ScreenCommands> screens,
                                                 std::ostream& out, std::ostream& err);

    // Adds `profile`, `accounts` and `kyc` to `table`; they keep this object alive.
    void install(CommandTable& table);

    // "customer <id>: <first> <last>, born <yyyy-MM-dd>", then a line per block it holds.
    static std::string describe(const Wallet::CustomerInfo& customer);
    // "account <id>: <available> <currency>, <n> instruments" ("1 instrument").
    static std::string describe(const Wallet::Account& account);

    struct Passkey {};
    ProfileCommands(Passkey, Wallet& wallet, std::shared_ptr<ScreenCommands> screens,
                    std::ostream& out, std::ostream& err);

  private:
    void profile(const std::vector<std::string>& arguments, CommandTable::Done done);
    void accounts(const std::vector<std::string>& arguments, CommandTable::Done done);
    void kyc(const std::vector<std::string>& arguments, CommandTable::Done done);

    Wallet& wallet_;
    const std::shared_ptr<ScreenCommands> screens_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
