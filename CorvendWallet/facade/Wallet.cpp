#include "CorvendWallet/facade/Wallet.hpp"

#include "CorvendWallet/facade/CompositionRoot.hpp"
#include "CorvendWallet/facade/Core.hpp"
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
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRepository.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsBuilder.hpp"
#include "CorvendWallet/ui/flows/verification/CustomerVerificationViewController.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/app/URLOpener.hpp"
#include "platform/async/ProcessFork.hpp"

namespace corvend {

Wallet& Wallet::instance() {
    // Ahead of the first use's guard too, which a parent thread may have held at a fork.
    platform::ProcessFork::checkKitUsable("Wallet::instance");
    // Leaked on purpose: the kit's threads may still use it while the process exits.
    static Wallet* const shared = new Wallet(makeWalletCore());
    return *shared;
}

std::shared_ptr<Wallet> Wallet::makeForTesting(std::shared_ptr<Core> core) {
    return std::shared_ptr<Wallet>(new Wallet(std::move(core)));
}

Wallet::Wallet(std::shared_ptr<Core> core) : core_(std::move(core)) {}

Wallet::ConfigurationResult Wallet::configure(const Configuration& configuration) {
    platform::ProcessFork::checkKitUsable("Wallet::configure");
    return core_->configure(configuration);
}

std::shared_ptr<WalletOperationHandle> Wallet::configure(Configuration configuration,
                                                         ConfigureCompletion completion) {
    platform::ProcessFork::checkKitUsable("Wallet::configure");
    return core_->configure(std::move(configuration), std::move(completion));
}

void Wallet::authenticate(const AuthenticationConfiguration& configuration) {
    platform::ProcessFork::checkKitUsable("Wallet::authenticate");
    core_->authenticate(configuration);
}

void Wallet::setAppearance(const Appearance& appearance) {
    platform::ProcessFork::checkKitUsable("Wallet::setAppearance");
    appearance.apply();
}

std::string Wallet::version() const {
    platform::ProcessFork::checkKitUsable("Wallet::version");
    return core_->environmentProperties()->version();
}

std::shared_ptr<CurrencyExchangeService> Wallet::currencyExchangeService() {
    return currencyExchangeService_.get([this] {
        return CurrencyExchangeRepository::make(core_->networkManagers().userAuthenticated);
    });
}

void Wallet::setCurrencyExchangeService(std::shared_ptr<CurrencyExchangeService> service) {
    currencyExchangeService_.set(std::move(service));
}

std::shared_ptr<DepositService> Wallet::depositService() {
    return depositService_.get([this] {
        return DepositRepository::make(core_->networkManagers().userAuthenticated,
                                       core_->deviceFingerprintProvider());
    });
}

void Wallet::setDepositService(std::shared_ptr<DepositService> service) {
    depositService_.set(std::move(service));
}

std::shared_ptr<WithdrawalService> Wallet::withdrawalService() {
    return withdrawalService_.get([this] {
        return WithdrawalRepository::make(core_->networkManagers().userAuthenticated,
                                          core_->deviceFingerprintProvider());
    });
}

void Wallet::setWithdrawalService(std::shared_ptr<WithdrawalService> service) {
    withdrawalService_.set(std::move(service));
}

std::shared_ptr<TransferService> Wallet::transferService() {
    return transferService_.get([this] {
        return TransferRepository::make(core_->networkManagers().userAuthenticated,
                                        core_->deviceFingerprintProvider());
    });
}

void Wallet::setTransferService(std::shared_ptr<TransferService> service) {
    transferService_.set(std::move(service));
}

std::shared_ptr<CardService> Wallet::cardService() {
    return cardService_.get([this] {
        return CardRepository::make(
            CardRepositoryComponent::make(core_->networkManagers().userAuthenticated,
                                          core_->deviceFingerprintProvider(),
                                          core_->environmentProperties()),
            [](std::shared_ptr<CardSecureDetailsDependency> dependency,
               const model::CardSecureDetailsRequest& request) {
                return CardSecureDetailsBuilder(std::move(dependency)).build(request);
            });
    });
}

void Wallet::setCardService(std::shared_ptr<CardService> service) {
    cardService_.set(std::move(service));
}

std::shared_ptr<PaymentInstrumentService> Wallet::paymentInstrumentService() {
    return paymentInstrumentService_.get([this] {
        return PaymentInstrumentRepository::make(core_->networkManagers().userAuthenticated,
                                                 platform::URLOpener::shared());
    });
}

std::shared_ptr<CardDepositService> Wallet::cardDepositService() {
    return cardDepositService_.get([this] {
        return CardDepositRepository::make(
            std::make_shared<CardDepositComponent>(depositService(), paymentInstrumentService()));
    });
}

void Wallet::setCardDepositService(std::shared_ptr<CardDepositService> service) {
    cardDepositService_.set(std::move(service));
}

void Wallet::setPaymentInstrumentService(std::shared_ptr<PaymentInstrumentService> service) {
    paymentInstrumentService_.set(std::move(service));
}

std::shared_ptr<ProfileService> Wallet::profileService() {
    return profileService_.get(
        [this] { return ProfileRepository::make(core_->networkManagers().userAuthenticated); });
}

void Wallet::setProfileService(std::shared_ptr<ProfileService> service) {
    profileService_.set(std::move(service));
}

std::shared_ptr<CustomerVerificationService> Wallet::customerVerificationService() {
    return customerVerificationService_.get([this] {
        return CustomerVerificationRepository::make(
            core_->networkManagers().userAuthenticated,
            [](const model::CustomerVerificationRequest& request,
               std::shared_ptr<Networkable> networkManager) {
                return ::corvend::CustomerVerificationViewController::make(
                    request, std::move(networkManager));
            });
    });
}

void Wallet::setCustomerVerificationService(std::shared_ptr<CustomerVerificationService> service) {
    customerVerificationService_.set(std::move(service));
}

std::shared_ptr<TransactionHistoryService> Wallet::transactionHistoryService() {
    return transactionHistoryService_.get([this] {
        return TransactionHistoryRepository::make(core_->networkManagers().userAuthenticated);
    });
}

void Wallet::setTransactionHistoryService(std::shared_ptr<TransactionHistoryService> service) {
    transactionHistoryService_.set(std::move(service));
}

std::shared_ptr<AuthorizationHistoryService> Wallet::authorizationHistory() {
    return authorizationHistory_.get([this] {
        return AuthorizationHistoryRepository::make(core_->networkManagers().userAuthenticated);
    });
}

void Wallet::setAuthorizationHistory(std::shared_ptr<AuthorizationHistoryService> service) {
    authorizationHistory_.set(std::move(service));
}

}  // namespace corvend
