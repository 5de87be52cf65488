// Identifiers placed in endpoint paths stay one path segment on the wire, and a call on one
// record by its identifier takes only that record's reply.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <boost/json/object.hpp>
#include <boost/json/parse.hpp>
#include <boost/json/serialize.hpp>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
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
    const std::shared_ptr<CardRepository> cards =
        CardRepository::make(CardRepositoryComponent::make(manager, fingerprint, properties));
    const std::shared_ptr<DepositRepository> deposits =
        DepositRepository::make(manager, fingerprint);
    const std::shared_ptr<WithdrawalRepository> withdrawals =
        WithdrawalRepository::make(manager, fingerprint);
    const std::shared_ptr<TransferRepository> transfers =
        TransferRepository::make(manager, fingerprint);
    const std::shared_ptr<CurrencyExchangeRepository> quotes =
        CurrencyExchangeRepository::make(manager);
    const std::shared_ptr<ProfileRepository> profile = ProfileRepository::make(manager);
    const std::shared_ptr<TransactionHistoryRepository> transactions =
        TransactionHistoryRepository::make(manager);
    const std::shared_ptr<AuthorizationHistoryRepository> authorizations =
        AuthorizationHistoryRepository::make(manager);

    // The body the sandbox answers a read of `path` with, as sent.
    std::string replyBody(const std::string& path) const {
        return manager->request(Endpoint<std::string>(
            path, HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
            {[](const std::optional<platform::Data>& body) {
                return std::string(body->data(), body->size());
            }},
            defaultErrorProcessor()));
    }
};

// An empty identifier would name the collection ("cards//details", "instruments/CARD/"), so
// it is refused like "." and "..".
TEST_F(ServicePathsTest, EmptyIdentifiersAreRefusedBeforeSending) {
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

// A reply to a call on one record that names another (a gateway or cache that mixed up replies)
// is refused with "I0010" naming it, whatever the call; a reply that names none stands.
TEST_F(ServicePathsTest, ACallOnOneRecordRefusesAReplyNamingAnother) {
    const auto card = cards->create({cards->getPrograms().programs().at(0).name(), "EUR"}).cardID();
    const auto quote = quotes->createQuote({"EUR", "USD"}).id().value_or("");
    const auto session =
        instruments->startVerification({"https://h/r", model::InstrumentType::card}).id();
    struct Row {
        const char* name;
        const char* method;
        std::string path;    // under the profile, for the record "asked"
        std::string record;  // the one the reply is about
        std::function<void()> call;
        bool named = true;  // false: the reply names no record
    };
    const Row rows[] = {
        {"deposit read", "GET", "deposits/asked", "dep-seed-1", [&] { deposits->get("asked"); }},
        {"deposit create", "POST", "deposits/asked/status", "dep-seed-1",
         [&] {
             deposits->create({"asked", std::nullopt, nullptr});
         }},
        {"deposit confirm", "POST", "deposits/asked/status", "dep-seed-1",
         [&] {
             deposits->confirm({"asked", std::nullopt});
         }},
        {"withdrawal read", "GET", "withdrawals/asked", "wd-seed-1",
         [&] { withdrawals->get("asked"); }},
        {"withdrawal create", "POST", "withdrawals/asked/status", "wd-seed-1",
         [&] {
             withdrawals->create({"asked", std::nullopt});
         }},
        {"withdrawal confirm", "POST", "withdrawals/asked/status", "wd-seed-1",
         [&] {
             withdrawals->confirm({"asked", std::nullopt});
         }},
        {"transfer read", "GET", "transfers/asked", "tr-seed-1", [&] { transfers->get("asked"); }},
        {"transfer create", "POST", "transfers/asked/status", "tr-seed-1",
         [&] {
             transfers->create({"asked", std::nullopt});
         }},
        {"transfer confirm", "POST", "transfers/asked/status", "tr-seed-1",
         [&] {
             transfers->confirm({"asked", std::nullopt});
         }},
        {"card read", "GET", "prepaid/cards/asked", card, [&] { cards->get("asked"); }},
        {"card update", "PATCH", "prepaid/cards/asked", card, [&] { cards->update("asked", {}); }},
        {"card activation", "POST", "prepaid/cards/asked/activation", card,
         [&] {
             cards->activate("asked", {"1234", "123"});
         }},
        {"instrument read", "GET", "instruments/CARD/asked", "pi-sandbox-card",
         [&] {
             instruments->get({"asked", model::InstrumentType::card});
         }},
        {"instrument delete", "DELETE", "instruments/CARD/asked", "pi-sandbox-card",
         [&] {
             instruments->delete_({"asked", model::InstrumentType::card});
         }},
        {"verification read", "GET", "instrument-verifications/asked", session,
         [&] { instruments->getVerification("asked"); }},
        {"verification return", "GET", "instrument-verifications/asked", session,
         [&] { instruments->completeExternalVerificationFlow("https://h/r?sessionId=asked"); }},
        {"account read", "GET", "accounts/asked", "acc-sandbox-1",
         [&] { profile->getSingleAccount("asked"); }},
        {"transaction read", "GET", "transactions/asked", "txn-dep-seed-1",
         [&] { transactions->getTransaction("asked"); }},
        {"authorization read", "GET", "authorizations/asked", "auth-01",
         [&] { authorizations->getAuthorization("asked"); }},
        {"quote read", "GET", "fxrate/asked", quote, [&] { quotes->getQuote("asked"); }},
        {"deposit read naming none", "GET", "deposits/asked", "dep-seed-1",
         [&] { deposits->get("asked"); }, false},
    };
    const std::string profilePath = "digitalwallets/v1/profile/";
    for (const auto& row : rows) {
        // The record's own read: the same path up to the identifier.
        const auto own = profilePath + row.path.substr(0, row.path.find("asked")) + row.record;
        auto body = boost::json::parse(replyBody(own));
        if (!row.named) body.as_object()["id"] = "";
        sandbox.scriptNextReply(row.method, profilePath + row.path,
                                {.body = boost::json::serialize(body)});
        if (!row.named) {
            EXPECT_NO_THROW(row.call()) << row.name;
            continue;
        }
        EXPECT_THAT(row.call,
                    testing::ThrowsWalletError(model::WalletError::otherRecordNamed(row.record)))
            << row.name;
    }
}

}  // namespace
}  // namespace corvend::integration
