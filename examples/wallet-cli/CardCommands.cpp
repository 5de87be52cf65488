#include "examples/wallet-cli/CardCommands.hpp"

#include <algorithm>
#include <limits>
#include <ostream>
#include <sstream>
#include <utility>

#include "CorvendWallet/Cards.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/ResultPrinter.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend::cli {

namespace {

using Status = Wallet::Card::CardStatus;

const std::string& usage() {
    static const std::string text =
        "programs | list [STATUS,...] | issue <program> <currency> | get <card|last> "
        "[tokenizations] | update <card|last> <STATUS> [reason...] | activate <card|last> "
        "<lastFour> <cvv> | details <card|last> | tokenize <card|last> (STATUS: " +
        joined(wireWords<Status>(), ", ") + ")";
    return text;
}

std::vector<Wallet::Card::CardStatus> statuses(const std::string& list) {
    std::vector<Wallet::Card::CardStatus> out;
    std::istringstream words(list);
    for (std::string word; std::getline(words, word, ',');) {
        out.push_back(wireWord<Status>(word, "a card status"));
    }
    return out;
}

std::string programs(const Wallet::ProgramList& list) {
    std::ostringstream text;
    text << counted(list.programs().size(), "program") << " (the name is what 'cards issue' takes)";
    for (const auto& program : list.programs()) {
        text << "\n  " << TerminalText::inLine(program.name()) << " "
             << model::toWireValue(program.cardType()) << " "
             << model::toWireValue(program.scheme()) << " currencies";
        for (const auto& code : program.currencies()) text << " " << TerminalText::inLine(code);
        if (program.isDigital()) text << " (digital)";
    }
    return text.str();
}

}  // namespace

std::shared_ptr<CardCommands> CardCommands::make(Wallet& wallet, std::ostream& out,
                                                 std::ostream& err) {
    return std::make_shared<CardCommands>(Passkey{}, wallet, out, err);
}

CardCommands::CardCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void CardCommands::install(CommandTable& table) {
    table.add({.name = "cards",
               .usage = usage(),
               .summary = "list card programs; issue, read, change and activate prepaid cards",
               .meanings = {{"[STATUS,...]",
                             "only cards with one of these statuses, joined by "
                             "commas"},
                            {"<program>",
                             "a card program's name, in either case ('cards "
                             "programs' lists them)"},
                            {"<currency>", "the card's currency, a code in either case (EUR)"},
                            {"<card|last>",
                             "a card's identifier, or last for the card issued last "
                             "in this session"},
                            {"[tokenizations]", "read the card's mobile-wallet tokenizations too"},
                            {"<STATUS>", "the card's new status"},
                            {"[reason...]", "why, the rest of the line or a quoted text"},
                            {"<lastFour>", "the last four digits of the card's number"},
                            {"<cvv>", "the security code on the back of the card"}},
               .minArguments = 1,
               // A card update's reason takes the rest of the line.
               .maxArguments = std::numeric_limits<std::size_t>::max(),
               .handler =
                   [self = shared_from_this()](const std::vector<std::string>& arguments,
                                               CommandTable::Done done) {
                       if (!self->start(arguments, done)) {
                           self->err_ << "usage: cards " << usage() << std::endl;
                           done(Outcome::misused);
                       }
                   },
               .secretWords = {"<lastFour>", "<cvv>"}});
}

std::string CardCommands::describe(const Wallet::Card& card) {
    std::ostringstream line;
    line << "card " << card.cardID() << " " << model::toWireValue(card.status()) << " "
         << model::toWireValue(card.cardType()) << " " << card.programName() << " "
         << card.currency() << " " << card.bin().value_or("") << "******"
         << card.lastFour().value_or("????");
    if (card.expiry()) line << " expires " << expiryText(*card.expiry());
    // The service's words keep to the card's line.
    std::ostringstream text;
    text << TerminalText::inLine(line.str());
    text << "\n  created " << platform::iso8601::formatWithFractionalSeconds(card.createdDate())
         << (card.isPinSet() ? ", PIN set" : ", no PIN");
    if (card.tokenizations()) {
        text << ", "
             << counted(card.tokenizations()->mobileWalletTokenizations.size(), "tokenization");
        for (const auto& token : card.tokenizations()->mobileWalletTokenizations) {
            text << "\n  token " << TerminalText::inLine(token.dpanRef()) << " "
                 << model::toWireValue(token.walletType()) << " "
                 << model::toWireValue(token.status());
        }
    }
    return text.str();
}

