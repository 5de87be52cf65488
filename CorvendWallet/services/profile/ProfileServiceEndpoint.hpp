#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"
#include "CorvendWallet/services/profile/AddAccountRequest.hpp"
#include "CorvendWallet/services/profile/ProfileInclude.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of the customer profile: the JSON models and REST calls of the profile and its
// currency accounts. Enumerated values and the birth date stay text here; ProfileMapping reads
// them.
namespace corvend::ProfileServiceEndpoint {

inline constexpr std::string_view kProfilePath = "digitalwallets/v1/profile";

// A postal address. Read, and writable with the same keys (absent optional ones left out).
struct Address {
    std::string countryCode;
    std::optional<std::string> stateProvince{};
    std::string city;
    std::string postalCode;
    std::string address1;
    std::optional<std::string> address2{};

    friend bool operator==(const Address&, const Address&) = default;
};
BOOST_DESCRIBE_STRUCT(Address, (),
                      (countryCode, stateProvince, city, postalCode, address1, address2))

struct ContactInformationResponse {
    std::optional<std::string> mobile{};
    std::optional<std::string> email{};

    friend bool operator==(const ContactInformationResponse&,
                           const ContactInformationResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(ContactInformationResponse, (), (mobile, email))

// One restriction; "id" and "name" required.
struct UserRestrictionResponse {
    std::string id;
    std::string name;
    std::optional<std::vector<std::string>> requiredActions{};
    std::optional<platform::Date> lastChangeDate{};
    std::optional<platform::Date> activationTime{};
    std::optional<platform::Date> dueDate{};

    friend bool operator==(const UserRestrictionResponse&,
                           const UserRestrictionResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(UserRestrictionResponse, (),
                      (id, name, requiredActions, lastChangeDate, activationTime, dueDate))

// One currency account; "id" and "currencyCode" required. An instrument entry that does not
// decode fails the whole reply.
struct AccountResponse {
    std::string id;
    std::string currencyCode;
    std::optional<std::int64_t> availableBalance{};
    std::optional<std::int64_t> totalBalance{};
    std::optional<std::string> customerId{};
    std::optional<std::string> externalId{};
    std::optional<platform::Date> creationTime{};
    std::optional<std::vector<PaymentInstrumentModel>> instruments{};

    friend bool operator==(const AccountResponse&, const AccountResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(AccountResponse, (),
                      (id, currencyCode, availableBalance, totalBalance, customerId, externalId,
                       creationTime, instruments))

// The customer; "id", "firstName" and "lastName" required. "birthDate" is plain text
// ("yyyy-MM-dd"), not a date-time.
struct CustomerInfoResponse {
    std::string id;
    std::optional<std::string> title{};
    std::string firstName;
    std::string lastName;
    std::optional<std::string> birthDate{};
    std::optional<std::string> nationality{};
    std::optional<std::string> occupation{};
    std::optional<std::string> externalId{};
    std::optional<std::vector<std::string>> vulnerabilities{};
    std::optional<Address> address{};
    std::optional<ContactInformationResponse> contactInfo{};
    std::optional<std::string> type{};
    std::optional<std::vector<UserRestrictionResponse>> restrictions{};
    std::optional<std::vector<AccountResponse>> accounts{};

    friend bool operator==(const CustomerInfoResponse&, const CustomerInfoResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerInfoResponse, (),
                      (id, title, firstName, lastName, birthDate, nationality, occupation,
                       externalId, vulnerabilities, address, contactInfo, type, restrictions,
                       accounts))

// The add-account body: {"currencyCode"}. Written only.
struct AddAccountRequest {
    std::string currencyCode;
};
BOOST_DESCRIBE_STRUCT(AddAccountRequest, (), (currencyCode))

// GET kProfilePath with one "include" item per element, in the caller's order, repeats kept;
// no query part for an empty list.
Endpoint<CustomerInfoResponse> profile(const std::vector<model::ProfileInclude>& include);

// "digitalwallets/v1/profile/accounts", made once per process and never destroyed.
const std::string& accountsPath();

// GET accountsPath(), read as a bare JSON array. One value for the life of the process (never
// destroyed, even by exit), made on first use (concurrent first uses make it once); every
// account-list call performs it.
const Endpoint<std::vector<AccountResponse>>& accountsEndpoint();

// GET accountsPath() + "/" + `accountID` as one path segment: throws model::WalletError
// internalError "I0001" for "", "." and "..", before anything is sent.
Endpoint<AccountResponse> account(std::string_view accountID);

// POST accountsPath() with {"currencyCode"} of `request`.
Endpoint<AccountResponse> addAccount(const model::AddAccountRequest& request);

}  // namespace corvend::ProfileServiceEndpoint
