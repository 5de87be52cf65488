// What the deposit, withdrawal and transfer repositories share, checked once for each of them.

#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"
#include "platform/async/MainQueue.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/HeldCall.hpp"

namespace corvend {
namespace {

using model::PaymentProperty;
using testing::FakeNetwork;

const std::string kRecord =
    R"({"amount":1500,"currencyCode":"EUR","paymentOption":"CARD","id":"r-1","customerId":"c-1",)"
    R"("accountId":"a-1","transferDetails":{},"creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"PREVIEW"})";
// The same record naming none, which a call on any identifier takes.
const std::string kUnnamedRecord = [] {
    std::string record = kRecord;
    return record.replace(record.find("r-1"), 3, "");
}();

template <class R, class Create, class Confirm, class Parameters>
struct Domain {
    using Repository = R;
    // The create and confirm steps of record `id` with `properties`.
    static Create create(std::string id, std::optional<std::vector<PaymentProperty>> properties) {
        if constexpr (std::is_constructible_v<Create, std::string, decltype(properties),
                                              std::nullptr_t>) {
            return Create(std::move(id), std::move(properties), nullptr);  // no instrument
        } else {
            return Create(std::move(id), std::move(properties));
        }
    }
    static Confirm confirm(std::string id, std::optional<std::vector<PaymentProperty>> properties) {
        return Confirm(std::move(id), std::move(properties));
    }
    static Parameters parameters() { return Parameters(20, std::nullopt, 0, "S 1"); }
};

struct Deposits : Domain<DepositRepository, model::DepositCreate, model::DepositConfirm,
                         model::GetDepositsParameters> {
    static constexpr std::string_view kPath = "digitalwallets/v1/profile/deposits";
    static constexpr std::string_view kEmptyList = "{}";
    static model::DepositRequest request() {
        return {1, "EUR", model::PaymentOptionType::card, {}, {}, {}, {}};
    }
};

struct Withdrawals : Domain<WithdrawalRepository, model::WithdrawalCreate, model::WithdrawalConfirm,
                            model::GetWithdrawalsParameters> {
    static constexpr std::string_view kPath = "digitalwallets/v1/profile/withdrawals";
    static constexpr std::string_view kEmptyList = R"({"withdrawals":[]})";
    static model::WithdrawalRequest request() {
        return {1, "EUR", model::PaymentOptionType::card, {}, {}, {}};
    }
};

struct Transfers : Domain<TransferRepository, model::TransferCreate, model::TransferConfirm,
                          model::GetTransferParameters> {
    static constexpr std::string_view kPath = "digitalwallets/v1/profile/transfers";
    static constexpr std::string_view kEmptyList = R"({"transfers":[]})";
    static model::CustomerTransferRequest request() { return {1, "EUR", {}, {}, {}, {}}; }
};

template <class Domain>
class PaymentFlowRepositoryTest : public ::testing::Test {
  protected:
    const std::string base = FakeNetwork::kBaseURL.absoluteString() + std::string(Domain::kPath);
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>(kRecord);
    std::shared_ptr<testing::FakeDeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-7");
    std::shared_ptr<typename Domain::Repository> repository =
        Domain::Repository::make(network, fingerprints);
};

using Domains = ::testing::Types<Deposits, Withdrawals, Transfers>;
TYPED_TEST_SUITE(PaymentFlowRepositoryTest, Domains);

TYPED_TEST(PaymentFlowRepositoryTest, RefusesMissingCollaborators) {
    using Repository = typename TypeParam::Repository;
    EXPECT_THROW(Repository(nullptr, this->fingerprints), std::invalid_argument);
    EXPECT_THROW(Repository(this->network, nullptr), std::invalid_argument);
}

TYPED_TEST(PaymentFlowRepositoryTest, PreviewCarriesAFreshFingerprintAndSendsNothingWithoutOne) {
    EXPECT_EQ(this->repository->preview(TypeParam::request()).id(), "r-1");
    const auto sent = this->network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, this->base);
    EXPECT_NE(
        sent.body->find(R"("deviceInfo":{"threatMetrixSessionId":"fp-7","appType":"MOBILE_APP"})"),
        std::string::npos)
        << *sent.body;

    this->fingerprints->fail = true;
    EXPECT_THROW(this->repository->preview(TypeParam::request()), std::runtime_error);
    EXPECT_EQ(this->network->sent().size(), 1u);
    EXPECT_EQ(this->fingerprints->calls, 2);
}

