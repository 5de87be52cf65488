#pragma once

#include <optional>
#include <string>

namespace corvend::model {

// The card holder as a tokenization carries it: the delivery-address fields, then the name and
// mobile number.
struct Customer {
    std::string address1;
    std::optional<std::string> address2{};
    std::optional<std::string> address3{};
    std::string city;
    std::string countryCode;
    std::optional<std::string> state{};
    std::string postalCode;
    std::string name;
    std::string mobile;

    friend bool operator==(const Customer&, const Customer&) = default;
};

}  // namespace corvend::model
