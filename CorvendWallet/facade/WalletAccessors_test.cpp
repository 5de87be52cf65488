// The facade's service accessors: one repository per service, made on first read over the
// core's managers, replaceable by the host.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "CorvendWallet/facade/Core.hpp"
#include "CorvendWallet/facade/Wallet.hpp"
#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"
#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"
#include "CorvendWallet/services/profile/ProfileRepository.hpp"
#include "CorvendWallet/setup/WalletEnvironmentProvider.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRepository.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsViewController.hpp"
#include "CorvendWallet/ui/flows/verification/CustomerVerificationViewController.hpp"
#include "platform/app/DesktopURLOpener.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/RecordingURLOpener.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using testing::FakeNetwork;

class FakeCore final : public Core {
  public:
    NetworkManagers managers{std::make_shared<FakeNetwork>(), std::make_shared<FakeNetwork>(),
                             std::make_shared<FakeNetwork>()};
    std::shared_ptr<DeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::FakeDeviceFingerprintProvider>();

    model::ConfigurationResult configure(const model::Configuration&) override {
        throw std::logic_error("not used");
    }
    std::shared_ptr<WalletOperationHandle> configure(model::Configuration,
                                                     ConfigureCompletion) override {
        throw std::logic_error("not used");
    }
    void authenticate(const model::AuthenticationConfiguration&) override {}
    const NetworkManagers& networkManagers() const override { return managers; }
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const override {
        return fingerprints;
    }
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties() const override {
        return properties;
    }
    std::shared_ptr<EnvironmentPropertiesProvider> properties =
        WalletEnvironmentProvider::make(std::nullopt);
};

// One row per accessor: how to read and assign it, and the repository it makes, which a
// host's own service (another repository) may replace.
template <class R, auto Read, auto Assign>
struct NetworkAccessor {
    using Repository = R;
    static auto read(Wallet& wallet) { return (wallet.*Read)(); }
    static void assign(Wallet& wallet, auto service) { (wallet.*Assign)(std::move(service)); }
    static auto own() { return Repository::make(std::make_shared<FakeNetwork>()); }
};
using CurrencyExchangeAccessor =
    NetworkAccessor<CurrencyExchangeRepository, &Wallet::currencyExchangeService,
                    &Wallet::setCurrencyExchangeService>;
using ProfileAccessor =
    NetworkAccessor<ProfileRepository, &Wallet::profileService, &Wallet::setProfileService>;
using CustomerVerificationAccessor =
    NetworkAccessor<CustomerVerificationRepository, &Wallet::customerVerificationService,
                    &Wallet::setCustomerVerificationService>;
using TransactionHistoryAccessor =
    NetworkAccessor<TransactionHistoryRepository, &Wallet::transactionHistoryService,
                    &Wallet::setTransactionHistoryService>;
using AuthorizationHistoryAccessor =
    NetworkAccessor<AuthorizationHistoryRepository, &Wallet::authorizationHistory,
                    &Wallet::setAuthorizationHistory>;

template <class R, auto Read, auto Assign>
struct PaymentAccessor : NetworkAccessor<R, Read, Assign> {
    static auto own() {
        return R::make(std::make_shared<FakeNetwork>(),
                       std::make_shared<testing::FakeDeviceFingerprintProvider>());
    }
};
using DepositAccessor =
    PaymentAccessor<DepositRepository, &Wallet::depositService, &Wallet::setDepositService>;
using WithdrawalAccessor = PaymentAccessor<WithdrawalRepository, &Wallet::withdrawalService,
                                           &Wallet::setWithdrawalService>;
using TransferAccessor =
    PaymentAccessor<TransferRepository, &Wallet::transferService, &Wallet::setTransferService>;

