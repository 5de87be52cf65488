#include "examples/wallet-cli/HistoryCommands.hpp"

#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "CorvendWallet/History.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend::cli {

namespace {

const std::string& usage() {
    static const std::string text =
        "transactions|authorizations [--limit N] [--offset N] [--from T] [--to T] [--type TYPE] "
        "[--status STATUS] | transaction <id> | authorization <id> (TYPE: " +
        joined(wireWords<Wallet::TransactionType>(), ", ") +
        "; STATUS of transactions: " + joined(wireWords<Wallet::PaymentStatus>(), ", ") +
        "; of authorizations: " + joined(wireWords<Wallet::AuthorizationStatus>(), ", ") + ")";
    return text;
}
constexpr std::string_view kTransactionOptions[] = {"limit", "offset", "from",
                                                    "to",    "type",   "status"};
constexpr std::string_view kAuthorizationOptions[] = {"limit", "offset", "from", "to", "status"};

// The list options as given, each read when present.
struct ListOptions {
    std::optional<std::int64_t> limit, offset;
    std::optional<platform::Date> from, to;
    std::optional<std::string> type, status;

    ListOptions(std::span<const std::string> words, std::span<const std::string_view> allowed) {
        for (const auto& [name, value] : optionPairs(words, allowed)) {
            if (name == "limit" || name == "offset") {
                (name == "limit" ? limit : offset) = wholeNumber(value, name);
            } else if (name == "from" || name == "to") {
                (name == "from" ? from : to) = time(value);
            } else {
                (name == "type" ? type : status) = value;
            }
        }
    }

    static platform::Date time(const std::string& text) {
        auto parsed = platform::iso8601::parseFullDate(text);
        if (!parsed) parsed = platform::iso8601::parseInternetDateTime(text);
        if (!parsed) parsed = platform::iso8601::parseInternetDateTimeWithFractionalSeconds(text);
        if (!parsed) throw std::invalid_argument("'" + text + "' is not a day or an RFC 3339 time");
        return *parsed;
    }

    // The word as E's case, refusing one E does not know.
    template <class E>
    static std::optional<E> word(const std::optional<std::string>& text, std::string_view what) {
        if (!text) return std::nullopt;
        return wireWord<E>(*text, what);
    }
};

template <class List, class Records>
std::string describeList(const List& list, const Records& records, std::string_view noun) {
    std::ostringstream out;
    out << counted(records.size(), noun);
    if (list.meta().numberOfRecords) out << " of " << *list.meta().numberOfRecords;
    for (const auto& record : records) out << "\n  " << HistoryCommands::describe(record);
    return out.str();
}

}  // namespace

std::shared_ptr<HistoryCommands> HistoryCommands::make(Wallet& wallet, std::ostream& out,
                                                       std::ostream& err) {
    return std::make_shared<HistoryCommands>(Passkey{}, wallet, out, err);
}

HistoryCommands::HistoryCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void HistoryCommands::install(CommandTable& table) {
    table.add(
        {.name = "history",
         .usage = usage(),
         .summary = "page through the transactions and card authorizations",
         .meanings = {{"--limit N", "at most N records on the page"},
                      {"--offset N", "the page starts after the first N records"},
                      {"--from T",
                       "records made at or after T: a day (2024-03-20) or an RFC 3339 "
                       "time"},
                      {"--to T", "records made before T, written as --from"},
                      {"--type TYPE", "only transactions of this type"},
                      {"--status STATUS", "only records with this status"},
                      {"<id>", "the transaction or authorization to read"}},
         .minArguments = 1,
         .maxArguments = 13,
         .handler = [self = shared_from_this()](const auto& arguments, CommandTable::Done done) {
             self->run(arguments, std::move(done));
         }});
}

std::string HistoryCommands::describe(const Wallet::Transaction& transaction) {
    std::ostringstream out;
    out << "transaction " << TerminalText::inLine(transaction.id()) << ": "
        << moneyText(transaction.amount(), transaction.currencyCode()) << " "
        << model::toWireValue(transaction.type()) << ", "
        << model::toWireValue(transaction.status()) << ", "
        << platform::iso8601::formatWithFractionalSeconds(transaction.creationTime());
    return out.str();
}

std::string HistoryCommands::describe(const Wallet::Authorization& authorization) {
    std::ostringstream out;
    out << "authorization " << TerminalText::inLine(authorization.id()) << ": "
        << moneyText(authorization.amount(), authorization.currencyCode()) << " at "
        << TerminalText::inLine(authorization.merchantName().value_or("?")) << " on "
        << TerminalText::inLine(authorization.cardID()) << ", "
        << model::toWireValue(authorization.status()) << ", "
        << platform::iso8601::formatWithFractionalSeconds(authorization.creationTime());
    return out.str();
}

void HistoryCommands::run(const std::vector<std::string>& arguments, CommandTable::Done done) {
    const auto& action = arguments.front();
    const std::span<const std::string> rest(arguments.begin() + 1, arguments.end());
    const std::string what = "history " + action;
    if (action == "transactions") {
        const ListOptions options(rest, kTransactionOptions);
        call(
            [service = wallet_.transactionHistoryService(),
             parameters = Wallet::GetTransactionHistoryParameters(
                 options.limit, options.offset, options.from, options.to,
                 ListOptions::word<Wallet::TransactionType>(options.type, "a transaction type"),
                 ListOptions::word<Wallet::PaymentStatus>(options.status,
                                                          "a transaction status"))] {
                return service->getTransactionHistory(parameters);
            },
            resultPrinter<Wallet::TransactionList>(
                out_, err_, what, std::move(done), [](const Wallet::TransactionList& list) {
                    return describeList(list, list.transactions(), "transaction");
                }));
    } else if (action == "authorizations") {
        const ListOptions options(rest, kAuthorizationOptions);
        call(
            [service = wallet_.authorizationHistory(),
             parameters = Wallet::GetAuthorizationHistoryParameters(
                 options.limit, options.offset, options.from, options.to,
                 ListOptions::word<Wallet::AuthorizationStatus>(options.status,
                                                                "an authorization status"))] {
                return service->getAuthorizationHistory(parameters);
            },
            resultPrinter<Wallet::AuthorizationList>(
                out_, err_, what, std::move(done), [](const Wallet::AuthorizationList& list) {
                    return describeList(list, list.authorizations(), "authorization");
                }));
    } else if (action == "transaction" && rest.size() == 1) {
        call(ownRecord("transaction", rest.front(), &Wallet::Transaction::id,
                       [service = wallet_.transactionHistoryService(), id = rest.front()] {
                           return service->getTransaction(id);
                       }),
             resultPrinter<Wallet::Transaction>(
                 out_, err_, what, std::move(done),
                 [](const Wallet::Transaction& one) { return describe(one); }));
    } else if (action == "authorization" && rest.size() == 1) {
        call(ownRecord("authorization", rest.front(), &Wallet::Authorization::id,
                       [service = wallet_.authorizationHistory(), id = rest.front()] {
                           return service->getAuthorization(id);
                       }),
             resultPrinter<Wallet::Authorization>(
                 out_, err_, what, std::move(done),
                 [](const Wallet::Authorization& one) { return describe(one); }));
    } else {
        err_ << "usage: history " << usage() << std::endl;
        done(Outcome::misused);
    }
}

}  // namespace corvend::cli
