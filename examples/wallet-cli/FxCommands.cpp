#include "examples/wallet-cli/FxCommands.hpp"

#include <ostream>
#include <sstream>
#include <utility>

#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend::cli {

namespace {

constexpr const char* kUsage = "quote <from> <to> | get <id>";

}  // namespace

std::shared_ptr<FxCommands> FxCommands::make(Wallet& wallet, std::ostream& out, std::ostream& err) {
    return std::make_shared<FxCommands>(Passkey{}, wallet, out, err);
}

FxCommands::FxCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void FxCommands::install(CommandTable& table) {
    table.add({.name = "fx",
               .usage = kUsage,
               .summary = "ask for a currency-exchange quote, or read one back",
               .meanings = {{"<from>", "the currency to exchange, a code in either case (EUR)"},
                            {"<to>", "the currency to receive, a code in either case (usd)"},
                            {"<id>", "a quote given earlier"}},
               .minArguments = 2,
               .maxArguments = 3,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   self->run(arguments, std::move(done));
               }});
}

std::string FxCommands::describe(const Wallet::FXRate& rate) {
    std::ostringstream text;
    // The service's words keep to their lines.
    text << TerminalText::inLine("quote " + rate.id().value_or("(no id)") + ": 1 " +
                                 rate.sourceCurrency() + " = " + rate.fxRate().toString() + " " +
                                 rate.targetCurrency())
         << "\n  created " << platform::iso8601::formatWithFractionalSeconds(rate.creationTime())
         << ", expires " << platform::iso8601::formatWithFractionalSeconds(rate.expirationTime());
    if (rate.sender()) text << ", sender " << TerminalText::inLine(*rate.sender());
    return text.str();
}

void FxCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    const auto& action = arguments.front();
    const auto service = wallet_.currencyExchangeService();
    if (action == "quote" && arguments.size() == 3) {
        call(
            [service, request = Wallet::FXRateRequest{currencyCode(arguments[1]),
                                                      currencyCode(arguments[2])}] {
                return service->createQuote(request);
            },
            // `fx get` needs the quote's id, which was never shown, and no command lists quotes.
            printer("quote", std::move(done)),
            "the quote may have been made at the service; its id was not shown, so no command "
            "shows it");
    } else if (action == "get" && arguments.size() == 2) {
        call(ownRecord("quote", arguments[1], &Wallet::FXRate::id,
                       [service, id = arguments[1]] { return service->getQuote(id); }),
             printer("get", std::move(done)));
    } else {
        err_ << "usage: fx " << kUsage << std::endl;
        done(Outcome::misused);
    }
}

CurrencyExchangeService::Completion FxCommands::printer(std::string action,
                                                        CommandTable::Done done) {
    return [self = shared_from_this(), action = std::move(action),
            done = std::move(done)](Result<Wallet::FXRate> result) {
        if (!result) {
            self->err_ << "fx " << action << " failed: " << errorText(result.error()) << std::endl;
            done(failureOutcome(result.error()));
            return;
        }
        self->out_ << describe(*result) << std::endl;
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