struct CardAccessor {
    using Repository = CardRepository;
    static auto read(Wallet& wallet) { return wallet.cardService(); }
    static void assign(Wallet& wallet, std::shared_ptr<CardService> service) {
        wallet.setCardService(std::move(service));
    }
    static auto own() {
        return Repository::make(CardRepositoryComponent::make(
            std::make_shared<FakeNetwork>(),
            std::make_shared<testing::FakeDeviceFingerprintProvider>(),
            WalletEnvironmentProvider::make(std::nullopt)));
    }
};
struct PaymentInstrumentAccessor {
    using Repository = PaymentInstrumentRepository;
    static auto read(Wallet& wallet) { return wallet.paymentInstrumentService(); }
    static void assign(Wallet& wallet, std::shared_ptr<PaymentInstrumentService> service) {
        wallet.setPaymentInstrumentService(std::move(service));
    }
    static auto own() {
        return Repository::make(std::make_shared<FakeNetwork>(),
                                platform::DesktopURLOpener::make());
    }
};

template <class Accessor>
class WalletAccessorsTest : public ::testing::Test {};

using Accessors = ::testing::Types<CurrencyExchangeAccessor, DepositAccessor, WithdrawalAccessor,
                                   TransferAccessor, CardAccessor, PaymentInstrumentAccessor,
                                   ProfileAccessor, CustomerVerificationAccessor,
                                   TransactionHistoryAccessor, AuthorizationHistoryAccessor>;
TYPED_TEST_SUITE(WalletAccessorsTest, Accessors);

TYPED_TEST(WalletAccessorsTest, WalletMakesOneRepositoryOnTheCoresManagersAndTheHostMayReplaceIt) {
    using Accessor = TypeParam;
    const auto core = std::make_shared<FakeCore>();
    const auto wallet = Wallet::makeForTesting(core);

    const auto first = Accessor::read(*wallet);
    EXPECT_EQ(Accessor::read(*wallet), first);
    const auto repository = std::dynamic_pointer_cast<typename Accessor::Repository>(first);
    ASSERT_NE(repository, nullptr);
    if constexpr (requires { repository->component(); }) {
        const auto& component = *repository->component();
        EXPECT_EQ(component.networkManager(), core->managers.userAuthenticated);
        EXPECT_EQ(component.deviceFingerprintProvider(), core->fingerprints);
        EXPECT_EQ(component.environmentProperties(), core->properties);
    } else {
        EXPECT_EQ(repository->networkManager(), core->managers.userAuthenticated);
    }
    if constexpr (requires { repository->fingerprintProvider(); }) {
        EXPECT_EQ(repository->fingerprintProvider(), core->fingerprints);
    }

    const auto own = Accessor::own();
    Accessor::assign(*wallet, own);
    EXPECT_EQ(Accessor::read(*wallet), own);

    Accessor::assign(*wallet, nullptr);
    const auto remade = Accessor::read(*wallet);
    ASSERT_NE(std::dynamic_pointer_cast<typename Accessor::Repository>(remade), nullptr);
    EXPECT_NE(remade, first);
}

// The card-deposit flow is made once, over the services the wallet hands out, and the host
// may replace it like any other service.
TEST(WalletCardDepositServiceTest, IsMadeOnceOverTheWalletsDepositAndInstrumentServices) {
    const auto wallet = Wallet::makeForTesting(std::make_shared<FakeCore>());
    const auto first = wallet->cardDepositService();
    EXPECT_EQ(wallet->cardDepositService(), first);
    const auto repository = std::dynamic_pointer_cast<CardDepositRepository>(first);
    ASSERT_NE(repository, nullptr);
    EXPECT_EQ(repository->component()->depositService(), wallet->depositService());
    EXPECT_EQ(repository->component()->paymentInstrumentService(),
              wallet->paymentInstrumentService());

    const auto own = CardDepositRepository::make(std::make_shared<CardDepositComponent>(
        DepositAccessor::own(), PaymentInstrumentAccessor::own()));
    wallet->setCardDepositService(own);
    EXPECT_EQ(wallet->cardDepositService(), own);
    wallet->setCardDepositService(nullptr);
    const auto remade = wallet->cardDepositService();
    ASSERT_NE(std::dynamic_pointer_cast<CardDepositRepository>(remade), nullptr);
    EXPECT_NE(remade, first);
}

