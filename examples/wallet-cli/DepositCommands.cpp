#include "examples/wallet-cli/DepositCommands.hpp"

#include <charconv>
#include <ostream>
#include <sstream>
#include <utility>

#include "CorvendWallet/core/models/WireValueTable.hpp"

namespace corvend::cli {

namespace {

constexpr const char* kUsage = "options | list | get <id> | run <amount> <currency>";

}  // namespace

std::shared_ptr<DepositCommands> DepositCommands::make(Wallet& wallet, std::ostream& out,
                                                       std::ostream& err) {
    return std::make_shared<DepositCommands>(Passkey{}, wallet, out, err);
}

DepositCommands::DepositCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void DepositCommands::install(CommandTable& table) {
    table.add({.name = "deposit",
               .usage = kUsage,
               .summary = "list or read deposits, or run one from preview to confirm",
               .minArguments = 1,
               .maxArguments = 3,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   self->run(arguments, std::move(done));
               }});
}

std::string DepositCommands::describe(const Wallet::CustomerDeposit& deposit) {
    std::ostringstream text;
    text << "deposit " << deposit.id() << ": " << deposit.amount() << " " << deposit.currencyCode()
         << " " << model::toWireValue(deposit.paymentOption()) << " "
         << model::toWireValue(deposit.status());
    if (deposit.redirectUrl() && deposit.redirectUrl()->href()) {
        text << ", visit " << *deposit.redirectUrl()->href();
    }
    return text.str();
}

void DepositCommands::failed(const Error& error, const std::string& action,
                             const CommandTable::Done& done) {
    err_ << "deposit " << action << " failed: " << error.description() << std::endl;
    done(Outcome::failed);
}

void DepositCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    const auto& action = arguments.front();
    auto service = wallet_.depositService();
    // The handles are not kept: dropping one never cancels, and nothing here cancels.
    if (action == "options" && arguments.size() == 1) {
        service->getOptions([self = shared_from_this(),
                             done](Result<std::vector<model::PaymentOptionDetails>> result) {
            if (!result) return self->failed(result.error(), "options", done);
            for (const auto& option : *result) {
                self->out_ << "option "
                           << model::toWireValue(
                                  option.paymentOption.value_or(model::PaymentOptionType::unknown))
                           << std::endl;
            }
            done(Outcome::succeeded);
        });
    } else if (action == "list" && arguments.size() == 1) {
        service->getAll(std::nullopt, [self = shared_from_this(),
                                       done](Result<Wallet::CustomerDepositList> result) {
            if (!result) return self->failed(result.error(), "list", done);
            for (const auto& deposit : result->deposits()) self->out_ << describe(deposit) << "\n";
            self->out_ << result->deposits().size() << " of "
                       << result->meta()->numberOfRecords.value_or(0) << " deposits" << std::endl;
            done(Outcome::succeeded);
        });
    } else if (action == "get" && arguments.size() == 2) {
        service->get(arguments[1], step("get", std::move(done), {}));
    } else if (std::int64_t amount = 0;
               action == "run" && arguments.size() == 3 &&
               std::from_chars(arguments[1].data(), arguments[1].data() + arguments[1].size(),
                               amount)
                       .ec == std::errc{}) {
        runDeposit(amount, arguments[2], std::move(done));
    } else {
        err_ << "usage: deposit " << kUsage << std::endl;
        done(Outcome::failed);
    }
}

void DepositCommands::runDeposit(std::int64_t amount, std::string currency,
                                 CommandTable::Done done) {
    auto service = wallet_.depositService();
    auto confirm = [self = shared_from_this(), service,
                    done](const Wallet::CustomerDeposit& created) {
        service->confirm(Wallet::DepositConfirm(created.id(), std::nullopt),
                         self->step("confirm", done, {}));
    };
    auto create = [self = shared_from_this(), service, done,
                   confirm](const Wallet::CustomerDeposit& previewed) {
        service->create(Wallet::DepositCreate(previewed.id(), std::nullopt, nullptr),
                        self->step("create", done, confirm));
    };
    service->preview(
        Wallet::DepositRequest(amount, std::move(currency), model::PaymentOptionType::bankTransfer,
                               std::nullopt, "cli-demo", std::nullopt, std::nullopt),
        step("preview", std::move(done), create));
}

DepositService::Completion DepositCommands::step(
    std::string name, CommandTable::Done done,
    std::function<void(const Wallet::CustomerDeposit&)> next) {
    return [self = shared_from_this(), name = std::move(name), done = std::move(done),
            next = std::move(next)](Result<Wallet::CustomerDeposit> result) {
        if (!result) return self->failed(result.error(), name, done);
        self->out_ << name << " " << describe(*result) << std::endl;
        if (next) return next(*result);
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
