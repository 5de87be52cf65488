#include "FieldRule.hpp"

#include <gtest/gtest.h>

#include <boost/json/parse.hpp>
#include <string>
#include <vector>

namespace corvend::sandbox {
namespace {

using Kind = FieldRule::Kind;

constexpr std::string_view kOptions[] = {"CARD", "BANK_TRANSFER"};
constexpr FieldRule kRules[] = {
    {.key = "amount", .kind = Kind::amount, .required = true},
    {.key = "currencyCode", .kind = Kind::currency, .required = true},
    {.key = "paymentOption", .oneOf = kOptions, .notOneOf = "is not an option"},
    {.key = "paymentInstrumentReference", .kind = Kind::reference},
    {.key = "returnUrls", .kind = Kind::objects},
    {.key = "paymentProperties", .kind = Kind::textPairs},
    {.key = "deviceInfo", .kind = Kind::device, .required = true, .stored = false},
    {.key = "recipient", .kind = Kind::recipient},
};

std::vector<std::string> failingFields(const std::string& body) {
    std::vector<std::string> fields;
    for (const auto& error : fieldErrors(boost::json::parse(body).as_object(), kRules)) {
        fields.push_back(error.field);
    }
    return fields;
}

TEST(FieldRuleTest, NamesEveryFieldThatBreaksItsRuleInTheRulesOrder) {
    const std::string valid =
        R"("amount":1,"currencyCode":"EUR","deviceInfo":{"threatMetrixSessionId":"fp"})";
    const struct {
        std::string body;
        std::vector<std::string> fields;
    } cases[] = {
        {"{" + valid + "}", {}},
        {"{" + valid +
             R"(,"paymentOption":"CARD","paymentInstrumentReference":{"id":"p",)"
             R"("instrumentType":"CARD"},"returnUrls":[{}],"paymentProperties":[]})",
         {}},
        // Null is missing: the kit leaves absent values out.
        {R"({"amount":null,"currencyCode":"EUR","deviceInfo":null})", {"amount", "deviceInfo"}},
        {R"({"deviceInfo":[],"currencyCode":"EURO","amount":0})",
         {"amount", "currencyCode", "deviceInfo"}},
        {R"({"amount":1.5,"currencyCode":978,"deviceInfo":{"threatMetrixSessionId":"fp"}})",
         {"amount", "currencyCode"}},
        // The device block names the profiling session by the service's key, as a string.
        {R"({"amount":1,"currencyCode":"EUR","deviceInfo":{}})", {"deviceInfo"}},
        {R"({"amount":1,"currencyCode":"EUR","deviceInfo":{"deviceSessionId":"fp"}})",
         {"deviceInfo"}},
        {R"({"amount":1,"currencyCode":"EUR","deviceInfo":{"threatMetrixSessionId":7}})",
         {"deviceInfo"}},
        {"{" + valid + R"(,"paymentOption":"BANK"})", {"paymentOption"}},
        {"{" + valid + R"(,"paymentInstrumentReference":{"id":"p"}})",
         {"paymentInstrumentReference"}},
        {"{" + valid + R"(,"returnUrls":[{},"x"]})", {"returnUrls"}},
        {"{" + valid + R"(,"paymentProperties":[{"key":"K","value":1}]})", {"paymentProperties"}},
        // A recipient is someone the service can name: by a well-formed address, or else its
        // customer identifier.
        {"{" + valid + R"(,"recipient":{"email":"ana@example.com"}})", {}},
        {"{" + valid + R"(,"recipient":{"customerId":"c-1","email":null}})", {}},
        {"{" + valid + R"(,"recipient":{"email":""}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":" "}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":"ana"}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":"ana@"}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":"ana @example.com"}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":"ana@example..com"}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"email":"x","customerId":"c-1"}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{"customerId":""}})", {"recipient"}},
        {"{" + valid + R"(,"recipient":{}})", {"recipient"}},
    };
    for (const auto& c : cases) EXPECT_EQ(failingFields(c.body), c.fields) << c.body;
}

TEST(FieldRuleTest, StoresTheStoredFieldsThatArePresent) {
    boost::json::object record{{"id", "r-1"}};
    storeFields(boost::json::parse(R"({"amount":5,"currencyCode":"EUR","deviceInfo":{},)"
                                   R"("returnUrls":null,"unknown":1})")
                    .as_object(),
                kRules, record);
    EXPECT_EQ(record, boost::json::parse(R"({"id":"r-1","amount":5,"currencyCode":"EUR"})"));
}

}  // namespace
}  // namespace corvend::sandbox
