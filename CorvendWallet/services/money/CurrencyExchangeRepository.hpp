#pragma once

#include <memory>
#include <string>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeEndpoint.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeService.hpp"

namespace corvend {

// The currency-exchange service over one network manager. It adds no error and checks no
// value of the reply; holding no state of its own, it serves concurrent calls independently.
class CurrencyExchangeRepository final : public CurrencyExchangeService {
  public:
    // Throws std::invalid_argument for a null `networkManager`.
    explicit CurrencyExchangeRepository(std::shared_ptr<Networkable> networkManager);

    static std::shared_ptr<CurrencyExchangeRepository> make(
        std::shared_ptr<Networkable> networkManager);

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

    // The public quote of a reply: its seven fields, one to one.
    static model::FXRate fxRate(CurrencyExchangeEndpoint::FXRateResponse response);

  private:
    // GET of the quote `id` (see CurrencyExchangeEndpoint::getQuote).
    model::FXRate doGetQuote(const std::string& id) override;
    // POST of the two currency codes as given (see CurrencyExchangeEndpoint::createQuote).
    model::FXRate doCreateQuote(const model::FXRateRequest& request) override;

    const std::shared_ptr<Networkable> networkManager_;
};

}  // namespace corvend