TYPED_TEST(PaymentFlowRepositoryTest, CreateAndConfirmMoveTheStatusWithoutAFingerprint) {
    this->network->setBody(kUnnamedRecord);
    this->repository->create(TypeParam::create("r-1", std::vector<PaymentProperty>{}));
    this->repository->confirm(TypeParam::confirm("r/1", std::nullopt));
    this->repository->confirm(TypeParam::confirm("r-1", std::vector<PaymentProperty>{}));
    const auto sent = this->network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, this->base + "/r-1/status");
    EXPECT_EQ(sent[0].body, R"({"status":"PENDING","paymentProperties":[]})");
    EXPECT_EQ(sent[1].url, this->base + "/r%2F1/status");
    EXPECT_EQ(sent[1].body, R"({"status":"PROCESSING"})");
    EXPECT_EQ(sent[2].body, R"({"status":"PROCESSING","paymentProperties":[]})");
    EXPECT_EQ(this->fingerprints->calls, 0);
}

TYPED_TEST(PaymentFlowRepositoryTest, ReadsOneRecordOrAPageOfTheCollection) {
    this->network->setBody(kUnnamedRecord);
    this->repository->get("a b");
    this->network->setBody(std::string(TypeParam::kEmptyList));
    this->repository->getAll(std::nullopt);
    this->repository->getAll(TypeParam::parameters());
    if constexpr (requires { this->repository->getOptions(); }) {
        this->network->setBody("[]");
        this->repository->getOptions();
    }
    const auto sent = this->network->sent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0].method, "GET");
    EXPECT_EQ(sent[0].url, this->base + "/a%20b");
    EXPECT_EQ(sent[1].url, this->base);
    EXPECT_EQ(sent[2].url, this->base + "?limit=20&offset=0&slipID=S%201");
    if (sent.size() == 4) {
        EXPECT_EQ(sent[3].url, this->base + "/options");
    }
    EXPECT_EQ(this->fingerprints->calls, 0);
}

// The options endpoint is built once per process: two calls in flight at the same time, from
// two repositories, perform the same endpoint object.
TYPED_TEST(PaymentFlowRepositoryTest, OptionsGoThroughOneEndpointForTheWholeProcess) {
    if constexpr (requires { this->repository->getOptions(); }) {
        const auto held = std::make_shared<testing::HeldCall>();
        this->network->setReply({.body = "[]", .failure = [held] { held->hold(false); }});
        bool done = false;
        this->repository->getOptions([&done](const auto&) { done = true; });
        ASSERT_TRUE(this->network->waitForSent(1, std::chrono::seconds(10)));
        this->network->setBody("[]");
        TypeParam::Repository::make(this->network, this->fingerprints)->getOptions();
        held->open();
        ASSERT_TRUE(
            platform::MainQueue::shared().runUntil([&] { return done; }, std::chrono::seconds(10)));
        const auto sent = this->network->sent();
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[1].endpoint, sent[0].endpoint);
    } else {
        GTEST_SKIP() << "this domain has no options";
    }
}

// Each completion form sends exactly what its blocking form sends for the same argument.
TYPED_TEST(PaymentFlowRepositoryTest, CompletionFormsSendWhatTheBlockingFormsSend) {
    auto& repository = *this->repository;
    const std::vector<PaymentProperty> properties{{model::PaymentPropertyKey::cardCVV, "321"}};
    this->network->setBody(kUnnamedRecord);
    repository.get("r 1");
    repository.preview(TypeParam::request());
    repository.create(TypeParam::create("r-1", properties));
    repository.confirm(TypeParam::confirm("r-2", properties));
    this->network->setBody(std::string(TypeParam::kEmptyList));
    repository.getAll(TypeParam::parameters());
    const std::size_t blocking = this->network->sent().size();

    bool done = false;
    const auto finish = [&done](const auto&) { done = true; };
    const auto settle = [&done] {
        EXPECT_TRUE(
            platform::MainQueue::shared().runUntil([&] { return done; }, std::chrono::seconds(10)));
        done = false;
    };
    this->network->setBody(kUnnamedRecord);
    repository.get("r 1", finish);
    settle();
    repository.preview(TypeParam::request(), finish);
    settle();
    repository.create(TypeParam::create("r-1", properties), finish);
    settle();
    repository.confirm(TypeParam::confirm("r-2", properties), finish);
    settle();
    this->network->setBody(std::string(TypeParam::kEmptyList));
    repository.getAll(TypeParam::parameters(), finish);
    settle();

    const auto sent = this->network->sent();
    ASSERT_EQ(sent.size(), 2 * blocking);
    for (std::size_t i = 0; i < blocking; ++i) {
        EXPECT_EQ(sent[blocking + i].method, sent[i].method) << i;
        EXPECT_EQ(sent[blocking + i].url, sent[i].url) << i;
        EXPECT_EQ(sent[blocking + i].body, sent[i].body) << i;
    }
}

}  // namespace
}  // namespace corvend
