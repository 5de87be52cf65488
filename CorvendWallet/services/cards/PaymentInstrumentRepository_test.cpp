#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/async/MainQueue.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/RecordingURLOpener.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::InstrumentType;
using model::WalletError;
using testing::FakeNetwork;
using testing::ThrowsWalletError;
namespace wire = PaymentInstrumentServiceEndpoint;

constexpr const char* kSession =
    R"({"returnUrl":"app://r","instrumentType":"CARD","id":"s1","redirectUrl":"%s",)"
    R"("creationTime":"2024-03-05T14:07:09Z","expirationTime":"2024-03-05T14:37:09Z",)"
    R"("sessionStatus":"completed"})";

std::string session(const std::string& redirectUrl) {
    std::string text = kSession;
    return text.replace(text.find("%s"), 2, redirectUrl);
}

struct Fixture {
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>(session("https://v/1"));
    std::shared_ptr<testing::RecordingURLOpener> opener =
        std::make_shared<testing::RecordingURLOpener>();
    std::shared_ptr<PaymentInstrumentRepository> repository =
        PaymentInstrumentRepository::make(network, opener);
};

TEST(PaymentInstrumentRepositoryTest, ListsDropWhatDoesNotMapWhileSingleReadsFailWithI0007) {
    Fixture f;
    f.network->setBody(
        R"([{"id":"1","customerId":"c","instrumentType":"SEPA_BANK_ACCOUNT","iban":"I","bic":"B"},)"
        R"({"id":"2","customerId":"c","instrumentType":"card","pan":"4","expiryDate":{"year":1,"month":2}},)"
        R"({"id":"3","customerId":"c","instrumentType":"CARD","pan":"4"},)"
        R"({"id":"4","customerId":"c","instrumentType":"UK_BANK_ACCOUNT","accountNumber":"1","sortCode":"2"}])");
    const auto all = f.repository->getAll(
        {InstrumentType::unknown, model::PaymentOptionType::offlineBankTransfer});
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1]->id(), "4");
    EXPECT_EQ(f.network->only().path,
              "digitalwallets/v1/profile/"
              "instruments?instrumentType=UNKNOWN&paymentOption=OFFLINE_BANK_TRANSFER");

    f.network->setBody(R"({"id":"3","customerId":"c","instrumentType":"CARD","pan":"4"})");
    EXPECT_THAT(
        [&] {
            f.repository->get({"a b", InstrumentType::unknown});
        },
        ThrowsWalletError(WalletError::internalError("I0007")));
    EXPECT_THAT(
        [&] {
            f.repository->delete_({"3", InstrumentType::card});
        },
        ThrowsWalletError(WalletError::internalError("I0007")));
    const auto sent = f.network->sent();
    EXPECT_EQ(sent[1].path, "digitalwallets/v1/profile/instruments/UNKNOWN/a%20b");
    EXPECT_EQ(sent[2].method, "DELETE");
    EXPECT_EQ(sent[2].path, "digitalwallets/v1/profile/instruments/CARD/3");
}

TEST(PaymentInstrumentRepositoryTest, CompletingReadsTheFirstExactSessionIdItem) {
    const struct {
        const char* returnUrl;
        std::optional<std::string> path;  // absent: "I0500", nothing sent
    } rows[] = {
        {"app://done?foo=1&sessionId=abc&sessionId=def", "/abc"},
        {"https://h/done?sessionId=&x=1", "/"},
        {"done?sessionId=a%2Fb", "/a%2Fb"},
        {"app://done?SessionId=abc", std::nullopt},
        {"app://done", std::nullopt},
        {"app://done?", std::nullopt},
        {"app://done?sessionId", std::nullopt},
        {"not a url?sessionId=abc", std::nullopt},
    };
    // A session naming none, which a read of any identifier takes.
    std::string unnamed = session("https://v/1");
    unnamed.replace(unnamed.find("s1"), 2, "");
    for (const auto& row : rows) {
        Fixture f;
        f.network->setBody(unnamed);
        const auto call = [&] {
            return f.repository->completeExternalVerificationFlow(row.returnUrl);
        };
        if (!row.path) {
            EXPECT_THAT(call, ThrowsWalletError(WalletError::internalError("I0500")))
                << row.returnUrl;
            EXPECT_TRUE(f.network->sent().empty());
            continue;
        }
        const auto verification = call();
        EXPECT_EQ(f.network->only().path,
                  "digitalwallets/v1/profile/instrument-verifications" + *row.path);
        EXPECT_EQ(verification.sessionStatus(), model::InstrumentVerificationStatus::unknown);
        EXPECT_EQ(verification.statusReason(),
                  model::InstrumentVerificationFailStatusReason::unknown);
        EXPECT_FALSE(verification.instrument());
    }
}

