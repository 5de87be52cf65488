#include "CorvendWallet/core/Wallet.hpp"

#include "CorvendWallet/core/CompositionRoot.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"

namespace corvend {

Wallet& Wallet::instance() {
    // Leaked on purpose: the kit's threads may still use it while the process exits.
    static Wallet* const shared = new Wallet(makeWalletCore());
    return *shared;
}

std::shared_ptr<Wallet> Wallet::make(std::shared_ptr<Core> core) {
    return std::make_shared<Wallet>(std::move(core));
}

Wallet::Wallet(std::shared_ptr<Core> core) : core_(std::move(core)) {}

Wallet::ConfigurationResult Wallet::configure(const Configuration& configuration) {
    return core_->configure(configuration);
}

std::shared_ptr<WalletOperationHandle> Wallet::configure(Configuration configuration,
                                                         ConfigureCompletion completion) {
    return core_->configure(std::move(configuration), std::move(completion));
}

void Wallet::authenticate(const AuthenticationConfiguration& configuration) {
    core_->authenticate(configuration);
}

void Wallet::setAppearance(const Appearance& appearance) {
    appearance.apply();
}

std::string Wallet::version() const {
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

}  // namespace corvend
