#pragma once

#include <optional>
#include <string_view>

#include "CorvendWallet/services/profile/Account.hpp"
#include "CorvendWallet/services/profile/Address.hpp"
#include "CorvendWallet/services/profile/CustomerInfo.hpp"
#include "CorvendWallet/services/profile/ProfileServiceEndpoint.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {

// Turns the profile replies into the public models. Never fails: enumerated texts the kit does
// not know read as `unknown` (occupation, vulnerabilities) or `other` (restriction names and
// required actions); absent "vulnerabilities", "requiredActions" and "instruments" give empty
// lists, while absent "restrictions" and "accounts" stay absent; instrument entries that
// describe no instrument are left out.
class ProfileMapping {
  public:
    static model::CustomerInfo toCustomerInfo(
        const ProfileServiceEndpoint::CustomerInfoResponse& response);
    static model::Account toAccount(const ProfileServiceEndpoint::AccountResponse& response);
    static model::Address toAddress(const ProfileServiceEndpoint::Address& address);
    static model::UserRestriction toUserRestriction(
        const ProfileServiceEndpoint::UserRestrictionResponse& restriction);

    // Midnight UTC of the day `text` names as exactly "yyyy-MM-dd" in the proleptic Gregorian
    // calendar, whatever the process's locale or time zone; nothing for no text, a day that
    // does not exist or any other form.
    static std::optional<platform::Date> parseBirthDate(std::optional<std::string_view> text);
};

}  // namespace corvend
