#include "examples/wallet-cli/WithdrawalCommands.hpp"

#include <charconv>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>

namespace corvend::cli {

namespace {

constexpr const char* kUsage =
    "options | preview <amount> <currency> <option> [merchantRef] | create <id> | "
    "confirm <id> | list [limit] [offset] | get <id>";

std::optional<std::int64_t> integer(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string text(const std::vector<model::PaymentOptionDetails>& options) {
    std::ostringstream out;
    out << options.size() << " withdrawal option(s)";
    for (const auto& option : options) {
        out << "\n  "
            << model::toWireValue(option.paymentOption.value_or(model::PaymentOptionType::unknown));
    }
    return out.str();
}

std::string text(const model::WithdrawalList& list) {
    std::ostringstream out;
    out << list.withdrawals().size() << " withdrawal(s)";
    if (list.meta() && list.meta()->numberOfRecords) {
        out << " of " << *list.meta()->numberOfRecords;
    }
    for (const auto& withdrawal : list.withdrawals()) {
        out << "\n" << WithdrawalCommands::describe(withdrawal);
    }
    return out.str();
}

std::string text(const model::Withdrawal& withdrawal) {
    return WithdrawalCommands::describe(withdrawal);
}

}  // namespace

std::shared_ptr<WithdrawalCommands> WithdrawalCommands::make(Wallet& wallet, std::ostream& out,
                                                             std::ostream& err) {
    return std::make_shared<WithdrawalCommands>(Passkey{}, wallet, out, err);
}

WithdrawalCommands::WithdrawalCommands(Passkey, Wallet& wallet, std::ostream& out,
                                       std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void WithdrawalCommands::install(CommandTable& table) {
    table.add({.name = "withdrawal",
               .usage = kUsage,
               .summary = "preview, create, confirm and read withdrawals",
               .minArguments = 1,
               .maxArguments = 5,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   self->run(arguments, std::move(done));
               }});
}

std::string WithdrawalCommands::describe(const Wallet::Withdrawal& withdrawal) {
    std::ostringstream out;
    out << "withdrawal " << withdrawal.id() << ": " << withdrawal.amount() << " "
        << withdrawal.currencyCode() << " by " << model::toWireValue(withdrawal.paymentOption())
        << ", " << model::toWireValue(withdrawal.status());
    for (const auto& fee : withdrawal.fees()) {
        out << "\n  fee " << fee.amount << " " << fee.currency.value_or("") << " "
            << model::toWireValue(fee.paymentReason);
    }
    return out.str();
}

void WithdrawalCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    if (!start(arguments, done)) {
        err_ << "usage: withdrawal " << kUsage << std::endl;
        done(Outcome::failed);
    }
}

bool WithdrawalCommands::start(const std::vector<std::string>& arguments,
                               CommandTable::Done& done) {
    const auto service = wallet_.withdrawalService();
    const auto& action = arguments.front();
    const auto count = arguments.size();
    // The handles are not kept: dropping one never cancels, and nothing here cancels.
    if (action == "options" && count == 1) {
        service->getOptions(printer<std::vector<model::PaymentOptionDetails>>(action, done));
    } else if (action == "preview" && (count == 4 || count == 5)) {
        const auto amount = integer(arguments[1]);
        if (!amount) return false;
        service->preview(
            {*amount, arguments[2], model::fromWire<model::PaymentOptionType>(arguments[3]),
             std::nullopt, count == 5 ? std::optional(arguments[4]) : std::nullopt, std::nullopt},
            printer<model::Withdrawal>(action, done));
    } else if (action == "create" && count == 2) {
        service->create({arguments[1], std::nullopt}, printer<model::Withdrawal>(action, done));
    } else if (action == "confirm" && count == 2) {
        service->confirm({arguments[1], std::nullopt}, printer<model::Withdrawal>(action, done));
    } else if (action == "get" && count == 2) {
        service->get(arguments[1], printer<model::Withdrawal>(action, done));
    } else if (action == "list" && count <= 3) {
        const auto limit = count > 1 ? integer(arguments[1]) : std::nullopt;
        const auto offset = count > 2 ? integer(arguments[2]) : std::nullopt;
        if ((count > 1 && !limit) || (count > 2 && !offset)) return false;
        std::optional<model::GetWithdrawalsParameters> parameters;
        if (count > 1) parameters.emplace(limit, std::nullopt, offset, std::nullopt);
        service->getAll(std::move(parameters), printer<model::WithdrawalList>(action, done));
    } else {
        return false;
    }
    return true;
}

template <class T>
std::function<void(Result<T>)> WithdrawalCommands::printer(std::string action,
                                                           CommandTable::Done done) {
    return [self = shared_from_this(), action = std::move(action),
            done = std::move(done)](Result<T> result) {
        if (!result) {
            self->err_ << "withdrawal " << action << " failed: " << result.error().description()
                       << std::endl;
            done(Outcome::failed);
            return;
        }
        self->out_ << text(*result) << std::endl;
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
