#include "examples/wallet-cli/InstrumentCommands.hpp"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "CorvendWallet/Cards.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/ResultPrinter.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/url/URLComponents.hpp"

namespace corvend::cli {

namespace {

// What a verification session's start leaves unknown when its end was not seen: no command
// shows a session whose id was never shown.
constexpr const char* kSessionLeft =
    "a verification session may have been started at the service; its id was not shown, so no "
    "command shows it";

// What a verification whose page was opened leaves unknown, and the read that shows it.
std::string verificationLeft(const std::string& id, std::string_view what) {
    return "verification " + TerminalText::inLine(id) + " " + std::string(what) +
           " (`instruments list` shows it)";
}

const std::string& usage() {
    static const std::string text =
        "list [TYPE] | get <TYPE> <id> | delete <TYPE> <id> | verify <TYPE> <returnUrl> | "
        "complete <returnUrl> (TYPE: " +
        joined(wireWords<Wallet::InstrumentType>(), ", ") + ")";
    return text;
}

// The service sends the customer's browser back to the address, so it must be one a browser
// can reach; anything else is refused before it is sent.
std::string returnAddress(const std::string& word) {
    return webAddress(word, "a return address");
}

// The session a return address names, as the kit reads it: the first query item named exactly
// "sessionId"; an empty one names none.
std::optional<std::string> returnedSession(const std::string& address) {
    const auto components = platform::URLComponents::parse(address);
    const auto items = components ? components->queryItems() : std::nullopt;
    if (!items) return std::nullopt;
    const auto item = std::ranges::find(*items, "sessionId", &platform::URLQueryItem::name);
    if (item == items->end() || !item->value || item->value->empty()) return std::nullopt;
    return item->value;
}

// A return address a person gives `complete`, and the session it names, which is read.
struct SessionAddress {
    std::string address;
    std::string session;
};

SessionAddress sessionAddress(const std::string& word) {
    auto address = returnAddress(word);
    auto session = returnedSession(address);
    if (!session)
        throw std::invalid_argument("'" + word +
                                    "' names no session: a return address carries it as its "
                                    "query item sessionId; nothing was sent");
    return {std::move(address), std::move(*session)};
}

// The kit's failure for an address its URL opener did not open.
bool notOpened(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    const auto* internal =
        walletError ? walletError->as<Wallet::WalletError::InternalError>() : nullptr;
    return internal != nullptr && internal->code == model::ErrorCode::urlNotOpened;
}

Wallet::InstrumentType instrumentType(const std::string& word) {
    return wireWord<Wallet::InstrumentType>(word, "an instrument type");
}

std::string session(const Wallet::InstrumentVerification& verification) {
    std::ostringstream text;
    text << "verification " << TerminalText::inLine(verification.id()) << " "
         << model::toWireValue(verification.instrumentType()) << " "
         << model::toWireValue(verification.sessionStatus());
    if (verification.statusReason())
        text << " reason " << model::toWireValue(*verification.statusReason());
    if (verification.instrument())
        text << ", instrument " << TerminalText::inLine(verification.instrument()->id);
    text << ", expires "
         << platform::iso8601::formatWithFractionalSeconds(verification.expirationTime());
    return text.str();
}

}  // namespace

std::shared_ptr<InstrumentCommands> InstrumentCommands::make(
    Wallet& wallet, std::shared_ptr<TerminalURLOpener> opener, std::ostream& out,
    std::ostream& err) {
    return std::make_shared<InstrumentCommands>(Passkey{}, wallet, std::move(opener), out, err);
}

InstrumentCommands::InstrumentCommands(Passkey, Wallet& wallet,
                                       std::shared_ptr<TerminalURLOpener> opener, std::ostream& out,
                                       std::ostream& err)
    : wallet_(wallet), opener_(std::move(opener)), out_(out), err_(err) {}

void InstrumentCommands::install(CommandTable& table) {
    table.add({.name = "instruments",
               .usage = usage(),
               .summary = "list, read and delete saved instruments; verify one on its page",
               .meanings = {{"[TYPE]", "only instruments of this type"},
                            {"<TYPE>", "the instrument's type"},
                            {"<id>", "the instrument ('instruments list' lists them)"},
                            {"<returnUrl>",
                             "where the verification page returns to: an absolute "
                             "http or https URL"}},
               .minArguments = 1,
               .maxArguments = 3,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   if (!self->start(arguments, done)) {
                       self->err_ << "usage: instruments " << usage() << std::endl;
                       done(Outcome::misused);
                   }
               }});
}

