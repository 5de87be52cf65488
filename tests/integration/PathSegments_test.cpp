// Identifiers placed in endpoint paths stay one path segment on the wire.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <boost/json/object.hpp>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/PathSegment.hpp"
#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"
#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"
#include "CorvendWallet/services/profile/ProfileRepository.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

constexpr std::string_view kItemsPath = "digitalwallets/v1/profile/items/";

// What the item route saw: its one path parameter and its filter, both decoded.
struct Item {
    std::string itemId;
    std::optional<std::string> filter;
};
BOOST_DESCRIBE_STRUCT(Item, (), (itemId, filter))

class PathSegmentsTest : public SandboxTest {
  protected:
    PathSegmentsTest() {
        sandbox.addRoute("GET", std::string(kItemsPath) + "{itemId}",
                         [](const sandbox::RouteRequest& request) {
                             boost::json::object item{{"itemId", *request.pathParameter("itemId")}};
                             if (auto filter = request.queryItem("filter"))
                                 item["filter"] = *filter;
                             return sandbox::Reply::json(200, item);
                         });
    }

    Item requestItem(std::string_view identifier, const std::vector<HTTPQueryParam>& query = {}) {
        return manager->request(
            jsonGetEndpoint<Item>(std::string(kItemsPath) + pathSegment(identifier), query));
    }

    std::shared_ptr<NetworkManager> manager = configuredManager();
};

TEST_F(PathSegmentsTest, ReservedCharactersReachTheServiceAsOneSegment) {
    const std::pair<std::string, std::string> identifiers[] = {{"a/b", "a%2Fb"},
                                                               {"a#b", "a%23b"},
                                                               {"a%2Fb", "a%252Fb"},
                                                               {"a+b c", "a%2Bb%20c"},
                                                               {"...", "..."}};
    for (const auto& [identifier, encoded] : identifiers) {
        sandbox.clearRequests();
        EXPECT_EQ(requestItem(identifier).itemId, identifier);
        const auto requests = sandbox.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests.front().target, "/" + std::string(kItemsPath) + encoded);
    }
}

TEST_F(PathSegmentsTest, QueryValuesKeepReservedCharacters) {
    const auto item = requestItem("a/b", {{"filter", "x+y&z=1#2 %"}});

    EXPECT_EQ(item.itemId, "a/b");
    EXPECT_EQ(item.filter, "x+y&z=1#2 %");
    EXPECT_EQ(sandbox.requests().at(0).target.find('#'), std::string::npos);
}

// Opens nothing; the verification pages are not under test here.
class NoOpener final : public platform::URLOpener {
  public:
    using URLOpener::open;
    void open(const platform::URL&, const Options&, std::function<void(bool)> completion) override {
        completion(false);
    }
};

// The kit's services over one user-authenticated manager.
class ServicePathsTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<testing::FakeDeviceFingerprintProvider> fingerprint =
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-paths");
    const std::shared_ptr<PaymentInstrumentRepository> instruments =
        PaymentInstrumentRepository::make(manager, std::make_shared<NoOpener>());
};

// An empty identifier would name the collection ("cards//details", "instruments/CARD/"), so
// it is refused like "." and "..".
TEST_F(ServicePathsTest, EmptyIdentifiersAreRefusedBeforeSending) {
    const auto cards =
        CardRepository::make(CardRepositoryComponent::make(manager, fingerprint, properties));
    const auto deposits = DepositRepository::make(manager, fingerprint);
    const auto withdrawals = WithdrawalRepository::make(manager, fingerprint);
    const auto transfers = TransferRepository::make(manager, fingerprint);
    const auto quotes = CurrencyExchangeRepository::make(manager);
    const auto profile = ProfileRepository::make(manager);
    const auto transactions = TransactionHistoryRepository::make(manager);
    const auto authorizations = AuthorizationHistoryRepository::make(manager);
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"instrument delete",
         [&] {
             instruments->delete_({"", model::InstrumentType::card});
         }},
        {"instrument read",
         [&] {
             instruments->get({"", model::InstrumentType::card});
         }},
        {"card details", [&] { cards->getDetails(""); }},
        {"card activation",
         [&] {
             cards->activate("", {"1234", "123"});
         }},
        {"deposit read", [&] { deposits->get(""); }},
        {"deposit confirm", [&] { deposits->confirm(model::DepositConfirm("", std::nullopt)); }},
        {"withdrawal read", [&] { withdrawals->get(""); }},
        {"transfer read", [&] { transfers->get(""); }},
        {"quote read", [&] { quotes->getQuote(""); }},
        {"account read", [&] { profile->getSingleAccount(""); }},
        {"transaction read", [&] { transactions->getTransaction(""); }},
        {"authorization read", [&] { authorizations->getAuthorization(""); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_THAT(call, testing::ThrowsWalletError(model::WalletError::internalError("I0001")))
            << name;
    }
    EXPECT_TRUE(sandbox.requests().empty());
}

// A verification session read keeps its own rule: an empty identifier reads the collection
// path followed by "/", whether given or taken from a return address.
TEST_F(ServicePathsTest, AnEmptyVerificationSessionStillReadsTheCollectionPath) {
    failureOf([&] { instruments->getVerification(""); });
    failureOf([&] {
        instruments->completeExternalVerificationFlow("https://host.example/done?sessionId=");
    });
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.target, "/digitalwallets/v1/profile/instrument-verifications/");
    }
}

}  // namespace
}  // namespace corvend::integration
