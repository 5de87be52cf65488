#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/TerminalURLOpener.hpp"

namespace corvend::cli {

// The saved-instrument commands:
//   instruments list [TYPE]
//   instruments get <TYPE> <id>
//   instruments delete <TYPE> <id>
//   instruments verify <TYPE> <returnUrl>   starts a session, opens its page, and reads the
//                                           session when the page returns (as `complete`)
//   instruments complete <returnUrl>        reads the session the page returned to
// The session's page opens in the terminal, through the host's opener that the kit is given
// (Wallet::setURLOpener). Kit calls are made in their completion form and printed from the
// completion, on the main thread.
class InstrumentCommands : public std::enable_shared_from_this<InstrumentCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<InstrumentCommands> make(Wallet& wallet,
                                                    std::shared_ptr<TerminalURLOpener> opener,
                                                    std::ostream& out, std::ostream& err);

    // Adds `instruments` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // One line per instrument: "<TYPE> <id> <STATUS> <what identifies it>".
    static std::string describe(const Wallet::PaymentInstrument& instrument);

    struct Passkey {};
    InstrumentCommands(Passkey, Wallet& wallet, std::shared_ptr<TerminalURLOpener> opener,
                       std::ostream& out, std::ostream& err);

  private:
    bool start(const std::vector<std::string>& arguments, const CommandTable::Done& done);
    void verify(const Wallet::InstrumentVerificationRequest& request, CommandTable::Done done);
    // The completion of a verification's read: prints it as read, and ends `succeeded` only
    // for a verification that reads COMPLETED.
    std::function<void(Result<Wallet::InstrumentVerification>)> readBack(std::string action,
                                                                         CommandTable::Done done);
    template <class T>
    std::function<void(Result<T>)> printer(std::string action, CommandTable::Done done,
                                           std::function<std::string(const T&)> describe);

    Wallet& wallet_;
    const std::shared_ptr<TerminalURLOpener> opener_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
