#pragma once

#include <string_view>

namespace corvend::model {

// An optional block that the profile call asks the service to add to the customer's
// information.
enum class ProfileInclude {
    accounts,
    restrictions,
    address,
    contactInfo,
    incompleteOnboardingAttributes
};

// The "include" query value of `include`: "ACCOUNTS", "RESTRICTIONS", "ADDRESS", "CONTACTINFO"
// (no underscore), "INCOMPLETE_ONBOARDING_ATTRIBUTES".
constexpr std::string_view includeQueryValue(ProfileInclude include) {
    switch (include) {
        case ProfileInclude::accounts:
            return "ACCOUNTS";
        case ProfileInclude::restrictions:
            return "RESTRICTIONS";
        case ProfileInclude::address:
            return "ADDRESS";
        case ProfileInclude::contactInfo:
            return "CONTACTINFO";
        case ProfileInclude::incompleteOnboardingAttributes:
            return "INCOMPLETE_ONBOARDING_ATTRIBUTES";
    }
    return "";
}

}  // namespace corvend::model
