// quickstart: a host's first program with the kit. It configures the kit against a wallet
// service, hands it the customer's access token, lists the customer's deposits and prints their
// amounts. Usage: quickstart <base-url> [config-token] [access-token]
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Money.hpp"
#include "CorvendWallet/Screens.hpp"
#include "platform/async/MainQueue.hpp"

using corvend::Wallet;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: quickstart <base-url> [config-token] [access-token]\n";
        return 2;
    }
    const std::string configToken = argc > 2 ? argv[2] : "sandbox-config-token";
    const std::string accessToken = argc > 3 ? argv[3] : "demo-access-token";
    auto& queue = corvend::platform::MainQueue::shared();
    auto& wallet = Wallet::instance();
    int status = 1;
    const auto fail = [&](const std::string& what) {
        std::cerr << "quickstart: " << what << '\n';
        queue.stop();
    };

    // Completion forms return at once and report on the main queue, which main() drives below.
    wallet.configure({configToken, argv[1]}, [&](auto configured) {
        if (!configured) return fail(configured.error().message());
        wallet.authenticate({accessToken});
        wallet.depositService()->getAll(std::nullopt, [&](auto deposits) {
            if (!deposits) return fail(deposits.error().description());
            const Wallet::MoneyFormatter money;
            std::int64_t total = 0;
            for (const auto& deposit : deposits->deposits()) {
                std::cout << deposit.id() << ": "
                          << money.format(deposit.amount(), deposit.currencyCode()) << '\n';
                if (deposit.currencyCode() == "EUR") total += deposit.amount();
            }
            std::cout << deposits->deposits().size() << " deposits, " << money.format(total, "EUR")
                      << " in EUR\n";
            status = 0;
            queue.stop();
        });
    });
    queue.run();  // the host's event loop: completions run here
    return status;
}
