#include "CorvendWallet/ui/foundation/CardNumberValidator.hpp"

#include <algorithm>
#include <utility>

#include "CorvendWallet/ui/foundation/ValidationProtocol.hpp"
#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

static_assert(ValidationProtocol<CardNumberValidator>);

namespace {

constexpr std::size_t kCardNumberLength = 16;
constexpr std::size_t kMinimumLuhnLength = 9;

}  // namespace

CardNumberValidator::CardNumberValidator(std::vector<CardType> supportedTypes)
    : supportedTypes_(std::move(supportedTypes)) {}

CardNumberValidationResult CardNumberValidator::validate(
    const std::optional<std::string_view>& number) const {
    platform::ProcessFork::checkKitUsable("CardNumberValidator::validate");
    if (!number) return CardNumberValidationResult::invalid;
    const CardType type(number);
    if (type == CardType::unknown) return CardNumberValidationResult::invalid;
    if (std::find(supportedTypes_.begin(), supportedTypes_.end(), type) == supportedTypes_.end()) {
        return CardNumberValidationResult::notSupported;
    }
    const std::size_t length = platform::unicode::characterCount(*number);
    if (length < kCardNumberLength) return CardNumberValidationResult::tooShort;
    if (length > kCardNumberLength) return CardNumberValidationResult::tooLong;
    return passesLuhnCheck(*number) ? CardNumberValidationResult::valid
                                    : CardNumberValidationResult::invalid;
}

bool CardNumberValidator::passesLuhnCheck(std::string_view text) {
    platform::ProcessFork::checkKitUsable("CardNumberValidator::passesLuhnCheck");
    const std::vector<std::size_t> boundaries = platform::unicode::characterBoundaries(text);
    int sum = 0;
    std::size_t digits = 0;
    // From the check digit leftwards; a digit carrying marks is another character, not a digit.
    for (std::size_t i = boundaries.size() - 1; i > 0; --i) {
        const std::string_view character =
            text.substr(boundaries[i - 1], boundaries[i] - boundaries[i - 1]);
        if (character.size() != 1 || character[0] < '0' || character[0] > '9') continue;
        int digit = character[0] - '0';
        if (digits % 2 == 1) {
            digit *= 2;
            if (digit > 9) digit -= 9;
        }
        sum = (sum + digit) % 10;
        ++digits;
    }
    return digits > 0 && sum == 0 && boundaries.size() - 1 >= kMinimumLuhnLength;
}

}  // namespace corvend
