// What every profile, verification and history call shares end to end: the service's error
// document, an undecodable reply reported as an event, the completion form delivering on the
// main thread and staying silent when cancelled in flight. One row per service.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"
#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"
#include "CorvendWallet/services/profile/ProfileRepository.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

struct Services {
    std::shared_ptr<ProfileService> profile;
    std::shared_ptr<CustomerVerificationService> verification;
    std::shared_ptr<TransactionHistoryService> transactions;
    std::shared_ptr<AuthorizationHistoryService> authorizations;
};

using Reported = std::function<void(bool succeeded)>;

// One read of one service, the path it asks for, and its completion form reporting only
// whether it succeeded.
struct Row {
    const char* name;
    std::string path;
    std::function<void(Services&)> call;
    std::function<std::shared_ptr<WalletOperationHandle>(Services&, Reported)> start;
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
};

template <class T>
std::function<void(Result<T>)> reporting(Reported reported) {
    return [reported](Result<T> result) { reported(result.has_value()); };
}

const Row kRows[] = {
    {"profile", "digitalwallets/v1/profile", [](Services& s) { s.profile->getProfile({}); },
     [](Services& s, Reported r) {
         return s.profile->getProfile({}, reporting<model::CustomerInfo>(r));
     }},
    {"kycStatus", "digitalwallets/v1/profile/kyc/status",
     [](Services& s) { s.verification->getKycStatus(); },
     [](Services& s, Reported r) {
         return s.verification->getKycStatus(reporting<model::KycVerification>(r));
     }},
    {"transactions", "digitalwallets/v1/profile/transactions",
     [](Services& s) { s.transactions->getTransactionHistory(std::nullopt); },
     [](Services& s, Reported r) {
         return s.transactions->getTransactionHistory(std::nullopt,
                                                      reporting<model::TransactionList>(r));
     }},
    {"authorizations", "digitalwallets/v1/profile/authorizations",
     [](Services& s) { s.authorizations->getAuthorizationHistory(); },
     [](Services& s, Reported r) {
         return s.authorizations->getAuthorizationHistory(reporting<model::AuthorizationList>(r));
     }},
};

class ProfileAndHistoryFaultsTest : public SandboxTest, public ::testing::WithParamInterface<Row> {
  protected:
    ProfileAndHistoryFaultsTest() { installEventReporter(*manager); }

    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    Services services{
        ProfileRepository::make(manager), CustomerVerificationRepository::make(manager),
        TransactionHistoryRepository::make(manager), AuthorizationHistoryRepository::make(manager)};
};

TEST_P(ProfileAndHistoryFaultsTest, EachCallMeetsTheSharedFaultsAlike) {
    const Row& row = GetParam();
    // Undecodable for every row: required keys missing, and a paging block that is no object.
    sandbox.scriptNextReply("GET", row.path, {.body = R"({"unexpected":true,"meta":[]})"});
    expectOneDecodingErrorEvent(failureOf([&] { row.call(services); }));

    sandbox.scriptNextReply(
        "GET", row.path,
        {.status = 422,
         .body = R"({"error":{"code":"LIMITED","message":"Later.","details":["d"]}})"});
    const auto error = failureOf([&] { row.call(services); });
    EXPECT_THAT(error, testing::IsWalletError(
                           WalletError::dataError({.httpStatus = 422,
                                                   .code = "LIMITED",
                                                   .message = "Later.",
                                                   .details = {{"d"}},
                                                   .errorID = lastRecordedCorrelationId()})));

    sandbox.clearRequests();
    const auto silent =
        expectSilentWhenCancelledWhileHeld("GET", row.path, [&](std::function<void()> completion) {
            return row.start(services, [completion](bool) { completion(); });
        });
    sandbox.releaseHeld();

    const auto delivery = deliveredOnMain<bool>([&](auto completion) {
        row.start(services, [completion](bool succeeded) { completion(succeeded); });
    });
    ASSERT_NE(delivery, nullptr);
    EXPECT_TRUE(delivery->result->value());
    EXPECT_EQ(*silent, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryService, ProfileAndHistoryFaultsTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvend::integration
