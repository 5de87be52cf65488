#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/FailureOutcome.hpp"

// What the commands share to read their words and print what the kit answered.
namespace corvend::cli {

// The one parser of the counts the commands take (limits, offsets): the whole text must be
// decimal digits, with no sign, blank or decimal point, and fit an int64_t; throws
// std::invalid_argument naming `what` otherwise.
std::int64_t wholeNumber(std::string_view text, std::string_view what);

// The one reader of an amount a person types: major units of `currency`, digits with at most
// the currency's minor-unit digits after a point ("25", "25.5", "25.00" for EUR; "2500" for
// JPY), converted exactly to minor units. Throws std::invalid_argument for a sign, an exponent,
// other text, too many decimals or an amount beyond 64 bits.
std::int64_t amountIn(std::string_view text, std::string_view currency);

// The one rule of what a currency is: three ASCII letters, in either case, that ICU knows as a
// currency code; returned upper-case, as the service takes it; nullopt for anything else.
std::optional<std::string> knownCurrency(std::string_view text);
// The one reader of a currency a person types, by knownCurrency. Throws std::invalid_argument
// naming the rule for anything else.
std::string currencyCode(std::string_view text);

// The one reader of a web address a person gives: an absolute http or https URL, returned as
// given. Throws std::invalid_argument naming `what` and the rule for anything else.
std::string webAddress(std::string_view text, std::string_view what);

// `amount` minor units of `currency` as the kit's money formatter shows them; for a code the host
// would refuse on input (knownCurrency) or one it has no text for, `<amount> minor units of
// "<code>"`, the code escaped.
std::string moneyText(std::int64_t amount, std::string_view currency);

// A card's expiry as every line of the host shows it: "09/2028".
std::string expiryText(const Wallet::CardExpiryDate& expiry);

// The words of the wire enumeration E that name a case (its fallback case left out), in the
// order of its cases.
template <class E>
std::vector<std::string> wireWords() {
    const E fallback = model::fromWire<E>(std::nullopt);
    std::vector<std::string> words;
    // The cases are numbered from 0; a number past the last reads back as the fallback.
    for (int number = 0; number < 64; ++number) {
        const E value = static_cast<E>(number);
        const std::string_view word = model::toWireValue(value);
        if (value != fallback && model::fromWire<E>(word) == value) words.emplace_back(word);
    }
    return words;
}

// The words joined by `separator`, as a usage or a refusal lists them.
std::string joined(const std::vector<std::string>& words, std::string_view separator);

// Whether the words are the same but for the case of their ASCII letters.
bool sameWord(std::string_view a, std::string_view b);

// Whether `text` is well-formed UTF-8, as a request's body carries text: no stray byte, overlong
// form, surrogate or code point past U+10FFFF.
bool isUTF8(std::string_view text);

// "1 card", "2 cards": `count` and the noun, plural unless the count is one.
std::string counted(std::size_t count, std::string_view noun);

// `word`, in either case, as a case of E; throws std::invalid_argument naming `what` and every
// allowed word for any other text, so nothing is sent with a value the service would not know.
template <class E>
E wireWord(std::string_view word, std::string_view what) {
    const auto words = wireWords<E>();
    const auto found =
        std::ranges::find_if(words, [&](const auto& known) { return sameWord(known, word); });
    if (found == words.end()) {
        throw std::invalid_argument("'" + std::string(word) + "' is not " + std::string(what) +
                                    ": one of " + joined(words, ", "));
    }
    return model::fromWire<E>(*found);
}

// The "--name value" pairs of `words`, in order, repeats kept. Throws std::invalid_argument
// for a name not in `allowed`, a word that is no option, or an option without its value.
std::vector<std::pair<std::string, std::string>> optionPairs(
    std::span<const std::string> words, std::span<const std::string_view> allowed);

// The failure's description as it goes into the host's lines: the kit's own lines stand (a
// service error's message, then its details and its field errors, each set in by two spaces;
// "\nError ID: <id>" last), the words in them escaped as TerminalText::inLine does. It is
// messageText() then errorIDLine().
std::string descriptionText(const Error& error);
// The description without its error ID line, for words that go on after it.
std::string messageText(const Error& error);
// "\nError ID: <id>" (escaped), or "" for a failure without one.
std::string errorIDLine(const Error& error);

// Words about a page as they go into a host's line (a load's failure, a web view's state),
// escaped as TerminalText::inLine does; the address that ends the words of a redirect that could
// not be followed, a server's, is kept one word (TerminalText::address), so that none of its words
// starts a line.
std::string pageLineText(std::string_view text);

// A failure as a person reads it: the kit's message and code, then what to do about it where the
// host can tell ("not signed in: run authenticate" for a refused or missing access token).
std::string errorText(const Error& error);

// Terms as a preview states them or as they were asked for: "<amount>[ to <recipient>]".
std::string termsText(std::int64_t amount, std::string_view currency,
                      const std::optional<std::string>& recipient = std::nullopt);

// A reply whose terms are not those asked for, and where that leaves the record: "<said> says
// <stated>, not <asked> as asked; <noun> <id> <left> (`<noun> get <id>` shows it)", as "the
// preview says ...; deposit dep-1 is a preview only: no card was asked for". `id` is escaped.
std::string otherTermsText(std::string_view said, std::string_view noun, std::string_view id,
                           std::string_view stated, std::string_view asked, std::string_view left);

// "named <noun> <named>, not <noun> <asked>", of a reply about another record than the one a
// call was sent for, as a gateway that mixed up replies may send. Not escaped.
std::string namedAnother(std::string_view noun, std::string_view named, std::string_view asked);

// The failure of a reply about another record than the one a call was sent for: "the reply
// <namedAnother>", escaped whole. It says nothing of the record asked for: a change's end is
// then not seen.
class OtherRecordNamed : public std::runtime_error {
  public:
    OtherRecordNamed(std::string_view noun, std::string_view named, std::string_view asked);
};

// The record the reply named when `error` is the kit's refusal of a reply about another record
// than the one a call was sent for; nothing otherwise.
std::optional<std::string> otherRecordRefused(const Error& error);

// The kit call `operation` about `noun` `asked`, a read or a change, but a reply naming another
// record (its id per `idOf`, an optional or a string, or as the kit refused it) fails as
// OtherRecordNamed, so that nothing of it is taken: e.g.
//   call(ownRecord("card", id, &Wallet::Card::cardID, [service, id] { return service->get(id); }),
//        printer<Wallet::Card>("get", done));
template <class Operation, class IdOf>
auto ownRecord(std::string noun, std::string asked, IdOf idOf, Operation operation) {
    return [noun = std::move(noun), asked = std::move(asked), idOf = std::move(idOf),
            operation = std::move(operation)] {
        auto value = [&] {
            try {
                return operation();
            } catch (const Wallet::WalletError& error) {
                const auto other = otherRecordRefused(Error::make(error));
                if (!other) throw;
                throw OtherRecordNamed(noun, *other, asked);
            }
        }();
        const std::optional<std::string> named = std::invoke(idOf, std::as_const(value));
        if (named && *named != asked) throw OtherRecordNamed(noun, *named, asked);
        return value;
    };
}

// The completion that prints `describe(value)` to `out` and ends `succeeded`, or
// "<what> failed: <error>" (errorText) to `err` and ends `failed`. `out` and `err` must outlive
// it.
template <class T, class Describe>
std::function<void(Result<T>)> resultPrinter(std::ostream& out, std::ostream& err, std::string what,
                                             CommandTable::Done done, Describe describe) {
    return [&out, &err, what = std::move(what), done = std::move(done),
            describe = std::move(describe)](Result<T> result) {
        if (!result) {
            err << what << " failed: " << errorText(result.error()) << std::endl;
            done(failureOutcome(result.error()));
            return;
        }
        out << describe(*result) << std::endl;
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