// Where there is no desktop browser the application installs its own opener: the instrument
// service the kit makes opens verification pages there.
TEST(WalletURLOpenerTest, TheInstrumentServiceOpensPagesThroughTheApplicationsOpener) {
    platform::MainQueue::shared().drain();  // this thread is the main thread now
    const auto core = std::make_shared<FakeCore>();
    core->managers.userAuthenticated = std::make_shared<FakeNetwork>(
        R"({"returnUrl":"app://r","instrumentType":"CARD","id":"s1","redirectUrl":"https://v/1",)"
        R"("creationTime":"2024-03-05T14:07:09Z","expirationTime":"2024-03-05T14:37:09Z",)"
        R"("sessionStatus":"ACTIVE"})");
    const auto wallet = Wallet::makeForTesting(core);
    const auto opener = std::make_shared<testing::RecordingURLOpener>();
    platform::URLOpener::setShared(opener);
    const auto service = wallet->paymentInstrumentService();
    platform::URLOpener::setShared(nullptr);
    EXPECT_TRUE(
        std::dynamic_pointer_cast<platform::DesktopURLOpener>(platform::URLOpener::shared()));
    service->openExternalVerificationFlow(service->getVerification("s1"));
    EXPECT_EQ(opener->opened, std::vector<platform::URL>{*platform::URL::make("https://v/1")});
}

// The two screen entries are wired to their builders by the wallet: each hands out its screen
// at once, and the screen asks the service through the wallet's customer manager.
class WalletScreensTest : public components::testing::ThemedTest {
  protected:
    std::shared_ptr<FakeCore> core = std::make_shared<FakeCore>();
    std::shared_ptr<Wallet> wallet = Wallet::makeForTesting(core);
    std::shared_ptr<FakeNetwork> customer =
        std::dynamic_pointer_cast<FakeNetwork>(core->managers.userAuthenticated);
};

TEST_F(WalletScreensTest, TheCardServiceHandsOutTheSecureDetailsScreen) {
    const auto screen = wallet->cardService()->getSecureDetailsViewController(
        model::CardSecureDetailsRequest("card-7"));
    ASSERT_NE(std::dynamic_pointer_cast<CardSecureDetailsViewController>(screen), nullptr);
    screen->view();
    ASSERT_TRUE(customer->waitForSent(1, std::chrono::seconds(10)));
    EXPECT_TRUE(customer->only().path.ends_with("/card-7/secure-details")) << customer->only().path;
    // The unreadable reply ends the screen's fetch: it stops its spinner.
    EXPECT_TRUE(platform::MainQueue::shared().runUntil(
        [&] { return screen->snapshot().find("spinner: spinning") == std::string::npos; },
        std::chrono::seconds(10)))
        << screen->snapshot();
}

TEST_F(WalletScreensTest, TheVerificationServiceHandsOutTheVerificationScreen) {
    const auto screen = wallet->customerVerificationService()->startCustomerVerification(
        model::CustomerVerificationRequest("ref-1", std::nullopt));
    ASSERT_NE(std::dynamic_pointer_cast<CustomerVerificationViewController>(screen), nullptr);
    int results = 0;
    screen->setCompletion([&results](auto) { ++results; });
    screen->view();
    ASSERT_TRUE(customer->waitForSent(1, std::chrono::seconds(10)));
    // The unreadable reply ends the session with one result.
    EXPECT_TRUE(platform::MainQueue::shared().runUntil([&] { return results > 0; },
                                                       std::chrono::seconds(10)));
    platform::MainQueue::shared().drain();
    EXPECT_EQ(results, 1);
}

}  // namespace
}  // namespace corvend
