#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositComponent.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositService.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootBuildable.hpp"

namespace corvend {

// The card-deposit service over the flow's component; each start builds a new flow.
class CardDepositRepository final : public CardDepositService {
  public:
    using RootBuilderFactory = std::function<std::shared_ptr<DepositRootBuildable>(
        const std::shared_ptr<CardDepositComponent>&)>;

    // With the kit's own root builder.
    static std::shared_ptr<CardDepositRepository> make(
        std::shared_ptr<CardDepositComponent> component);

    CardDepositRepository(std::shared_ptr<CardDepositComponent> component,
                          RootBuilderFactory depositRootBuilder);

    const std::shared_ptr<CardDepositComponent>& component() const { return component_; }

  private:
    model::CustomerDeposit doPreview(const CardDepositRequest& request) override;
    void doStart(const std::string& depositID,
                 const platform::ui::ViewControllerPtr& viewController,
                 ResultCompletion completion) override;

    const std::shared_ptr<CardDepositComponent> component_;
    const RootBuilderFactory depositRootBuilder_;
};

}  // namespace corvend
