#include "CorvendWallet/services/cards/CardServiceEndpoint.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardParameters.hpp"
#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "CorvendWallet/services/cards/CardTokenization.hpp"
#include "CorvendWallet/services/cards/InstrumentVerificationStatus.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::Card;
using testing::decodingFailure;
using testing::encodedJSON;
using Kind = platform::DecodingError::Kind;
namespace wire = CardServiceEndpoint;

constexpr const char* kCard =
    R"({"cardId":"c","status":"S","customerId":"u","cardType":"T","programName":"P",)"
    R"("currency":"EUR","accountId":"a","scheme":"MC")";

TEST(CardServiceEndpointTest, RepliesFailWholeOnlyForWhatIsRequired) {
    const auto card = [](const std::string& tail,
                         const std::string& created = R"("2024-03-05T14:07:09.5+01:00")") {
        return std::string(kCard) + R"(,"createdDate":)" + created + tail + "}";
    };
    const struct {
        std::function<std::optional<Kind>()> decode;
        std::optional<Kind> failure;
    } rows[] = {
        {[&] { return decodingFailure<wire::CardResponse>(card(R"(,"isPinSet":true)")); }, {}},
        {[&] { return decodingFailure<wire::CardResponse>(card("")); }, Kind::keyNotFound},
        {[&] {
             return decodingFailure<wire::CardResponse>(
                 card(R"(,"isPinSet":true,"activationDate":null,"tokenizations":null)"));
         },
         {}},
        {[&] { return decodingFailure<wire::CardResponse>(card(R"(,"isPinSet":true)", "null")); },
         Kind::valueNotFound},
        {[&] {
             return decodingFailure<wire::CardResponse>(
                 card(R"(,"isPinSet":true)", R"("2024-03-05")"));
         },
         Kind::dataCorrupted},
        {[&] { return decodingFailure<wire::CardResponse>(card(R"(,"isPinSet":1)")); },
         Kind::typeMismatch},
        {[&] {
             return decodingFailure<wire::CardResponse>(
                 card(R"(,"isPinSet":true,"expiry":{"month":1})"));
         },
         Kind::keyNotFound},
        {[&] {
             return decodingFailure<wire::CardResponse>(card(
                 R"(,"isPinSet":true,"tokenizations":{"mobileWalletTokenizations":[{"dpanRef":"d",)"
                 R"("walletType":"X"}]})"));
         },
         Kind::keyNotFound},
        {[] { return decodingFailure<wire::CardListResponse>(R"({"cards":[]})"); }, {}},
        {[] {
             return decodingFailure<wire::CardSensitiveDetailsResponse>(
                 R"({"pan":"1","cvv":"2","cardHolderName":"n"})");
         },
         Kind::keyNotFound},
        {[] { return decodingFailure<wire::ProgramListResponse>(R"({"programs":null})"); }, {}},
        {[] {
             return decodingFailure<wire::ProgramListResponse>(
                 R"({"programs":[{"cardType":"V","scheme":"MC","name":"n","currencies":[],)"
                 R"("allowableCards":"1","isDigital":true}]})");
         },
         Kind::typeMismatch},
        {[] {
             return decodingFailure<wire::CardTokenizationResponse>(
                 R"({"cardNetwork":"VISA","tokenProvider":"x","cardLastDigits":"1"})");
         },
         {}},
        {[] {
             return decodingFailure<wire::CardTokenizationResponse>(
                 R"({"cardNetwork":"VISA","tokenProvider":"x","cardLastDigits":"1",)"
                 R"("customer":{"address1":"a","city":"c","countryCode":"IE","postalCode":"p",)"
                 R"("name":"n"}})");
         },
         Kind::keyNotFound},
        {[] {
             return decodingFailure<wire::SecureDetails>(
                 R"({"cardId":"c","flow":"SHOW_DETAILS","redirectUrl":""})");
         },
         {}},
        {[] {
             return decodingFailure<wire::SecureDetails>(
                 R"({"cardId":"c","flow":"show_details","redirectUrl":""})");
         },
         Kind::dataCorrupted},
        {[] { return decodingFailure<wire::SecureDetails>(R"({"cardId":"c","redirectUrl":""})"); },
         Kind::keyNotFound},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(rows[i].decode(), rows[i].failure) << "row " << i;
    }
}

