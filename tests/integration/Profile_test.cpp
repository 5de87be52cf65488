// The customer profile and identity verification end to end: the kit's repositories over a
// real network manager against the sandbox's profile routes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"
#include "CorvendWallet/services/profile/KycSessionStatus.hpp"
#include "CorvendWallet/services/profile/ProfileRepository.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::ProfileInclude;
using model::WalletError;

class ProfileTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<ProfileRepository> profile = ProfileRepository::make(manager);
};

TEST_F(ProfileTest, BlocksComeAsAskedAndAnOpenedAccountJoinsTheList) {
    const auto bare = profile->getProfile({});
    EXPECT_EQ(bare.birthDate(), platform::iso8601::parseFullDate("1990-05-17"));
    EXPECT_EQ(bare.occupation(), model::Occupation::engineering);
    EXPECT_FALSE(bare.accounts() || bare.address() || bare.contactInfo() || bare.restrictions());

    const auto full = profile->getProfile({ProfileInclude::incompleteOnboardingAttributes,
                                           ProfileInclude::accounts, ProfileInclude::restrictions,
                                           ProfileInclude::address, ProfileInclude::contactInfo});
    ASSERT_EQ(full.accounts()->size(), 1u);
    EXPECT_EQ(full.accounts()->front().instruments().size(), 2u);
    EXPECT_EQ(full.restrictions()->front().name(), model::UserRestriction::Name::cardDeposits);
    EXPECT_EQ(full.address()->city(), "Ljubljana");
    EXPECT_EQ(full.contactInfo()->email(), "ana@example.com");

    const auto opened = profile->addAccount(model::AddAccountRequest("USD"));
    EXPECT_EQ(opened.currencyCode(), "USD");
    EXPECT_TRUE(opened.instruments().empty());
    const auto accounts = profile->getAccounts();
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[1].id(), opened.id());
    EXPECT_EQ(profile->getSingleAccount(opened.id()).currencyCode(), "USD");

    const auto held =
        failureOf([&] { return profile->addAccount(model::AddAccountRequest("EUR")); });
    EXPECT_THAT(held, testing::IsWalletError(WalletError::dataError(
                          {.httpStatus = 409,
                           .code = "ACCOUNT_EXISTS",
                           .message = "The customer already has a EUR account.",
                           .errorID = lastRecordedCorrelationId()})));
}

TEST_F(ProfileTest, VerificationPageReturnsToTheKitsAddressAndCompletesTheSession) {
    const auto verification = CustomerVerificationRepository::make(manager);
    EXPECT_EQ(verification->getKycStatus().kycVerificationStatus(),
              model::KycVerificationStatus::inProgress);

    const auto session =
        manager->request(CustomerVerificationServiceEndpoint::createKycSession({"ref-1", "en"}));
    EXPECT_EQ(session.returnUrl, std::string(kWebReturnURL));
    ASSERT_TRUE(session.redirectUrl.has_value());

    // The page's "complete" link as a web view would first see it: a redirect to the kit's
    // return address.
    const auto [body, response] = platform::URLSession::make()->data(
        platform::URLRequest(*platform::URL::make(*session.redirectUrl + "/complete")));
    const auto& http = dynamic_cast<const platform::HTTPURLResponse&>(*response);
    EXPECT_EQ(http.statusCode(), 302);
    EXPECT_EQ(http.value("Location"), std::string(kWebReturnURL) + "?sessionId=" + session.id);

    const auto returned =
        manager->request(CustomerVerificationServiceEndpoint::kycSession(session.id));
    EXPECT_EQ(toVerificationResult(model::fromWire<KycSessionStatus>(returned.status)),
              model::VerificationResult::complete);
    EXPECT_EQ(verification->getKycStatus().kycVerificationStatus(),
              model::KycVerificationStatus::completed);
}

}  // namespace
}  // namespace corvend::integration
