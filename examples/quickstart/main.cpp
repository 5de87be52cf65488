// quickstart <base-url>: configures the kit against a wallet service, hands it the customer's
// access token and prints the amounts of the customer's deposits, or says what failed.
#include <iostream>
#include <optional>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Money.hpp"
#include "CorvendWallet/Screens.hpp"
#include "platform/async/MainQueue.hpp"

using corvend::Wallet;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quickstart <base-url>\n";
        return 2;
    }
    auto& queue = corvend::platform::MainQueue::shared();
    auto& wallet = Wallet::instance();
    int status = 1;
    // Completion forms return at once and report on the main queue, driven below.
    wallet.configure({"sandbox-config-token", argv[1]}, [&](auto configured) {
        if (!configured) {
            // The message and its code: "ConfigurationError: Invalid base URL [C0001]".
            std::cerr << configured.error().errorDescription() << '\n';
            return queue.stop();
        }
        wallet.authenticate({"demo-access-token"});
        wallet.depositService()->getAll(std::nullopt, [&](auto deposits) {
            if (!deposits) {
                // A WalletError names its code, as "Internal error. [I0404]"; a URLError says
                // what the transport met.
                std::cerr << deposits.error().description() << '\n';
            } else {
                const Wallet::MoneyFormatter money;
                for (const auto& deposit : deposits->deposits())
                    std::cout << money.format(deposit.amount(), deposit.currencyCode()) << '\n';
                status = 0;
            }
            queue.stop();
        });
    });
    queue.run();  // the host's event loop: completions run here
    return status;
}