TEST(CardServiceEndpointTest, BodiesWriteWhatIsSetAndLeaveTheRestOut) {
    const model::DeliveryAddress address("1 Main St", std::nullopt, "Flat 2", "Cork", "IE",
                                         std::nullopt, "T12");
    const struct {
        std::string written;
        const char* expected;
    } rows[] = {
        {encodedJSON(CardRepository::cardRequest({"P", "EUR"}, "ua")),
         R"({"programName":"P","currency":"EUR","userAgent":"ua"})"},
        {encodedJSON(CardRepository::cardRequest(
             {"P", "EUR", "+353", "1234", "ext", address, false, true}, "ua")),
         R"({"programName":"P","currency":"EUR","mobile":"+353","cardPin":"1234","externalId":"ext",)"
         R"("userAgent":"ua","deliveryAddress":{"address1":"1 Main St","address3":"Flat 2",)"
         R"("city":"Cork","countryCode":"IE","postalCode":"T12"},)"
         R"("termsAndConditionsAccepted":false,"eDisclosureAccepted":true})"},
        {encodedJSON(
             CardRepository::cardUpdateRequest({Card::CardStatus::cancelled, "lost"}, "ua")),
         R"({"status":"CANCELLED","statusReason":"lost","userAgent":"ua"})"},
        {encodedJSON(CardRepository::cardTokenizationRequest(
             {std::nullopt, "sub", std::nullopt, std::nullopt})),
         R"({"walletType":"APPLE_PAY","subordinateCertificate":"sub"})"},
        {encodedJSON(CardRepository::mobileWalletTokenizationRequest(
             {"d", model::MobileWalletTokenization::MobileWalletStatus::completed})),
         R"({"dpanRef":"d","walletType":"APPLE_PAY","status":"COMPLETED"})"},
        {encodedJSON(CardRepository::mobileWalletTokenizationRequest(
             CardRepository::mobileWalletTokenization({"d", "w", "NFC_PAY", "PENDING"}))),
         R"({"dpanRef":"d","walletId":"w","walletType":"UNKNOWN","status":"UNKNOWN"})"},
        {encodedJSON(wire::SecureDetailsRequest{.deviceInfo = DeviceInfoModel::mobileApp("fp")}),
         R"({"flow":"SHOW_DETAILS","deviceInfo":{"threatMetrixSessionId":"fp","appType":"MOBILE_APP"}})"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.written, row.expected);
}

TEST(CardServiceEndpointTest, ListQueriesKeepTheirOrderAndJoinTheStatuses) {
    using S = Card::CardStatus;
    const struct {
        model::CardParameters parameters;
        const char* query;
    } rows[] = {
        {{}, ""},
        {{std::nullopt, std::nullopt, 20, 40}, "?limit=20&offset=40"},
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::vector<S>{}}, "?status="},
        {{Card::CardType::unknown, Card::CardIncludesParam::tokenizations, 1, 0,
          std::vector<S>{S::active, S::locked, S::unknown}},
         "?cardType=UNKNOWN&include=TOKENIZATIONS&limit=1&offset=0&status=ACTIVE%2CLOCKED%"
         "2CUNKNOWN"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wire::cards(row.parameters.queryParams()).urlText(),
                  std::string(wire::kCardsPath) + row.query);
    }
}

TEST(CardServiceEndpointTest, WireVocabularies) {
    using testing::expectWireVocabulary;
    expectWireVocabulary<Card::CardStatus>(
        {"ACTIVE", "PENDING", "CANCELLED", "SUSPENDED", "APPLIED", "DIGITAL", "REJECTED", "LOCKED",
         "EXPIRED", "ISSUED"},
        "UNKNOWN");
    expectWireVocabulary<Card::CardType>({"PHYSICAL", "VIRTUAL"}, "UNKNOWN");
    expectWireVocabulary<model::CardScheme>({"MC", "VISA"}, "UNKNOWN");
    expectWireVocabulary<model::MobileWalletType>({"GOOGLE_PAY", "APPLE_PAY", "SAMSUNG_PAY"},
                                                  "UNKNOWN");
    expectWireVocabulary<model::MobileWalletTokenization::MobileWalletStatus>(
        {"COMPLETED", "INITIATED"}, "UNKNOWN");
    expectWireVocabulary<model::CardTokenization::CardNetworkType>(
        {"CARD_NETWORK_VISA", "CARD_NETWORK_MASTERCARD"}, "UNKNOWN");
    expectWireVocabulary<model::CardTokenization::CardTokenProvider>(
        {"TOKEN_PROVIDER_VISA", "TOKEN_PROVIDER_MASTERCARD"}, "UNKNOWN");
    expectWireVocabulary<model::InstrumentVerificationStatus>(
        {"ACTIVE", "ONGOING_VERIFICATION", "AWAITING_USER_INPUT", "COMPLETED", "FAILED"},
        "UNKNOWN");
    expectWireVocabulary<model::InstrumentVerificationFailStatusReason>(
        {"UNSUPPORTED_BANK", "NAME_MISMATCH", "INSTRUMENT_NOT_UNIQUE", "MISSING_DETAILS",
         "INTERNAL_ERROR", "SESSION_EXPIRED", "USER_ABANDONED_PROCESS", "USER_INTERACTION_ERROR",
         "OTHER"},
        "UNKNOWN");
    EXPECT_EQ(model::fromWire<model::CardTokenization::CardNetworkType>("VISA"),
              model::CardTokenization::CardNetworkType::unknown);
}

}  // namespace
}  // namespace corvend
