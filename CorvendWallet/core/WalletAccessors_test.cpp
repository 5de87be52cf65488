// The facade's service accessors: one repository per service, made on first read over the
// core's managers, replaceable by the host.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>

#include "CorvendWallet/core/Wallet.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "tests/support/PaymentFlowTestNetwork.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

namespace corvend {
namespace {

// A manager that refuses to send, counting each attempt.
class IdleNetwork final : public Networkable {
  public:
    std::atomic<int> asked{0};

  protected:
    void perform(const EndpointBase&, const ReplyHandler&) override {
        ++asked;
        throw std::logic_error("nothing is sent in these tests");
    }
};

class FakeCore final : public Core {
  public:
    NetworkManagers managers{std::make_shared<IdleNetwork>(), std::make_shared<IdleNetwork>(),
                             std::make_shared<IdleNetwork>()};
    const std::shared_ptr<IdleNetwork> userAuthenticated =
        std::dynamic_pointer_cast<IdleNetwork>(managers.userAuthenticated);
    std::shared_ptr<DeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::PaymentFlowTestFingerprints>();

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
        return nullptr;
    }
};

[[noreturn]] void unused() {
    throw std::logic_error("not used");
}

// Hosts' own services: never called.
class OwnCurrencyExchange final : public CurrencyExchangeService {
  public:
    model::FXRate getQuote(const std::string&) override { unused(); }
    model::FXRate createQuote(const model::FXRateRequest&) override { unused(); }
};

class OwnDeposits final : public DepositService {
  public:
    std::vector<model::PaymentOptionDetails> getOptions() override { unused(); }
    model::CustomerDepositList getAll(const std::optional<model::GetDepositsParameters>&) override {
        unused();
    }
    model::CustomerDeposit get(const std::string&) override { unused(); }
    model::CustomerDeposit preview(const model::DepositRequest&) override { unused(); }
    model::CustomerDeposit create(const model::DepositCreate&) override { unused(); }
    model::CustomerDeposit confirm(const model::DepositConfirm&) override { unused(); }
};

class OwnWithdrawals final : public WithdrawalService {
  public:
    std::vector<model::PaymentOptionDetails> getOptions() override { unused(); }
    model::Withdrawal create(const model::WithdrawalCreate&) override { unused(); }
    model::Withdrawal preview(const model::WithdrawalRequest&) override { unused(); }
    model::Withdrawal confirm(const model::WithdrawalConfirm&) override { unused(); }
    model::WithdrawalList getAll(const std::optional<model::GetWithdrawalsParameters>&) override {
        unused();
    }
    model::Withdrawal get(const std::string&) override { unused(); }
};

class OwnTransfers final : public TransferService {
  public:
    model::CustomerTransfer preview(const model::CustomerTransferRequest&) override { unused(); }
    model::CustomerTransfer create(const model::TransferCreate&) override { unused(); }
    model::CustomerTransfer confirm(const model::TransferConfirm&) override { unused(); }
    model::CustomerTransferList getAll(
        const std::optional<model::GetTransferParameters>&) override {
        unused();
    }
    model::CustomerTransfer get(const std::string&) override { unused(); }
};

// One row per accessor: how to read and assign it, the repository it makes, a host's own
// service, and what the made repository must be built on.
struct CurrencyExchangeAccessor {
    using Repository = CurrencyExchangeRepository;
    using Own = OwnCurrencyExchange;
    static auto read(Wallet& wallet) { return wallet.currencyExchangeService(); }
    static void assign(Wallet& wallet, std::shared_ptr<CurrencyExchangeService> service) {
        wallet.setCurrencyExchangeService(std::move(service));
    }
    static void expectBuiltOn(const Repository& repository, const FakeCore& core) {
        EXPECT_EQ(repository.networkManager(), core.managers.userAuthenticated);
    }
};

struct DepositAccessor {
    using Repository = DepositRepository;
    using Own = OwnDeposits;
    static auto read(Wallet& wallet) { return wallet.depositService(); }
    static void assign(Wallet& wallet, std::shared_ptr<DepositService> service) {
        wallet.setDepositService(std::move(service));
    }
    static void expectBuiltOn(const Repository& repository, const FakeCore& core) {
        EXPECT_EQ(repository.networkManager(), core.managers.userAuthenticated);
        EXPECT_EQ(repository.fingerprintProvider(), core.fingerprints);
    }
};

struct WithdrawalAccessor {
    using Repository = WithdrawalRepository;
    using Own = OwnWithdrawals;
    static auto read(Wallet& wallet) { return wallet.withdrawalService(); }
    static void assign(Wallet& wallet, std::shared_ptr<WithdrawalService> service) {
        wallet.setWithdrawalService(std::move(service));
    }
    static void expectBuiltOn(const Repository& repository, const FakeCore& core) {
        EXPECT_EQ(repository.networkManager(), core.managers.userAuthenticated);
        EXPECT_EQ(repository.fingerprintProvider(), core.fingerprints);
    }
};

struct TransferAccessor {
    using Repository = TransferRepository;
    using Own = OwnTransfers;
    static auto read(Wallet& wallet) { return wallet.transferService(); }
    static void assign(Wallet& wallet, std::shared_ptr<TransferService> service) {
        wallet.setTransferService(std::move(service));
    }
    // The repository shows neither object: a read must go to the user-authenticated manager.
    static void expectBuiltOn(Repository& repository, const FakeCore& core) {
        EXPECT_ANY_THROW(repository.get("tr-1"));
        EXPECT_EQ(core.userAuthenticated->asked, 1);
    }
};

template <class Accessor>
class WalletAccessorsTest : public ::testing::Test {};

using Accessors = ::testing::Types<CurrencyExchangeAccessor, DepositAccessor, WithdrawalAccessor,
                                   TransferAccessor>;
TYPED_TEST_SUITE(WalletAccessorsTest, Accessors);

TYPED_TEST(WalletAccessorsTest, WalletMakesOneRepositoryOnTheCoresManagersAndTheHostMayReplaceIt) {
    using Accessor = TypeParam;
    const auto core = std::make_shared<FakeCore>();
    const auto wallet = Wallet::make(core);

    const auto first = Accessor::read(*wallet);
    EXPECT_EQ(Accessor::read(*wallet), first);
    const auto repository = std::dynamic_pointer_cast<typename Accessor::Repository>(first);
    ASSERT_NE(repository, nullptr);
    Accessor::expectBuiltOn(*repository, *core);

    const auto own = std::make_shared<typename Accessor::Own>();
    Accessor::assign(*wallet, own);
    EXPECT_EQ(Accessor::read(*wallet), own);

    Accessor::assign(*wallet, nullptr);
    const auto remade = Accessor::read(*wallet);
    ASSERT_NE(std::dynamic_pointer_cast<typename Accessor::Repository>(remade), nullptr);
    EXPECT_NE(remade, first);
}

}  // namespace
}  // namespace corvend
