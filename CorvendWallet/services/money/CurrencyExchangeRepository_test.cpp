#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"

#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend {
namespace {

using model::WalletError;

const platform::URL kBaseURL = *platform::URL::make("https://wallet.example/api/");

constexpr std::string_view kQuoteReply =
    R"({"id":"fxq-1","sourceCurrency":"EUR","targetCurrency":"USD",)"
    R"("creationTime":"2023-03-14T09:26:53Z","expirationTime":"2023-03-14T09:36:53.589Z",)"
    R"("fxRate":1.0850,"sender":"customer-7"})";

// Builds each request as a network manager would, records it, and answers 200 with `body`.
class FakeNetwork : public Networkable {
  public:
    struct Sent {
        std::string method;
        std::string url;
        std::optional<std::string> contentType;
        std::optional<std::string> body;
        std::vector<std::pair<std::string, std::string>> headers;
    };

    std::string body = std::string(kQuoteReply);

    std::vector<Sent> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }

  protected:
    void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) override {
        const auto request = endpoint.urlRequest(kBaseURL);
        {
            std::lock_guard lock(mutex_);
            sent_.push_back({request.httpMethod(), request.url().absoluteString(),
                             request.value("Content-Type"),
                             request.httpBody()
                                 ? std::optional(std::string(request.httpBody()->view()))
                                 : std::nullopt,
                             request.allHTTPHeaderFields()});
        }
        const platform::HTTPURLResponse response(request.url(), 200, {});
        handleReply(&response, platform::Data(body), NetworkManagerErrorReporter::none());
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Sent> sent_;
};

platform::Date date(std::string_view text) {
    auto parsed = platform::iso8601::parseInternetDateTimeWithFractionalSeconds(text);
    if (!parsed) parsed = platform::iso8601::parseInternetDateTime(text);
    return parsed.value();
}

class CurrencyExchangeRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>();
    std::shared_ptr<CurrencyExchangeRepository> repository =
        CurrencyExchangeRepository::make(network);
};

TEST_F(CurrencyExchangeRepositoryTest, GetQuoteSendsTheIdentifierAsOnePathSegment) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"fxq-1", "fxq-1"}, {"", ""},  // nothing after the slash
        {"a/b", "a%2Fb"},   {"a b?c#d", "a%20b%3Fc%23d"},
        {"%2F", "%252F"},   {"\xC3\xA9", "%C3%A9"},
        {"...", "..."},  // not a dot segment
        {"-._~", "-._~"},
    };
    for (const auto& [id, segment] : rows) {
        SCOPED_TRACE(id);
        const auto before = network->sent().size();
        repository->getQuote(id);
        const auto sent = network->sent();
        ASSERT_EQ(sent.size(), before + 1);
        EXPECT_EQ(sent.back().method, "GET");
        EXPECT_EQ(sent.back().url,
                  "https://wallet.example/api/digitalwallets/v1/profile/fxrate/" + segment);
        EXPECT_EQ(sent.back().body, std::nullopt);
        EXPECT_TRUE(sent.back().headers.empty());
    }
}

TEST_F(CurrencyExchangeRepositoryTest, DotSegmentsAreRefusedBeforeSending) {
    for (const std::string id : {".", ".."}) {
        try {
            repository->getQuote(id);
            ADD_FAILURE() << id << " was accepted";
        } catch (const WalletError& error) {
            EXPECT_EQ(error, WalletError::internalError("I0001")) << id;
        }
    }
    EXPECT_TRUE(network->sent().empty());
}

TEST_F(CurrencyExchangeRepositoryTest, CreateQuotePostsTheCodesAsJSON) {
    repository->createQuote({"eur", "USD"});
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "POST");
    EXPECT_EQ(sent[0].url, "https://wallet.example/api/digitalwallets/v1/profile/fxrate");
    EXPECT_EQ(sent[0].contentType, "application/json");
    EXPECT_EQ(sent[0].body, R"({"sourceCurrency":"eur","targetCurrency":"USD"})");
    ASSERT_EQ(sent[0].headers.size(), 1u);  // the content type alone
}

TEST_F(CurrencyExchangeRepositoryTest, BothOperationsCopyTheReplyOneToOne) {
    for (const bool create : {false, true}) {
        const auto rate =
            create ? repository->createQuote({"EUR", "USD"}) : repository->getQuote("fxq-1");
        EXPECT_EQ(rate.id(), "fxq-1");
        EXPECT_EQ(rate.sourceCurrency(), "EUR");
        EXPECT_EQ(rate.targetCurrency(), "USD");
        EXPECT_EQ(rate.creationTime(), date("2023-03-14T09:26:53Z"));
        EXPECT_EQ(rate.expirationTime(), date("2023-03-14T09:36:53.589Z"));
        EXPECT_EQ(rate.fxRate().toString(), "1.0850");
        EXPECT_EQ(rate.sender(), "customer-7");
    }
}

TEST_F(CurrencyExchangeRepositoryTest, ImplausibleValuesArePassedOnUnchecked) {
    network->body =
        R"({"sourceCurrency":"EUR","targetCurrency":"EUR","creationTime":"2023-03-14T09:26:53Z",)"
        R"("expirationTime":"2020-01-01T00:00:00Z","fxRate":0})";
    const auto rate = repository->getQuote("fxq-1");
    EXPECT_EQ(rate.id(), std::nullopt);
    EXPECT_EQ(rate.sender(), std::nullopt);
    EXPECT_LT(rate.expirationTime(), rate.creationTime());
    EXPECT_TRUE(rate.fxRate().isZero());
}

}  // namespace
}  // namespace corvend
