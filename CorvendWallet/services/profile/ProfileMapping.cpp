#include "CorvendWallet/services/profile/ProfileMapping.hpp"

#include <utility>
#include <vector>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend {

namespace {

// Each text read by E's table, in order; an absent list gives an empty one.
template <class E>
std::vector<E> readAll(const std::optional<std::vector<std::string>>& texts) {
    std::vector<E> values;
    if (!texts) return values;
    values.reserve(texts->size());
    for (const auto& text : *texts) values.push_back(model::fromWire<E>(text));
    return values;
}

// Each element through `map`, in order; absent stays absent.
template <class Wire, class Map>
auto mapPresent(const std::optional<std::vector<Wire>>& wire, Map map)
    -> std::optional<std::vector<decltype(map(wire->front()))>> {
    if (!wire) return std::nullopt;
    std::vector<decltype(map(wire->front()))> values;
    values.reserve(wire->size());
    for (const auto& element : *wire) values.push_back(map(element));
    return values;
}

}  // namespace

model::CustomerInfo ProfileMapping::toCustomerInfo(
    const ProfileServiceEndpoint::CustomerInfoResponse& response) {
    model::CustomerInfo info;
    info.id_ = response.id;
    info.title_ = response.title;
    info.firstName_ = response.firstName;
    info.lastName_ = response.lastName;
    info.birthDate_ = parseBirthDate(response.birthDate).value_or(platform::Date::distantPast());
    info.nationality_ = response.nationality;
    if (response.occupation) {
        info.occupation_ = model::fromWire<model::Occupation>(*response.occupation);
    }
    info.vulnerabilities_ = readAll<model::Vulnerabilities>(response.vulnerabilities);
    info.externalID_ = response.externalId;
    if (response.address) info.address_ = toAddress(*response.address);
    if (response.contactInfo) {
        model::ContactInformation contact;
        contact.mobile_ = response.contactInfo->mobile;
        contact.email_ = response.contactInfo->email;
        info.contactInfo_ = std::move(contact);
    }
    info.type_ = response.type;
    info.restrictions_ = mapPresent(response.restrictions, &toUserRestriction);
    info.accounts_ = mapPresent(response.accounts, &toAccount);
    return info;
}

model::Account ProfileMapping::toAccount(const ProfileServiceEndpoint::AccountResponse& response) {
    model::Account account;
    account.id_ = response.id;
    account.currencyCode_ = response.currencyCode;
    account.availableBalance_ = response.availableBalance;
    account.totalBalance_ = response.totalBalance;
    account.customerID_ = response.customerId;
    account.externalID_ = response.externalId;
    account.creationTime_ = response.creationTime;
    if (response.instruments) account.instruments_ = toPaymentInstruments(*response.instruments);
    return account;
}

model::Address ProfileMapping::toAddress(const ProfileServiceEndpoint::Address& address) {
    return model::Address(address.countryCode, address.stateProvince, address.city,
                          address.postalCode, address.address1, address.address2);
}

model::UserRestriction ProfileMapping::toUserRestriction(
    const ProfileServiceEndpoint::UserRestrictionResponse& restriction) {
    model::UserRestriction value;
    value.id_ = restriction.id;
    value.name_ = model::fromWire<model::UserRestriction::Name>(restriction.name);
    value.requiredActions_ =
        readAll<model::UserRestriction::RequiredAction>(restriction.requiredActions);
    value.lastChangeDate_ = restriction.lastChangeDate;
    value.activationTime_ = restriction.activationTime;
    value.dueDate_ = restriction.dueDate;
    return value;
}

std::optional<platform::Date> ProfileMapping::parseBirthDate(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    return platform::iso8601::parseFullDate(*text);
}

}  // namespace corvend
