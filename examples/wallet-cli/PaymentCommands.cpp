#include "examples/wallet-cli/PaymentCommands.hpp"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "CorvendWallet/Money.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"

namespace corvend::cli {

// What a preview is made of: the amount and currency, the domain's own word (an option or an
// email) and the merchant reference.
struct Terms {
    std::int64_t amount = 0;
    std::string currency;
    std::optional<std::string> word;
    std::optional<std::string> merchantRef;

    // The word, in either case, as a payment option, `fallback` when there is none; throws
    // std::invalid_argument for a word that names none.
    Wallet::PaymentOptionType option(std::string_view fallback = "") const {
        return wireWord<Wallet::PaymentOptionType>(word.value_or(std::string(fallback)),
                                                   "a payment option");
    }
};

namespace {

using Words = std::span<const std::string>;

std::optional<std::string> optionalWord(Words words, std::size_t index) {
    return index < words.size() ? std::optional(words[index]) : std::nullopt;
}

// The one printer of a deposit, withdrawal or transfer: "<noun> <id>: <amount> <currency>
// [by <option>][ to <recipient>], <STATUS>", then its fees and the address a redirect asks
// the customer to visit. Amounts as the money formatter shows them; the service's words escaped.
template <class Record>
std::string describe(std::string_view noun, const Record& record) {
    std::ostringstream out;
    out << noun << " " << TerminalText::inLine(record.id()) << ": "
        << moneyText(record.amount(), record.currencyCode());
    if constexpr (requires { record.paymentOption(); }) {
        out << " by " << model::toWireValue(record.paymentOption());
    }
    if constexpr (requires { record.recipient(); }) {
        if (const auto& recipient = record.recipient()) {
            out << " to "
                << TerminalText::inLine(
                       recipient->email().value_or(recipient->customerID().value_or("?")));
        }
    }
    out << ", " << model::toWireValue(record.status());
    for (const auto& fee : record.fees()) {
        out << "\n  fee " << moneyText(fee.amount, fee.currency.value_or(record.currencyCode()))
            << " " << model::toWireValue(fee.paymentReason);
    }
    if constexpr (requires { record.redirectUrl(); }) {
        if (record.redirectUrl() && record.redirectUrl()->href()) {
            out << "\n  visit " << TerminalText::inLine(*record.redirectUrl()->href());
        }
    }
    return out.str();
}

template <class Record>
std::string describe(std::string_view noun, const std::vector<Record>& records,
                     const std::optional<Wallet::PagingResultMeta>& meta) {
    std::ostringstream out;
    out << counted(records.size(), noun);
    if (meta && meta->numberOfRecords) out << " of " << *meta->numberOfRecords;
    for (const auto& record : records) out << "\n" << describe(noun, record);
    return out.str();
}

std::string describe(std::string_view noun, const std::vector<Wallet::PaymentOptionDetails>& all) {
    std::ostringstream out;
    out << counted(all.size(), std::string(noun) + " option");
    for (const auto& option : all) {
        out << "\n  "
            << model::toWireValue(
                   option.paymentOption.value_or(Wallet::PaymentOptionType::unknown));
    }
    return out.str();
}

// What a change of `noun` `id` whose end was not seen leaves unknown (see endUnseen), and the
// read that shows it: `shown` when a run printed the record before this step.
std::string stepLeft(std::string_view noun, const std::string& id, std::string_view step,
                     bool shown) {
    const std::string named = std::string(noun) + " " + TerminalText::inLine(id);
    return mayHaveReached(shown ? named + " exists; its " + std::string(step)
                                : "the " + std::string(step) + " of " + named,
                          std::string(noun) + " get " + TerminalText::inLine(id));
}

// The run's terms as `previewed` states them, when they differ from those `asked`: the amount,
// the currency and, for a transfer, the recipient.
template <class Record>
std::optional<std::string> otherTerms(const Terms& asked, const Record& previewed) {
    std::optional<std::string> recipient;
    bool same = previewed.amount() == asked.amount && previewed.currencyCode() == asked.currency;
    if constexpr (requires { previewed.recipient(); }) {
        const auto& named = previewed.recipient();
        recipient = named ? (named->email() ? named->email() : named->customerID()) : std::nullopt;
        // A recipient the reply does not state is no other recipient.
        if (recipient) same = same && sameWord(*recipient, asked.word.value_or(""));
    }
    if (same) return std::nullopt;
    return termsText(previewed.amount(), previewed.currencyCode(), recipient);
}

}  // namespace

// What a step's reply must be for the command to go on: about the record `id` the step was
// sent for (none for a preview, which makes it), of the run's `terms` (none for one step alone),
// and not FAILED. `step` names the change ("creation"), `next` the run's step its reply would
// start ("" when none), `run` the run it belongs to ("" for one step alone).
struct PaymentStep {
    std::string id;
    std::string step;
    std::string next;
    std::string run;
    std::optional<Terms> terms{};
};

// What sets the domains apart: their names (`run` empty for a domain without the whole flow;
// the terms need at least `least` words), the preview request made of the terms, the service,
// the list's records and parameters, and the create step's request.
struct Names {
    std::string_view noun, run, terms;
    std::size_t least;
};

struct Deposits {
    static constexpr Names kNames{"deposit", "run", "<amount> <currency> [option] [ref]", 2};
    // Sent only when the service offers it, as any option of a deposit.
    static constexpr std::string_view kDefaultOption = "BANK_TRANSFER";
    static CommandTable::Meaning word() {
        return {"[option]",
                "a payment option the service offers for deposits ('deposit options' "
                "lists them); " +
                    std::string(kDefaultOption) + " when left out"};
    }
    static Wallet::DepositRequest request(const Terms& t) {
        return {t.amount, t.currency, t.option(kDefaultOption), {}, t.merchantRef, {}, {}};
    }
    static constexpr auto kService = &Wallet::depositService;
    static constexpr auto kRecords = &Wallet::CustomerDepositList::deposits;
    using Parameters = Wallet::GetDepositsParameters;
    static Wallet::DepositCreate create(std::string id) { return {std::move(id), {}, nullptr}; }
};

struct Withdrawals {
    static constexpr Names kNames{"withdrawal", "", "<amount> <currency> <option> [ref]", 3};
    static CommandTable::Meaning word() {
        return {"<option>",
                "a payment option ('withdrawal options' lists those the service "
                "offers)"};
    }
    static Wallet::WithdrawalRequest request(const Terms& t) {
        return {t.amount, t.currency, t.option(), {}, t.merchantRef, {}};
    }
    static constexpr auto kService = &Wallet::withdrawalService;
    static constexpr auto kRecords = &Wallet::WithdrawalList::withdrawals;
    using Parameters = Wallet::GetWithdrawalsParameters;
    static Wallet::WithdrawalCreate create(std::string id) { return {std::move(id), {}}; }
};

struct Transfers {
    static constexpr Names kNames{"transfer", "send", "<amount> <currency> <email> [ref]", 3};
    static CommandTable::Meaning word() { return {"<email>", "the recipient's email address"}; }
    static Wallet::CustomerTransferRequest request(const Terms& t) {
        return {t.amount,
                t.currency,
                Wallet::CustomerTransferRequest::Recipient::withEmail(*t.word),
                t.merchantRef,
                {},
                {Wallet::TransferDetails::Reason::peerTransfer, "sent from wallet-cli"}};
    }
    static constexpr auto kService = &Wallet::transferService;
    static constexpr auto kRecords = &Wallet::CustomerTransferList::transfers;
    using Parameters = Wallet::GetTransferParameters;
    static Wallet::TransferCreate create(std::string id) { return {std::move(id), {}}; }
};

template <class Domain>
std::shared_ptr<PaymentCommands<Domain>> PaymentCommands<Domain>::make(Wallet& wallet,
                                                                       std::ostream& out,
                                                                       std::ostream& err) {
    return std::make_shared<PaymentCommands>(Passkey{}, wallet, out, err);
}

template <class Domain>
PaymentCommands<Domain>::PaymentCommands(Passkey, Wallet& wallet, std::ostream& out,
                                         std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

template <class Domain>
void PaymentCommands<Domain>::install(CommandTable& table) {
    using Service = typename decltype((wallet_.*Domain::kService)())::element_type;
    const auto& names = Domain::kNames;
    std::string usage = "preview" + (names.run.empty() ? "" : "|" + std::string(names.run)) + " " +
                        std::string(names.terms) +
                        " | create|confirm|get <id> | list [limit] [offset] [ref] [slipID]";
    if constexpr (requires(Service & service) { service.getOptions(); }) usage += " | options";
    const std::string noun(names.noun);
    table.add(
        {.name = noun,
         .usage = usage,
         .summary = noun + "s step by step" +
                    (names.run.empty() ? "" : ", or all at once with " + std::string(names.run)),
         .meanings = {{"<amount>", "in the currency's major units: 25 or 25.50 EUR, 2500 JPY"},
                      {"<currency>", "a currency code in either case (EUR, usd)"},
                      Domain::word(),
                      {"[ref]", "the merchant reference: sent with a preview, or the one to list"},
                      {"<id>", "the " + noun + " a preview made"},
                      {"[limit]", "at most this many " + noun + "s on the page"},
                      {"[offset]", "the page starts after this many " + noun + "s"},
                      {"[slipID]", "only the " + noun + "s of this slip"}},
         .minArguments = 1,
         .maxArguments = 5,
         .handler = [self = this->shared_from_this(), usage](
                        const std::vector<std::string>& arguments, CommandTable::Done done) {
             if (self->start(arguments, done)) return;
             self->err_ << "usage: " << Domain::kNames.noun << " " << usage << std::endl;
             done(Outcome::misused);
         }});
}

template <class Domain>
bool PaymentCommands<Domain>::start(const std::vector<std::string>& arguments,
                                    const CommandTable::Done& done) {
    const auto service = (wallet_.*Domain::kService)();
    using Record = decltype(service->get(std::string()));
    using List = decltype(service->getAll(std::nullopt));
    const std::string& action = arguments.front();
    const Words words = Words(arguments).subspan(1);
    const auto terms = [&] {
        const std::string currency = currencyCode(words[1]);
        // Refused here, by name: the kit refuses a body it cannot write as UTF-8 ("I0002")
        // without saying which word.
        for (std::size_t index = 2; index < std::min<std::size_t>(words.size(), 4); ++index) {
            if (!isUTF8(words[index]))
                throw std::invalid_argument((index == 2 ? Domain::word().argument : "[ref]") +
                                            " '" + words[index] + "' is not UTF-8 text, which a " +
                                            std::string(Domain::kNames.noun) +
                                            " cannot carry: nothing was sent");
        }
        return Terms{amountIn(words[0], currency), currency, optionalWord(words, 2),
                     optionalWord(words, 3)};
    };
    const bool withTerms = words.size() >= Domain::kNames.least;
    // What a change whose end was not seen leaves unknown (see endUnseen): a preview makes a
    // record no one has seen yet; a step of a record named is that record's own.
    const std::string noun(Domain::kNames.noun);
    const std::string previewLeft =
        "the " + noun + " may have reached the service " + asNewestOf(noun + " list");
    if ((action == "preview" || action == Domain::kNames.run) && withTerms) {
        auto self = this->shared_from_this();
        const bool run = action == Domain::kNames.run;
        std::function<void(const Terms&, const Record&)> next;
        if (run) {
            // Each step is sent for the record previewed, its reply held to the terms chosen.
            next = [self, service, done, noun, action](const Terms& chosen,
                                                       const Record& previewed) {
                const std::string id = previewed.id();
                auto confirm = [self, service, done, noun, action, id, chosen](const Record&) {
                    call(
                        [service, id] {
                            return service->confirm({id, std::nullopt});
                        },
                        self->template step<Record>("confirm",
                                                    {id, "confirmation", "", action, chosen}, done),
                        stepLeft(noun, id, "confirmation", true));
                };
                call([service, id] { return service->create(Domain::create(id)); },
                     self->template step<Record>(
                         "create", {id, "creation", "confirmation", action, chosen}, done, confirm),
                     stepLeft(noun, id, "creation", true));
            };
        }
        const auto preview = [self, service, done, next, previewLeft, action](const Terms& chosen) {
            std::function<void(const Record&)> created;
            if (next)
                created = [next, chosen](const Record& previewed) { next(chosen, previewed); };
            call([service, request = Domain::request(chosen)] { return service->preview(request); },
                 self->template step<Record>(
                     "preview",
                     next ? PaymentStep{"", "preview", "creation", action, chosen}
                          : PaymentStep{"", "preview", "", ""},
                     done, created),
                 previewLeft);
        };
        if constexpr (requires { Domain::kDefaultOption; }) {
            self->offeredOption(terms(), action, done, preview);
        } else {
            preview(terms());
        }
    } else if (action == "create" && words.size() == 1) {
        call([service, id = words[0]] { return service->create(Domain::create(id)); },
             step<Record>(action, {words[0], "creation", "", ""}, done),
             stepLeft(noun, words[0], "creation", false));
    } else if (action == "confirm" && words.size() == 1) {
        call(
            [service, id = words[0]] {
                return service->confirm({id, std::nullopt});
            },
            step<Record>(action, {words[0], "confirmation", "", ""}, done),
            stepLeft(noun, words[0], "confirmation", false));
    } else if (action == "get" && words.size() == 1) {
        call(ownRecord(noun, words[0], &Record::id,
                       [service, id = words[0]] { return service->get(id); }),
             printer<Record>(action, done));
    } else if (action == "list") {
        std::optional<typename Domain::Parameters> parameters;
        if (!words.empty()) {
            const auto count = [&](std::size_t index, std::string_view what) {
                return index < words.size() ? std::optional(wholeNumber(words[index], what))
                                            : std::nullopt;
            };
            parameters.emplace(count(0, "limit"), optionalWord(words, 2), count(1, "offset"),
                               optionalWord(words, 3));
        }
        call([service, parameters] { return service->getAll(parameters); },
             printer<List>(action, done));
    } else if (action == "options" && words.empty()) {
        if constexpr (requires { service->getOptions(); }) {
            call([service] { return service->getOptions(); },
                 printer<std::vector<Wallet::PaymentOptionDetails>>(action, done));
        } else {
            return false;
        }
    } else {
        return false;
    }
    return true;
}

template <class Domain>
template <class Chosen, class Send>
void PaymentCommands<Domain>::offeredOption(Chosen terms, const std::string& action,
                                            const CommandTable::Done& done, Send send) {
    const auto label = std::string(Domain::kNames.noun) + " " + action;
    call([service = (wallet_.*Domain::kService)()] { return service->getOptions(); },
         [self = this->shared_from_this(), terms = std::move(terms), label, done,
          send =
              std::move(send)](Result<std::vector<Wallet::PaymentOptionDetails>> offered) mutable {
             if (!offered) {
                 self->err_ << label << " failed: " << errorText(offered.error()) << std::endl;
                 return done(Outcome::failed);
             }
             std::vector<std::string> names;
             for (const auto& option : *offered) {
                 // One the kit does not know could not be sent anyway.
                 if (option.paymentOption &&
                     *option.paymentOption != Wallet::PaymentOptionType::unknown)
                     names.emplace_back(model::toWireValue(*option.paymentOption));
             }
             const std::string wanted = terms.word.value_or(std::string(Domain::kDefaultOption));
             const auto found = std::ranges::find_if(
                 names, [&](const auto& name) { return sameWord(name, wanted); });
             if (found == names.end()) {
                 self->err_ << label << ": '" << wanted
                            << "' is not a payment option the service offers for "
                            << Domain::kNames.noun << "s: one of " << joined(names, ", ")
                            << std::endl;
                 return done(Outcome::misused);
             }
             terms.word = *found;
             send(terms);
         });
}

template <class Domain>
template <class T>
std::function<void(Result<T>)> PaymentCommands<Domain>::printer(
    std::string action, CommandTable::Done done, std::function<void(const T&)> next) {
    return [self = this->shared_from_this(), action = std::move(action), done = std::move(done),
            next = std::move(next)](Result<T> result) {
        if (!result) {
            self->err_ << Domain::kNames.noun << " " << action
                       << " failed: " << errorText(result.error()) << std::endl;
            return done(failureOutcome(result.error()));
        }
        if constexpr (requires(const T& list) { (list.*Domain::kRecords)(); }) {
            self->out_ << describe(Domain::kNames.noun, ((*result).*Domain::kRecords)(),
                                   result->meta());
        } else if constexpr (requires(const T& record) { record.id(); }) {
            self->out_ << action << " " << describe(Domain::kNames.noun, *result);
        } else {
            self->out_ << describe(Domain::kNames.noun, *result);
        }
        self->out_ << std::endl;
        if (next) return next(*result);
        done(Outcome::succeeded);
    };
}

template <class Domain>
template <class Record>
std::function<void(Result<Record>)> PaymentCommands<Domain>::step(
    std::string action, PaymentStep sent, CommandTable::Done done,
    std::function<void(const Record&)> next) {
    auto print = printer<Record>(action, done, std::move(next));
    return [self = this->shared_from_this(), action = std::move(action), sent = std::move(sent),
            done = std::move(done), print = std::move(print)](Result<Record> result) {
        const std::string noun(Domain::kNames.noun);
        // After a run's last step was sent there is nothing left to stop.
        const std::string label =
            noun + " " +
            (sent.run.empty() ? action : sent.run + (sent.next.empty() ? "" : " stopped"));
        const std::string unsent = sent.next.empty() ? "" : "; its " + sent.next + " was not sent";
        // Each said in one write: the error stream is flushed at each, which may cut a word.
        // The kit refuses such a reply itself; the words are the same either way.
        const auto named =
            result ? std::optional(result->id()) : otherRecordRefused(result.error());
        if (named && !sent.id.empty() && *named != sent.id) {
            // Not this step's reply: how the step ended was not seen.
            self->err_ << label + ": the reply" + (sent.run.empty() ? "" : " to the " + sent.step) +
                              " " + TerminalText::inLine(namedAnother(noun, *named, sent.id)) +
                              "; " + stepLeft(noun, sent.id, sent.step, !sent.run.empty()) + unsent
                       << std::endl;
            return done(Outcome::failed);
        }
        if (result && result->status() == Wallet::PaymentStatus::failed) {
            self->out_ << action << " " << describe(noun, *result) << std::endl;
            if (!sent.run.empty()) {
                const std::string id = TerminalText::inLine(result->id());
                self->err_ << label + ": " + noun + " " + id + " is FAILED" + unsent + " (`" +
                                  noun + " get " + id + "` shows it)"
                           << std::endl;
            }
            return done(Outcome::failed);
        }
        // The step's action done: previewed, created, confirmed.
        const std::string did = action + (action.ends_with('e') ? "d" : "ed");
        if (result) {
            const std::string id = TerminalText::inLine(result->id());
            CommandRun::changed(noun + " " + id, did, noun + " get " + id);
        }
        // A run goes on only with the terms asked for: another amount or recipient is not what
        // the person agreed to.
        if (const auto other =
                result && sent.terms ? otherTerms(*sent.terms, *result) : std::nullopt) {
            std::optional<std::string> recipient;
            if constexpr (requires { result->recipient(); }) recipient = sent.terms->word;
            const bool preview = sent.id.empty();
            std::string stands = preview ? "is a preview only" : "exists";
            // After the last step the record stands as the reply says.
            if (!preview && sent.next.empty())
                stands = "was " + did + "; that reply calls it " +
                         std::string(model::toWireValue(result->status()));
            self->err_ << label + ": " +
                              otherTermsText(
                                  preview ? "the preview" : "the reply to the " + sent.step, noun,
                                  result->id(), *other,
                                  termsText(sent.terms->amount, sent.terms->currency, recipient),
                                  stands + (sent.next.empty()
                                                ? ""
                                                : ": its " + sent.next + " was not sent"))
                       << std::endl;
            return done(Outcome::failed);
        }
        print(std::move(result));
    };
}

template class PaymentCommands<Deposits>;
template class PaymentCommands<Withdrawals>;
template class PaymentCommands<Transfers>;

}  // namespace corvend::cli
