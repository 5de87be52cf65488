#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"

namespace corvend {

CurrencyExchangeRepository::CurrencyExchangeRepository(std::shared_ptr<Networkable> networkManager)
    : networkManager_(std::move(networkManager)) {
    if (!networkManager_) {
        throw std::invalid_argument("CurrencyExchangeRepository needs a network manager");
    }
}

std::shared_ptr<CurrencyExchangeRepository> CurrencyExchangeRepository::make(
    std::shared_ptr<Networkable> networkManager) {
    return std::make_shared<CurrencyExchangeRepository>(std::move(networkManager));
}

model::FXRate CurrencyExchangeRepository::doGetQuote(const std::string& id) {
    return askedRecord(id, fxRate(networkManager_->request(CurrencyExchangeEndpoint::getQuote(id))),
                       &model::FXRate::id);
}

model::FXRate CurrencyExchangeRepository::doCreateQuote(const model::FXRateRequest& request) {
    return fxRate(networkManager_->request(CurrencyExchangeEndpoint::createQuote(
        {.sourceCurrency = request.sourceCurrency(), .targetCurrency = request.targetCurrency()})));
}

model::FXRate CurrencyExchangeRepository::fxRate(
    CurrencyExchangeEndpoint::FXRateResponse response) {
    return model::FXRate(std::move(response.id), std::move(response.sourceCurrency),
                         std::move(response.targetCurrency), response.creationTime,
                         response.expirationTime, response.fxRate, std::move(response.sender));
}

}  // namespace corvend
