#include "examples/wallet-cli/CardCheckCommands.hpp"

#include <algorithm>
#include <array>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "CorvendWallet/Screens.hpp"
#include "examples/wallet-cli/FieldNote.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend::cli {

namespace {

constexpr const char* kUsage = "check <number> [expiry] [cvv]";

const char* name(Wallet::CardType type) {
    constexpr std::array<const char*, 5> names = {"masterCard", "visa", "tembroPrepaidMasterCard",
                                                  "ombrixPrepaidMasterCard", "unknown"};
    return names[static_cast<Wallet::CardType::Value>(type)];
}

const char* name(Wallet::CardNumberValidationResult result) {
    constexpr std::array<const char*, 5> names = {"invalid", "tooShort", "tooLong", "notSupported",
                                                  "valid"};
    return names[static_cast<std::size_t>(result)];
}

const char* name(Wallet::ExpiryDateValidationResult result) {
    constexpr std::array<const char*, 3> names = {"invalid", "valid", "expired"};
    return names[static_cast<std::size_t>(result)];
}

// The screens hand the validators the decimal digits of what was typed.
std::string digitsOf(const std::string& text) {
    std::u32string digits = platform::unicode::scalars(text);
    std::erase_if(digits, [](char32_t c) { return !platform::unicode::isDecimalDigit(c); });
    return platform::unicode::utf8(digits);
}

// What the card form's expiry field holds after `keys` are typed into it one by one: the field
// refuses what is no digit and puts the "/" in itself, so "1230" and "12/30" both hold 12/30.
std::string typedExpiry(const std::string& keys) {
    std::string held;
    for (const char32_t key : platform::unicode::scalars(keys)) {
        const std::string typed = platform::unicode::utf8(std::u32string(1, key));
        const platform::UTF16Range caret{platform::unicode::utf16Length(held), 0};
        if (editExpiryDateText(held, caret, typed)) held += typed;
    }
    return held;
}

// The number as the service shows a saved card's: its first six and last four digits, the
// rest starred; all of it starred when it has no more than ten.
std::string masked(const std::string& digits) {
    const auto scalars = platform::unicode::scalars(digits);
    std::u32string shown(scalars.size(), U'*');
    if (scalars.size() > 10) {
        std::copy_n(scalars.begin(), 6, shown.begin());
        std::copy_n(scalars.end() - 4, 4, shown.end() - 4);
    }
    return platform::unicode::utf8(shown);
}

// A date typed in digits and separators that the form would not hold as typed ("12/2030" it
// cuts to 12/20, "1/30" it reads as 13/0) is no use of the check.
void refuseUnheldDate(const std::string& typed, const std::string& held) {
    const bool dateKeys = std::ranges::all_of(platform::unicode::scalars(typed), [](char32_t key) {
        return platform::unicode::isDecimalDigit(key) || key == U'/' || key == U' ' || key == U'-';
    });
    if (dateKeys && !readsAsTyped(typed, held)) {
        throw std::invalid_argument("expiry '" + typed +
                                    "' is not a date the card form takes: MM/YY or MMYY, the "
                                    "month and the year in two digits each (12/30, 1230)");
    }
}

}  // namespace

void CardCheckCommands::install(CommandTable& table, std::ostream& out, std::ostream& err) {
    table.add(
        {.name = "card",
         .usage = kUsage,
         .summary = "check a card number, expiry date and security code as the screens do",
         .meanings = {{"<number>", "the card number, with or without blanks or dashes"},
                      {"[expiry]", "the expiry date as typed in the card form (1230 or 12/30)"},
                      {"[cvv]", "the security code on the back of the card"}},
         .minArguments = 2,
         .maxArguments = 4,
         .handler =
             [&out, &err](const std::vector<std::string>& arguments, CommandTable::Done done) {
                 if (arguments.front() != "check") {
                     err << "usage: card " << kUsage << std::endl;
                     done(Outcome::misused);
                     return;
                 }
                 const auto answers = check(arguments);
                 out << answers.lines;
                 done(answers.valid ? Outcome::succeeded : Outcome::failed);
             },
         .offline = true,
         .secretWords = {"<number>", "[cvv]"}});
}

CardCheckCommands::Answers CardCheckCommands::check(const std::vector<std::string>& arguments) {
    const std::string number = digitsOf(arguments.at(1));
    const Wallet::CardType brand(number);
    const Wallet::CardNumberValidator numbers(
        {Wallet::CardType::masterCard, Wallet::CardType::visa});
    const auto numberAnswer = numbers.validate(number);
    Answers answers{.lines = {},
                    .valid = numberAnswer == Wallet::CardNumberValidationResult::valid};
    std::ostringstream text;
    text << "brand: " << name(brand) << "\nmasked: " << masked(number)
         << "\nnumber: " << name(numberAnswer) << "\n";
    if (arguments.size() > 2) {
        const std::string held = typedExpiry(arguments[2]);
        refuseUnheldDate(arguments[2], held);
        const auto expiry = Wallet::ExpiryDateValidator().validate(
            Wallet::ExpiryDateValidationComponent::parse(held));
        answers.valid = answers.valid && expiry == Wallet::ExpiryDateValidationResult::valid;
        text << "expiry: " << (held.empty() ? "(empty)" : held) << ": " << name(expiry) << "\n";
    }
    if (arguments.size() > 3) {
        const bool cvv = Wallet::CvvValidator(brand).validate(arguments[3]);
        answers.valid = answers.valid && cvv;
        text << "cvv: " << (cvv ? "valid" : "invalid") << "\n";
    }
    answers.lines = text.str();
    return answers;
}

}  // namespace corvend::cli
