#include "examples/wallet-cli/TransferCommands.hpp"

#include <charconv>
#include <ostream>
#include <sstream>
#include <utility>

namespace corvend::cli {

namespace {

constexpr const char* kUsage = "send <amount> <currency> <email> | list | get <id>";

}  // namespace

std::shared_ptr<TransferCommands> TransferCommands::make(Wallet& wallet, std::ostream& out,
                                                         std::ostream& err) {
    return std::make_shared<TransferCommands>(Passkey{}, wallet, out, err);
}

TransferCommands::TransferCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void TransferCommands::install(CommandTable& table) {
    table.add({.name = "transfer",
               .usage = kUsage,
               .summary = "send money to another customer, or list and read transfers",
               .minArguments = 1,
               .maxArguments = 4,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   self->run(arguments, std::move(done));
               }});
}

std::string TransferCommands::describe(const Wallet::CustomerTransfer& transfer) {
    std::ostringstream text;
    text << "transfer " << transfer.id() << ": " << transfer.amount() << " "
         << transfer.currencyCode();
    if (const auto& recipient = transfer.recipient()) {
        text << " to " << recipient->email().value_or(recipient->customerID().value_or("?"));
    }
    text << ", " << model::toWireValue(transfer.status());
    return text.str();
}

template <class T>
bool TransferCommands::succeeded(const Result<T>& result, const char* step,
                                 const CommandTable::Done& done) {
    if (result) return true;
    err_ << "transfer " << step << " failed: " << result.error().description() << std::endl;
    done(Outcome::failed);
    return false;
}

void TransferCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    const auto& action = arguments.front();
    std::int64_t amount = 0;
    if (action == "send" && arguments.size() == 4) {
        const auto& text = arguments[1];
        const auto parsed = std::from_chars(text.data(), text.data() + text.size(), amount);
        if (parsed.ec == std::errc() && parsed.ptr == text.data() + text.size()) {
            send(amount, arguments[2], arguments[3], std::move(done));
            return;
        }
    } else if (action == "list" && arguments.size() == 1) {
        wallet_.transferService()->getAll(
            std::nullopt, [self = shared_from_this(),
                           done = std::move(done)](Result<Wallet::CustomerTransferList> result) {
                if (!self->succeeded(result, "list", done)) return;
                for (const auto& transfer : result->transfers()) {
                    self->out_ << describe(transfer) << "\n";
                }
                self->out_ << result->transfers().size() << " of "
                           << result->meta()->numberOfRecords.value_or(0) << std::endl;
                done(Outcome::succeeded);
            });
        return;
    } else if (action == "get" && arguments.size() == 2) {
        wallet_.transferService()->get(
            arguments[1], [self = shared_from_this(),
                           done = std::move(done)](Result<Wallet::CustomerTransfer> result) {
                if (!self->succeeded(result, "get", done)) return;
                self->out_ << describe(*result) << std::endl;
                done(Outcome::succeeded);
            });
        return;
    }
    err_ << "usage: transfer " << kUsage << std::endl;
    done(Outcome::failed);
}

void TransferCommands::send(std::int64_t amount, std::string currency, std::string email,
                            CommandTable::Done done) {
    using Recipient = Wallet::CustomerTransfer::CustomerTransferRecipient;
    auto service = wallet_.transferService();
    Wallet::CustomerTransferRequest request(
        amount, std::move(currency), Recipient::withEmail(std::move(email)), std::nullopt,
        std::nullopt, {model::TransferDetails::Reason::peerTransfer, "sent from wallet-cli"});
    auto self = shared_from_this();
    service->preview(std::move(request), [self, service,
                                          done](Result<Wallet::CustomerTransfer> previewed) {
        if (!self->succeeded(previewed, "preview", done)) return;
        self->out_ << "previewed " << describe(*previewed) << std::endl;
        service->create({previewed->id(), std::nullopt},
                        [self, service, done](Result<Wallet::CustomerTransfer> created) {
                            if (!self->succeeded(created, "create", done)) return;
                            service->confirm(
                                {created->id(), std::nullopt},
                                [self, done](Result<Wallet::CustomerTransfer> confirmed) {
                                    if (!self->succeeded(confirmed, "confirm", done)) return;
                                    self->out_ << "confirmed " << describe(*confirmed) << std::endl;
                                    done(Outcome::succeeded);
                                });
                        });
    });
}

}  // namespace corvend::cli