std::string InstrumentCommands::describe(const Wallet::PaymentInstrument& instrument) {
    // One line: the service's words escaped (see the return).
    std::ostringstream text;
    text << model::toWireValue(instrument.instrumentType()) << " " << instrument.id().value_or("")
         << " "
         << (instrument.status() ? model::toWireValue(*instrument.status())
                                 : std::string_view("-"));
    if (const auto* card = instrument.as<Wallet::CardPaymentInstrument>()) {
        text << " " << card->pan() << " " << expiryText(card->expiryDate());
    } else if (const auto* sepa = instrument.as<Wallet::SepaBankAccount>()) {
        text << " " << sepa->iban();
    } else if (const auto* uk = instrument.as<Wallet::UkBankAccount>()) {
        text << " " << uk->sortCode() << " " << uk->accountNumber();
    } else if (const auto* us = instrument.as<Wallet::UsBankAccount>()) {
        text << " " << us->routingNumber() << " " << us->accountNumber();
    }
    return TerminalText::inLine(text.str());
}

bool InstrumentCommands::start(const std::vector<std::string>& arguments,
                               const CommandTable::Done& done) {
    using Instrument = PaymentInstrumentService::Instrument;
    const auto& action = arguments.front();
    const auto count = arguments.size();
    auto service = wallet_.paymentInstrumentService();
    const auto one = [](const Instrument& instrument) { return describe(*instrument); };
    if (action == "list" && count <= 2) {
        Wallet::PaymentInstrumentsParameters filter;
        if (count == 2) filter.instrumentType = instrumentType(arguments[1]);
        call([service, filter] { return service->getAll(filter); },
             printer<std::vector<Instrument>>(action, done, [](const auto& all) {
                 std::string text = counted(all.size(), "instrument");
                 for (const auto& instrument : all) text += "\n  " + describe(*instrument);
                 return text;
             }));
    } else if ((action == "get" || action == "delete") && count == 3) {
        Wallet::PaymentInstrumentParameters which{arguments[2], instrumentType(arguments[1])};
        const auto idOf = [](const Instrument& instrument) { return instrument->id(); };
        if (action == "get") {
            call(ownRecord("instrument", arguments[2], idOf,
                           [service, which] { return service->get(which); }),
                 printer<Instrument>(action, done, one));
        } else {
            call(ownRecord("instrument", arguments[2], idOf,
                           [service, which] { return service->delete_(which); }),
                 printer<Instrument>(
                     action, done,
                     [](const auto& instrument) { return "deleted " + describe(*instrument); }),
                 mayHaveReached(
                     "the deletion",
                     TerminalText::inLine("instruments get " + arguments[1] + " " + arguments[2])));
        }
    } else if (action == "verify" && count == 3) {
        verify({returnAddress(arguments[2]), instrumentType(arguments[1])}, done);
    } else if (action == "complete" && count == 2) {
        auto [address, named] = sessionAddress(arguments[1]);
        call(ownRecord("verification", std::move(named), &Wallet::InstrumentVerification::id,
                       [service, address = std::move(address)] {
                           return service->completeExternalVerificationFlow(address);
                       }),
             readBack(action, done));
    } else {
        return false;
    }
    return true;
}

