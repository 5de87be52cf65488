#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::WalletError;
using testing::replyDate;

const std::string kQuotes =
    testing::FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/fxrate";

constexpr std::string_view kQuoteReply =
    R"({"id":"fxq-1","sourceCurrency":"EUR","targetCurrency":"USD",)"
    R"("creationTime":"2023-03-14T09:26:53Z","expirationTime":"2023-03-14T09:36:53.589Z",)"
    R"("fxRate":1.0850,"sender":"customer-7"})";

class CurrencyExchangeRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<testing::FakeNetwork> network =
        std::make_shared<testing::FakeNetwork>(std::string(kQuoteReply));
    std::shared_ptr<CurrencyExchangeRepository> repository =
        CurrencyExchangeRepository::make(network);
};

TEST_F(CurrencyExchangeRepositoryTest, GetQuoteReadsTheIdentifierAsOnePathSegment) {
    std::string reply(kQuoteReply);
    network->setBody(reply.replace(reply.find("fxq-1"), 5, "a/b?c"));
    repository->getQuote("a/b?c");
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "GET");
    EXPECT_EQ(sent[0].url, kQuotes + "/a%2Fb%3Fc");
    EXPECT_EQ(sent[0].body, std::nullopt);
    EXPECT_TRUE(sent[0].headers.empty());
    for (const char* id : {"", ".."}) {
        EXPECT_THAT([&] { repository->getQuote(id); },
                    testing::ThrowsWalletError(WalletError::internalError("I0001")));
    }
    EXPECT_EQ(network->sent().size(), 1u);
    EXPECT_THROW(CurrencyExchangeRepository(nullptr), std::invalid_argument);
}

TEST_F(CurrencyExchangeRepositoryTest, CreateQuotePostsTheCodesAsGiven) {
    repository->createQuote({"eur", "USD"});
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, kQuotes);
    EXPECT_EQ(sent.contentType, "application/json");
    EXPECT_EQ(sent.body, R"({"sourceCurrency":"eur","targetCurrency":"USD"})");
    EXPECT_EQ(sent.headers.size(), 1u);  // the content type alone
}

TEST_F(CurrencyExchangeRepositoryTest, BothOperationsCopyTheReplyOneToOne) {
    for (const bool create : {false, true}) {
        const auto rate =
            create ? repository->createQuote({"EUR", "USD"}) : repository->getQuote("fxq-1");
        EXPECT_EQ(rate.id(), "fxq-1");
        EXPECT_EQ(rate.sourceCurrency(), "EUR");
        EXPECT_EQ(rate.targetCurrency(), "USD");
        EXPECT_EQ(rate.creationTime(), replyDate("2023-03-14T09:26:53Z"));
        EXPECT_EQ(rate.expirationTime(), replyDate("2023-03-14T09:36:53.589Z"));
        EXPECT_EQ(rate.fxRate().toString(), "1.0850");
        EXPECT_EQ(rate.sender(), "customer-7");
    }
}

TEST_F(CurrencyExchangeRepositoryTest, ImplausibleValuesArePassedOnUnchecked) {
    network->setBody(
        R"({"sourceCurrency":"EUR","targetCurrency":"EUR","creationTime":"2023-03-14T09:26:53Z",)"
        R"("expirationTime":"2020-01-01T00:00:00Z","fxRate":0})");
    const auto rate = repository->getQuote("fxq-1");
    EXPECT_EQ(rate.id(), std::nullopt);
    EXPECT_LT(rate.expirationTime(), rate.creationTime());
    EXPECT_TRUE(rate.fxRate().isZero());
}

}  // namespace
}  // namespace corvend