TEST(PaymentInstrumentRepositoryTest, OpensOnlyWebAddressesOnTheMainThread) {
    platform::MainQueue::shared().drain();  // this thread is the main thread now
    for (const char* refused : {"", "javascript:alert(1)", "file:///etc/passwd", "/relative"}) {
        Fixture f;
        f.network->setBody(session(refused));
        const auto verification = f.repository->getVerification("s1");
        EXPECT_THAT([&] { f.repository->openExternalVerificationFlow(verification); },
                    ThrowsWalletError(WalletError::internalError("I0003")))
            << refused;
        EXPECT_TRUE(f.opener->opened.empty());
    }
    Fixture f;
    const auto verification = f.repository->getVerification("s1");
    f.repository->openExternalVerificationFlow(verification);
    EXPECT_EQ(f.opener->opened, std::vector<platform::URL>{*platform::URL::make("https://v/1")});
    EXPECT_TRUE(f.opener->onMain);
    f.opener->answer = false;
    EXPECT_THAT([&] { f.repository->openExternalVerificationFlow(verification); },
                ThrowsWalletError(WalletError::internalError("I0008")));
}

TEST(PaymentInstrumentRepositoryTest, VerificationRequestsAndLists) {
    Fixture f;
    f.repository->startVerification({"app://r?x=1", InstrumentType::unknown});
    EXPECT_EQ(f.network->only().body, R"({"returnUrl":"app://r?x=1","instrumentType":"UNKNOWN"})");

    f.network->setBody(R"({"instrumentVerifications":[)" + session("u") + "]}");
    const auto list = f.repository->getAllVerifications(
        {20, std::nullopt, model::InstrumentVerificationStatus::awaitingUserInput});
    EXPECT_EQ(f.network->sent().back().path,
              "digitalwallets/v1/profile/"
              "instrument-verifications?limit=20&sessionStatus=AWAITING_USER_INPUT");
    ASSERT_EQ(list.instrumentVerificationList()->size(), 1u);
    EXPECT_FALSE(list.meta());
    f.repository->getAllVerifications({});
    EXPECT_EQ(f.network->sent().back().path, "digitalwallets/v1/profile/instrument-verifications");

    const auto empty = PaymentInstrumentRepository::verificationList(
        testing::decodedReply<wire::InstrumentVerificationSessionsResponse>(
            R"({"instrumentVerifications":[],"meta":{}})"));
    EXPECT_TRUE(empty.instrumentVerificationList()->empty());
    EXPECT_EQ(empty.meta(), model::PagingResultMeta{});
    EXPECT_FALSE(PaymentInstrumentRepository::verificationList({}).instrumentVerificationList());

    auto reply = testing::decodedReply<wire::InstrumentVerificationResponse>(session("u"));
    reply.instrument = {{"i", "US_BANK_ACCOUNT"}};
    reply.statusReason = "NAME_MISMATCH";
    const auto mapped = PaymentInstrumentRepository::verification(reply);
    EXPECT_EQ(mapped.instrument(),
              (model::PaymentInstrumentReference{"i", InstrumentType::usBankAccount}));
    EXPECT_EQ(mapped.statusReason(), model::InstrumentVerificationFailStatusReason::nameMismatch);
}

// Every member a verification session can carry, each with a value of its own.
const testing::ReplyDocument kEverySessionMember{
    {"returnUrl", R"("app://back")"},
    {"instrumentType", R"("US_BANK_ACCOUNT")"},
    {"id", R"("ses-1")"},
    {"redirectUrl", R"("https://verify.test/ses-1")"},
    {"creationTime", R"("2024-03-05T14:07:09Z")"},
    {"expirationTime", R"("2024-03-05T14:37:09.250Z")"},
    {"instrument", R"({"id":"pi-2","instrumentType":"SEPA_BANK_ACCOUNT"})"},
    {"sessionStatus", R"("AWAITING_USER_INPUT")"},
    {"statusReason", R"("MISSING_DETAILS")"},
};

model::InstrumentVerification mappedSession(const testing::ReplyDocument& reply) {
    return PaymentInstrumentRepository::verification(
        testing::decodedReply<wire::InstrumentVerificationResponse>(reply.text()));
}

TEST(InstrumentVerificationMappingTest, EveryRepliedMemberReachesItsOwnField) {
    platform::MainQueue::shared().drain();  // this thread is the main thread now
    Fixture f;
    f.network->setBody(kEverySessionMember.text());
    const auto session = f.repository->getVerification("ses-1");
    EXPECT_EQ(session.returnUrl(), "app://back");
    EXPECT_EQ(session.instrumentType(), InstrumentType::usBankAccount);
    EXPECT_EQ(session.id(), "ses-1");
    EXPECT_EQ(session.creationTime(), testing::replyDate("2024-03-05T14:07:09Z"));
    EXPECT_EQ(session.expirationTime(), testing::replyDate("2024-03-05T14:37:09.250Z"));
    EXPECT_EQ(session.instrument(),
              (model::PaymentInstrumentReference{"pi-2", InstrumentType::sepaBankAccount}));
    EXPECT_EQ(session.sessionStatus(), model::InstrumentVerificationStatus::awaitingUserInput);
    EXPECT_EQ(session.statusReason(),
              model::InstrumentVerificationFailStatusReason::missingDetails);
    // The page's address is the kit's alone: it shows where the session is opened.
    f.repository->openExternalVerificationFlow(session);
    EXPECT_EQ(f.opener->opened,
              std::vector<platform::URL>{*platform::URL::make("https://verify.test/ses-1")});

    f.network->setBody(R"({"instrumentVerifications":[)" + kEverySessionMember.text() +
                       R"(],"meta":)" + testing::kEveryPagingMember + "}");
    const auto page = f.repository->getAllVerifications({});
    EXPECT_EQ(page.instrumentVerificationList(), std::vector{session});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

// Every spelling of each vocabulary a session carries reaches its own case.
TEST(InstrumentVerificationWireValuesTest, SessionStatusReadsEveryStatus) {
    using S = model::InstrumentVerificationStatus;
    testing::expectEachSpellingRead<S>(
        {{"ACTIVE", S::active},
         {"ONGOING_VERIFICATION", S::ongoingVerification},
         {"AWAITING_USER_INPUT", S::awaitingUserInput},
         {"COMPLETED", S::completed},
         {"FAILED", S::failed}},
        [](const std::string& status) {
            return mappedSession(kEverySessionMember.with("sessionStatus", status)).sessionStatus();
        });
}

TEST(InstrumentVerificationWireValuesTest, StatusReasonReadsEveryReason) {
    using R = model::InstrumentVerificationFailStatusReason;
    testing::expectEachSpellingRead<R>(
        {{"UNSUPPORTED_BANK", R::unsupportedBank},
         {"NAME_MISMATCH", R::nameMismatch},
         {"INSTRUMENT_NOT_UNIQUE", R::instrumentNotUnique},
         {"MISSING_DETAILS", R::missingDetails},
         {"INTERNAL_ERROR", R::internalError},
         {"SESSION_EXPIRED", R::sessionExpired},
         {"USER_ABANDONED_PROCESS", R::userAbandonedProcess},
         {"USER_INTERACTION_ERROR", R::userInteractionError},
         {"OTHER", R::other}},
        [](const std::string& reason) {
            return mappedSession(kEverySessionMember.with("statusReason", reason))
                .statusReason()
                .value();
        });
}

TEST(InstrumentVerificationWireValuesTest, SessionAndItsInstrumentReadEveryInstrumentType) {
    const std::vector<std::pair<std::string, InstrumentType>> types{
        {"SEPA_BANK_ACCOUNT", InstrumentType::sepaBankAccount},
        {"UK_BANK_ACCOUNT", InstrumentType::ukBankAccount},
        {"US_BANK_ACCOUNT", InstrumentType::usBankAccount},
        {"CARD", InstrumentType::card}};
    testing::expectEachSpellingRead(types, [](const std::string& type) {
        return mappedSession(kEverySessionMember.with("instrumentType", type)).instrumentType();
    });
    testing::expectEachSpellingRead(types, [](const std::string& type) {
        return mappedSession(kEverySessionMember.with(
                                 "instrument", R"({"id":"pi-1","instrumentType":)" + type + "}"))
            .instrument()
            .value()
            .instrumentType;
    });
}

}  // namespace
}  // namespace corvend