void InstrumentCommands::verify(const Wallet::InstrumentVerificationRequest& request,
                                CommandTable::Done done) {
    auto service = wallet_.paymentInstrumentService();
    call([service, request] { return service->startVerification(request); },
         [self = shared_from_this(), service, done,
          returnUrl = request.returnUrl](Result<Wallet::InstrumentVerification> started) {
             if (!started)
                 return self->printer<Wallet::InstrumentVerification>("verify", done,
                                                                      session)(started);
             self->out_ << session(*started) << std::endl;
             // The page ends at the return address; the kit then reads the session it names.
             self->opener_->expectReturn(
                 returnUrl, guarded([self, service, done, id = started->id()](auto returnedTo) {
                     if (!returnedTo) {
                         // The page was shown: its request reached the service, and only the
                         // return address tells what loading it, or a link on it, did.
                         self->err_ << "instruments verify: "
                                    << verificationLeft(id,
                                                        "may have completed: its page, or a page "
                                                        "its links led to, may complete it")
                                    << std::endl;
                         return done(Outcome::failed);
                     }
                     // The page is another's content: its return is this verification's end
                     // only when it names this session.
                     if (const auto named = returnedSession(*returnedTo); named != id) {
                         self->err_ << "instruments verify: the page returned for "
                                    << (named ? "session " + TerminalText::inLine(*named)
                                              : std::string("no session"))
                                    << ", not for " << TerminalText::inLine(id) << ": "
                                    << verificationLeft(id, "was not read back") << std::endl;
                         return done(Outcome::failed);
                     }
                     call(ownRecord("verification", id, &Wallet::InstrumentVerification::id,
                                    [service, address = *returnedTo] {
                                        return service->completeExternalVerificationFlow(address);
                                    }),
                          self->readBack("complete", done),
                          verificationLeft(id, "ended at its page and was not read back"));
                 }));
             // No handle: the page open is closed by Ctrl-C instead (see TerminalURLOpener).
             service->openExternalVerificationFlow(
                 *started, guarded([self, done, id = started->id()](Result<void> opened) {
                     if (opened) return;  // the page is up: the verification ends with it
                     self->opener_->cancelReturn();
                     if (self->opener_->loadUnseen()) {
                         // Not "not opened": the page's load reached the service, and loading
                         // it may be what completes the verification.
                         self->err_ << "instruments verify: "
                                    << verificationLeft(id,
                                                        "may have completed: loading its page "
                                                        "may complete it")
                                    << std::endl;
                         return done(Outcome::failed);
                     }
                     self->err_ << "instruments verify failed: ";
                     // The kit's advice for a page not opened is about a desktop's opener; this
                     // host's opener is the terminal, which said above what became of the page.
                     if (notOpened(opened.error())) {
                         self->err_ << TerminalText::inLine(opened.error().description())
                                    << ": the page was not shown" << std::endl;
                     } else {
                         self->err_ << errorText(opened.error()) << std::endl;
                     }
                     done(Outcome::failed);
                 }));
         },
         kSessionLeft);
}

std::function<void(Result<Wallet::InstrumentVerification>)> InstrumentCommands::readBack(
    std::string action, CommandTable::Done done) {
    auto print = printer<Wallet::InstrumentVerification>(std::move(action), done, session);
    return [self = shared_from_this(), print = std::move(print),
            done = std::move(done)](Result<Wallet::InstrumentVerification> read) {
        // A name mismatch is an ordinary bank outcome: only COMPLETED is a verification done.
        if (read && read->sessionStatus() != Wallet::InstrumentVerificationStatus::completed) {
            self->out_ << session(*read) << std::endl;
            return done(Outcome::failed);
        }
        print(std::move(read));
    };
}

template <class T>
std::function<void(Result<T>)> InstrumentCommands::printer(
    std::string action, CommandTable::Done done, std::function<std::string(const T&)> describe) {
    return resultPrinter<T>(shared_from_this(), out_, err_, "instruments " + action,
                            std::move(done), std::move(describe));
}

}  // namespace corvend::cli
