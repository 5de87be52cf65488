#include "FieldRule.hpp"

#include <algorithm>
#include <regex>
#include <string>

namespace corvend::sandbox {

namespace {

bool isTextPairs(const boost::json::value& entry) {
    return entry.is_object() && std::ranges::all_of(entry.as_object(), [](const auto& member) {
               return member.value().is_string();
           });
}

bool hasText(const boost::json::object& object, std::string_view key) {
    const auto* value = object.if_contains(key);
    return value != nullptr && value->is_string();
}

// An address as a mail system takes one: a local part without blanks, an "@", and a domain
// of dot-separated names.
bool isEmailAddress(const boost::json::value& value) {
    static const std::regex address(R"([^@\s]+@[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)+)");
    return value.is_string() &&
           std::regex_match(value.as_string().begin(), value.as_string().end(), address);
}

bool isRecipient(const boost::json::value& value) {
    if (!value.is_object()) return false;
    const auto& recipient = value.as_object();
    if (const auto* email = recipient.if_contains("email"); email && !email->is_null())
        return isEmailAddress(*email);
    const auto* customer = recipient.if_contains("customerId");
    return customer != nullptr && customer->is_string() && !customer->as_string().empty();
}

// The field error of `value` when it is not of the kind, else empty.
std::string_view kindError(FieldRule::Kind kind, const boost::json::value& value) {
    using Kind = FieldRule::Kind;
    switch (kind) {
        case Kind::amount:
            return value.is_int64() && value.as_int64() > 0
                       ? ""
                       : "must be a whole number of minor units above 0";
        case Kind::currency:
            return value.is_string() && value.as_string().size() == 3 ? "" : "must be ISO 4217";
        case Kind::text:
            return value.is_string() ? "" : "must be a string";
        case Kind::object:
            return value.is_object() ? "" : "must be an object";
        case Kind::objects:
            return value.is_array() &&
                           std::ranges::all_of(value.as_array(), &boost::json::value::is_object)
                       ? ""
                       : "must be a list of objects";
        case Kind::textPairs:
            return value.is_array() && std::ranges::all_of(value.as_array(), isTextPairs)
                       ? ""
                       : "must be a list of key and value strings";
        case Kind::reference:
            return value.is_object() && hasText(value.as_object(), "id") &&
                           hasText(value.as_object(), "instrumentType")
                       ? ""
                       : "needs an id and an instrumentType";
        case Kind::device:
            return value.is_object() && hasText(value.as_object(), "threatMetrixSessionId")
                       ? ""
                       : "needs a threatMetrixSessionId";
        case Kind::recipient:
            return isRecipient(value) ? "" : "needs a well-formed email or a customerId";
    }
    return "";
}

}  // namespace

std::vector<ErrorDocument::FieldError> fieldErrors(const boost::json::object& body,
                                                   std::span<const FieldRule> rules) {
    std::vector<ErrorDocument::FieldError> errors;
    for (const auto& rule : rules) {
        const auto* value = body.if_contains(rule.key);
        std::string_view error;
        if (value == nullptr || value->is_null()) {
            error = rule.required ? "is required" : "";
        } else {
            error = kindError(rule.kind, *value);
            if (error.empty() && !rule.oneOf.empty() &&
                std::ranges::find(rule.oneOf, std::string_view(value->as_string())) ==
                    rule.oneOf.end()) {
                error = rule.notOneOf;
            }
        }
        if (!error.empty()) errors.push_back({std::string(rule.key), std::string(error)});
    }
    return errors;
}

void storeFields(const boost::json::object& body, std::span<const FieldRule> rules,
                 boost::json::object& record) {
    for (const auto& rule : rules) {
        const auto* value = body.if_contains(rule.key);
        if (rule.stored && value != nullptr && !value->is_null()) record[rule.key] = *value;
    }
}

}  // namespace corvend::sandbox
