#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/services/profile/KycSessionStatus.hpp"
#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::KycVerificationStatus;
using model::VerificationResult;
using model::WalletError;

TEST(CustomerVerificationTest, StatusAndSessionTablesKeepTheirOwnFinishedWord) {
    const auto network = std::make_shared<testing::FakeNetwork>();
    const auto repository = CustomerVerificationRepository::make(network);
    const struct {
        const char* wire;
        KycVerificationStatus status;
        VerificationResult sessionResult;
    } rows[] = {
        {"COMPLETED", KycVerificationStatus::completed, VerificationResult::failed},
        {"COMPLETE", KycVerificationStatus::unknown, VerificationResult::complete},
        {"completed", KycVerificationStatus::unknown, VerificationResult::failed},
        {"IN_PROGRESS", KycVerificationStatus::inProgress, VerificationResult::failed},
        {"INCOMPLETE", KycVerificationStatus::incomplete, VerificationResult::failed},
        {"CANCELLED", KycVerificationStatus::unknown, VerificationResult::cancelled},
        {"cancelled", KycVerificationStatus::unknown, VerificationResult::failed},
        {"EXPIRED", KycVerificationStatus::unknown, VerificationResult::failed},
    };
    for (const auto& row : rows) {
        network->setBody(std::string(R"({"customerId":"c-1","externalId":"x-1",)") +
                         R"("kycVerificationStatus":")" + row.wire + "\"}");
        const auto status = repository->getKycStatus();
        EXPECT_EQ(status.kycVerificationStatus(), row.status) << row.wire;
        EXPECT_EQ(status.customerId(), "c-1");
        EXPECT_EQ(status.externalId(), "x-1");
        EXPECT_EQ(toVerificationResult(model::fromWire<KycSessionStatus>(row.wire)),
                  row.sessionResult)
            << row.wire;
    }
    EXPECT_EQ(network->sent().at(0).url, testing::FakeNetwork::kBaseURL.absoluteString() +
                                             "digitalwallets/v1/profile/kyc/status");
    network->setBody(R"({"customerId":"c-1","kycVerificationStatus":"COMPLETED"})");
    EXPECT_THAT([&] { repository->getKycStatus(); },
                testing::ThrowsWalletError(WalletError::internalError("I0005")));
}

TEST(CustomerVerificationTest, SessionCallsCarryTheReturnURLAndOneSegmentIdentifiers) {
    const auto network = std::make_shared<testing::FakeNetwork>(
        std::string(R"({"merchantRefNum":"m-1","id":"s-1","status":"CREATED"})"));
    network->request(CustomerVerificationServiceEndpoint::createKycSession({"m-1", std::nullopt}));
    network->request(CustomerVerificationServiceEndpoint::kycSession("s/1"));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].method, "POST");
    EXPECT_EQ(sent[0].body,
              R"({"merchantRefNum":"m-1","returnUrl":")" + std::string(kWebReturnURL) + "\"}");
    EXPECT_TRUE(kWebReturnURL.starts_with("https://"));
    EXPECT_EQ(kWebReturnURL.find('/', 8), std::string_view::npos);
    EXPECT_EQ(sent[1].url, testing::FakeNetwork::kBaseURL.absoluteString() +
                               "digitalwallets/v1/profile/kyc/sessions/s%2F1");
    EXPECT_THAT([] { CustomerVerificationServiceEndpoint::kycSession("."); },
                testing::ThrowsWalletError(WalletError::internalError("I0001")));

    using Session = CustomerVerificationServiceEndpoint::KycSessionResponse;
    const testing::ReplyDocument session{
        {"merchantRefNum", R"("m")"}, {"id", R"("s")"}, {"status", R"("COMPLETE")"}};
    EXPECT_FALSE(testing::decodingFailure<Session>(session.text()));
    for (const char* required : {"merchantRefNum", "id", "status"}) {
        EXPECT_TRUE(testing::decodingFailure<Session>(session.without(required).text()))
            << required;
    }
}

// The screen reads a session's status by its own table; every spelling reaches its own case.
TEST(CustomerVerificationTest, SessionStatusReadsEverySpelling) {
    using S = KycSessionStatus;
    testing::expectEachSpellingRead<S>(
        {{"CREATED", S::created},
         {"INITIATED", S::initiated},
         {"COMPLETE", S::complete},
         {"CANCELLED", S::cancelled},
         {"ABANDONED", S::abandoned},
         {"EXPIRED", S::expired}},
        [](const std::string& status) {
            return model::fromWire<S>(
                testing::decodedReply<CustomerVerificationServiceEndpoint::KycSessionResponse>(
                    R"({"merchantRefNum":"m","id":"s","status":)" + status + "}")
                    .status);
        });
}

}  // namespace
}  // namespace corvend
