#pragma once

namespace corvend::model {

// An optional block that the profile call asks the service to add to the customer's
// information. Its "include" query values are the profile endpoint's (see
// ProfileServiceEndpoint::includeQueryValue).
enum class ProfileInclude {
    accounts,
    restrictions,
    address,
    contactInfo,
    incompleteOnboardingAttributes
};

}  // namespace corvend::model
