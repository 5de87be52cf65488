#pragma once

#include <boost/json/object.hpp>
#include <span>
#include <string_view>
#include <vector>

#include "ErrorDocument.hpp"

namespace corvend::sandbox {

// What one key of a request body must hold. Every domain's bodies are checked by the same
// rules, so a deposit and a withdrawal refuse the same mistake alike. A null value counts as
// missing: the kit leaves absent values out.
struct FieldRule {
    enum class Kind {
        amount,     // a whole number of minor units above 0
        currency,   // a three-letter code
        text,       // a string
        object,     // an object
        objects,    // a list of objects
        textPairs,  // a list of objects whose members are all strings ("paymentProperties")
        reference,  // an object with the strings "id" and "instrumentType"
        device,     // the device block: an object with the string "threatMetrixSessionId"
        recipient,  // an object with a well-formed "email", or else a non-empty "customerId"
    };

    std::string_view key;
    Kind kind = Kind::text;
    bool required = false;
    // Whether a record made or changed from the body keeps the value.
    bool stored = true;
    // For text: the values accepted (any when empty), and the field error of any other.
    std::span<const std::string_view> oneOf{};
    std::string_view notOneOf{};
};

// The field errors of `body` against `rules`, in the rules' order; empty when it passes.
std::vector<ErrorDocument::FieldError> fieldErrors(const boost::json::object& body,
                                                   std::span<const FieldRule> rules);

// Copies into `record` the value of every stored rule that `body` holds.
void storeFields(const boost::json::object& body, std::span<const FieldRule> rules,
                 boost::json::object& record);

}  // namespace corvend::sandbox
