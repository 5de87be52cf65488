#include "CorvendWallet/services/profile/ProfileRepository.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "CorvendWallet/services/profile/ProfileServiceEndpoint.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::ProfileInclude;
using model::WalletError;

const std::string kProfile =
    testing::FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile";
constexpr const char* kAccount = R"({"id":"a-1","currencyCode":"EUR"})";

class ProfileRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<testing::FakeNetwork> network = std::make_shared<testing::FakeNetwork>(
        std::string(R"({"id":"c-1","firstName":"A","lastName":"B"})"));
    std::shared_ptr<ProfileRepository> repository = ProfileRepository::make(network);
};

TEST_F(ProfileRepositoryTest, IncludeItemsFollowTheCallersOrderWithRepeats) {
    repository->getProfile({});
    repository->getProfile({ProfileInclude::incompleteOnboardingAttributes,
                            ProfileInclude::accounts, ProfileInclude::contactInfo,
                            ProfileInclude::contactInfo, ProfileInclude::restrictions,
                            ProfileInclude::address});
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].url, kProfile);
    EXPECT_EQ(sent[1].url, kProfile +
                               "?include=INCOMPLETE_ONBOARDING_ATTRIBUTES&include=ACCOUNTS"
                               "&include=CONTACTINFO&include=CONTACTINFO&include=RESTRICTIONS"
                               "&include=ADDRESS");
    EXPECT_EQ(sent[1].method, "GET");
    EXPECT_EQ(sent[1].body, std::nullopt);
}

TEST_F(ProfileRepositoryTest, EveryAccountListPerformsTheOneProcessWideEndpoint) {
    network->setBody(std::string("[") + kAccount + "," + kAccount + "]");
    EXPECT_EQ(repository->getAccounts().size(), 2u);
    EXPECT_EQ(ProfileRepository::make(network)->getAccounts().size(), 2u);
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].url, kProfile + "/accounts");
    EXPECT_EQ(sent[0].endpoint, &ProfileServiceEndpoint::accountsEndpoint());
    EXPECT_EQ(sent[1].endpoint, sent[0].endpoint);
    EXPECT_EQ(&ProfileServiceEndpoint::accountsPath(), &ProfileServiceEndpoint::accountsPath());

    network->setBody(kAccount);  // an object where the list is an array
    EXPECT_THAT([&] { repository->getAccounts(); },
                testing::ThrowsWalletError(WalletError::internalError("I0005")));
}

TEST_F(ProfileRepositoryTest, SingleAccountAndAddAccountCalls) {
    network->setBody(kAccount);
    EXPECT_EQ(repository->getSingleAccount("a-1").id(), "a-1");
    network->setBody(R"({"id":"a/b","currencyCode":"EUR"})");
    repository->getSingleAccount("a/b");
    EXPECT_EQ(repository->addAccount(model::AddAccountRequest("EUR")).currencyCode(), "EUR");
    EXPECT_THAT([&] { repository->getSingleAccount(".."); },
                testing::ThrowsWalletError(WalletError::internalError("I0001")));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, kProfile + "/accounts/a-1");
    EXPECT_EQ(sent[1].url, kProfile + "/accounts/a%2Fb");
    EXPECT_EQ(sent[2].method, "POST");
    EXPECT_EQ(sent[2].url, kProfile + "/accounts");
    EXPECT_EQ(sent[2].contentType, "application/json");
    EXPECT_EQ(sent[2].body, R"({"currencyCode":"EUR"})");
    EXPECT_THROW(ProfileRepository(nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace corvend