bool CardCommands::start(const std::vector<std::string>& arguments,
                         const CommandTable::Done& done) {
    const auto& action = arguments.front();
    const auto count = arguments.size();
    auto service = wallet_.cardService();
    // What a change whose end was not seen leaves unknown, with the read that shows the card
    // (its tokenizations only when asked for).
    const auto changed = [this, &arguments](std::string_view shown = "") {
        return mayHaveReached(
            "the change",
            "cards get " + TerminalText::inLine(card(arguments[1])) + std::string(shown));
    };
    if (action == "programs" && count == 1) {
        call([service] { return service->getPrograms(); },
             printer<Wallet::ProgramList>(action, done, programs));
    } else if (action == "list" && count <= 2) {
        std::optional<Wallet::CardParameters> parameters;
        if (count == 2)
            parameters.emplace(std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                               statuses(arguments[1]));
        call([service, parameters] { return service->getAll(parameters); },
             printer<Wallet::CardList>(action, done, [](const auto& list) {
                 std::string text = counted(list.cards().size(), "card");
                 for (const auto& card : list.cards()) text += "\n" + describe(card);
                 return text;
             }));
    } else if (action == "issue" && count == 3) {
        issue(arguments[1], currencyCode(arguments[2]), done);
    } else if (action == "get" &&
               (count == 2 || (count == 3 && sameWord(arguments[2], "tokenizations")))) {
        std::optional<CardService::Includes> include;
        if (count == 3) include.emplace(1, Wallet::Card::CardIncludesParam::tokenizations);
        const std::string id = card(arguments[1]);
        call(ownRecord("card", id, &Wallet::Card::cardID,
                       [service, id, include] { return service->get(id, include); }),
             printer<Wallet::Card>(action, done, describe));
    } else if (action == "update" && count >= 3) {
        // The reason is the rest of the line (or one quoted text).
        std::optional<std::string> reason;
        if (count > 3) reason = joined({arguments.begin() + 3, arguments.end()}, " ");
        const std::string id = card(arguments[1]);
        call(ownRecord(
                 "card", id, &Wallet::Card::cardID,
                 [service, id,
                  request =
                      Wallet::CardUpdateRequest{wireWord<Status>(arguments[2], "a card status"),
                                                reason}] { return service->update(id, request); }),
             printer<Wallet::Card>(action, done, describe), changed());
    } else if (action == "activate" && count == 4) {
        const std::string id = card(arguments[1]);
        call(ownRecord("card", id, &Wallet::Card::cardID,
                       [service, id,
                        request = Wallet::CardActivationRequest{arguments[2], arguments[3]}] {
                           return service->activate(id, request);
                       }),
             printer<Wallet::Card>(action, done, describe), changed());
    } else if (action == "details" && count == 2) {
        call([service, id = card(arguments[1])] { return service->getDetails(id); },
             printer<Wallet::CardSensitiveDetails>(action, done, [](const auto& d) {
                 return TerminalText::inLine("card number " + d.pan() + ", code " + d.cvv() +
                                             ", expires " + expiryText(d.expiry()) + ", " +
                                             d.cardHolderName());
             }));
    } else if (action == "tokenize" && count == 2) {
        call(
            [service, id = card(arguments[1])] {
                return service->tokenize(id,
                                         {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
            },
            printer<Wallet::CardTokenization>(
                action, done,
                [](const auto& t) {
                    return "tokenization for the card ending " +
                           TerminalText::inLine(t.cardLastDigits) + ": " +
                           std::string(model::toWireValue(t.cardNetwork)) + ", " +
                           std::string(model::toWireValue(t.tokenProvider));
                }),
            changed(" tokenizations"));
    } else {
        return false;
    }
    return true;
}

void CardCommands::issue(const std::string& program, const std::string& currency,
                         const CommandTable::Done& done) {
    auto service = wallet_.cardService();
    call([service] { return service->getPrograms(); },
         [self = shared_from_this(), service, program, currency,
          done](Result<Wallet::ProgramList> list) {
             if (!list) {
                 self->err_ << "cards issue failed: " << errorText(list.error()) << std::endl;
                 return done(Outcome::failed);
             }
             const auto& programs = list->programs();
             const auto found = std::ranges::find_if(
                 programs, [&](const auto& offered) { return sameWord(offered.name(), program); });
             if (found == programs.end()) {
                 std::vector<std::string> names;
                 for (const auto& offered : programs)
                     names.push_back(TerminalText::inLine(offered.name()));
                 self->err_ << "cards issue: '" << program << "' is not a card program: one of "
                            << joined(names, ", ") << std::endl;
                 return done(Outcome::misused);
             }
             call(
                 [service, request = Wallet::CardRequest{found->name(), currency}] {
                     return service->create(request);
                 },
                 self->printer<Wallet::Card>("issue", done,
                                             [self](const Wallet::Card& card) {
                                                 self->last_ = card.cardID();
                                                 return describe(card);
                                             }),
                 "the card may have been issued (`cards list` shows it)");
         });
}

std::string CardCommands::card(const std::string& word) const {
    if (word != "last") return word;
    if (last_.empty())
        throw std::invalid_argument(
            "no card issued in this session: 'last' names none; give a card");
    return last_;
}

template <class T>
std::function<void(Result<T>)> CardCommands::printer(
    std::string action, CommandTable::Done done, std::function<std::string(const T&)> describe) {
    return resultPrinter<T>(shared_from_this(), out_, err_, "cards " + action, std::move(done),
                            std::move(describe));
}

}  // namespace corvend::cli
