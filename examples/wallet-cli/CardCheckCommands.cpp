#include "examples/wallet-cli/CardCheckCommands.hpp"

#include <array>
#include <ostream>
#include <sstream>

#include "CorvendWallet/Screens.hpp"
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
    text << "brand: " << name(brand) << "\nmasked: " << cardNumberMask(number)
         << "\nnumber: " << name(numberAnswer) << "\n";
    if (arguments.size() > 2) {
        const std::string held = typedExpiry(arguments[2]);
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
