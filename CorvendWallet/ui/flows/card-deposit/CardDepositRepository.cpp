#include "CorvendWallet/ui/flows/card-deposit/CardDepositRepository.hpp"

#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootBuilder.hpp"

namespace corvend {

std::shared_ptr<CardDepositRepository> CardDepositRepository::make(
    std::shared_ptr<CardDepositComponent> component) {
    return std::make_shared<CardDepositRepository>(
        std::move(component), [](const std::shared_ptr<CardDepositComponent>& dependency) {
            return std::make_shared<DepositRootBuilder>(dependency);
        });
}

CardDepositRepository::CardDepositRepository(std::shared_ptr<CardDepositComponent> component,
                                             RootBuilderFactory depositRootBuilder)
    : component_(std::move(component)), depositRootBuilder_(std::move(depositRootBuilder)) {}

model::CustomerDeposit CardDepositRepository::doPreview(const CardDepositRequest& request) {
    std::vector<model::ReturnLink> returnUrls{{model::ReturnLink::ReturnLinkType::defaultRel,
                                               std::string(kWebReturnURL),
                                               model::HttpRequestMethod::get}};
    return component_->depositService()->preview(
        model::DepositRequest(request.amount, request.currencyCode, model::PaymentOptionType::card,
                              request.paymentInstrumentReference, request.merchantRefNum,
                              std::move(returnUrls), std::nullopt));
}

void CardDepositRepository::doStart(const std::string& depositID,
                                    const platform::ui::ViewControllerPtr& viewController,
                                    ResultCompletion completion) {
    auto flow = std::make_shared<std::weak_ptr<platform::ui::ViewController>>();
    const auto navigationController =
        depositRootBuilder_(component_)
            ->build(depositID, [host = viewController, flow,
                                completion = std::move(completion)](CardDepositResult result) {
                // Dismiss only our own flow: a flow the router already closed must not take the
                // host's own presentation with it.
                const auto presented = host->presentedViewController();
                if (presented && presented == flow->lock()) host->dismiss(true);
                completion(std::move(result));
            });
    *flow = navigationController;
    viewController->present(navigationController, true);
}

}  // namespace corvend
