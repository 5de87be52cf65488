#include "examples/wallet-cli/MoneyCommands.hpp"

#include <charconv>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Screens.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "platform/foundation/Locale.hpp"

namespace corvend::cli {

void MoneyCommands::install(CommandTable& table, std::ostream& out, std::ostream& err) {
    table.add(
        {.name = "money",
         .usage = "<amount-minor-units> <currency> [locale]",
         .summary = "format an amount in minor units as the screens show it",
         .meanings = {{"<amount-minor-units>",
                       "the amount in the currency's smallest unit: 2550 "
                       "is 25.50 EUR; a minus sign for a debit"},
                      {"<currency>", "a currency code in either case (EUR, jpy)"},
                      {"[locale]",
                       "the locale to format for, such as de_DE; the system's when "
                       "left out"}},
         .minArguments = 2,
         .maxArguments = 3,
         .handler =
             [&out, &err](const std::vector<std::string>& arguments, CommandTable::Done done) {
                 const std::string& amountText = arguments[0];
                 std::int64_t amount = 0;
                 const auto [end, error] = std::from_chars(
                     amountText.data(), amountText.data() + amountText.size(), amount);
                 if (error != std::errc() || end != amountText.data() + amountText.size()) {
                     err << "money: not a 64-bit amount: " << amountText << std::endl;
                     done(Outcome::misused);
                     return;
                 }
                 const Wallet::MoneyFormatter formatter =
                     arguments.size() > 2 ? Wallet::MoneyFormatter(platform::Locale(arguments[2]))
                                          : Wallet::MoneyFormatter();
                 const std::string text = formatter.format(amount, currencyCode(arguments[1]));
                 if (text.empty()) {
                     err << "money: no text for currency " << arguments[1] << std::endl;
                     done(Outcome::failed);
                     return;
                 }
                 out << text << std::endl;
                 done(Outcome::succeeded);
             },
         .offline = true});
}

}  // namespace corvend::cli
