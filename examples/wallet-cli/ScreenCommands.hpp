#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/LineSource.hpp"
#include "examples/wallet-cli/ScreenDriver.hpp"

namespace corvend::cli {

// The commands that run the kit's web screens headless, as a person would:
//   secure-details <card-id>                 the screen's snapshot and the page it loaded, or
//                                            why it failed
//   kyc start [--ref R] [--language L]       shows the verification page and its links for
//                                            the person to follow (see ScreenDriver), then
//                                            prints the screen's VerificationResult
// The screens are used on the main thread; the commands watch them until they settle.
class ScreenCommands : public std::enable_shared_from_this<ScreenCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    // The verification page is answered from `answers`.
    static std::shared_ptr<ScreenCommands> make(Wallet& wallet, std::shared_ptr<LineSource> answers,
                                                std::ostream& out, std::ostream& err);

    // Adds `secure-details` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // `kyc start`'s work; `arguments` are the words after "start".
    void startVerification(const std::vector<std::string>& arguments, CommandTable::Done done);

    static std::string describe(Wallet::VerificationResult result);

    struct Passkey {};
    ScreenCommands(Passkey, Wallet& wallet, std::shared_ptr<LineSource> answers, std::ostream& out,
                   std::ostream& err);

  private:
    void secureDetails(const std::vector<std::string>& arguments, CommandTable::Done done);
    // The secure-details screen shows only a picture when it fails: the card read through the
    // same service says why (no such card, not signed in), and that is printed.
    void explainFailure(const std::string& cardID, CommandTable::Done done);
    // Calls `step` on the main thread every few milliseconds until it returns true, or gives
    // up after a while and calls `timedOut` there.
    static void watch(std::function<bool()> step, std::function<void()> timedOut);

    Wallet& wallet_;
    const std::shared_ptr<ScreenDriver> driver_;
    std::ostream& out_;
    std::ostream& err_;
    // The verification screen while it is up.
    std::shared_ptr<Wallet::CustomerVerificationScreen> verification_;
    // It as a step of the command under way (see CommandRun).
    std::shared_ptr<void> verificationStep_;
};

}  // namespace corvend::cli
