#include "CorvendWallet/ui/flows/card-deposit/CardDepositRepository.hpp"

#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootBuilder.hpp"
#include "platform/ui/NavigationController.hpp"

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

namespace {

// The screen a new presentation must come from: what the host shows on top, however deep.
// Presenting from anything lower is refused, and the flow would never run nor end.
platform::ui::ViewControllerPtr topmostPresenter(platform::ui::ViewControllerPtr host) {
    for (;;) {
        platform::ui::ViewControllerPtr context = host;
        if (auto navigation = host->navigationController()) context = std::move(navigation);
        auto presented = context->presentedViewController();
        if (!presented) return host;
        host = std::move(presented);
    }
}

}  // namespace

void CardDepositRepository::doStart(const std::string& depositID,
                                    const platform::ui::ViewControllerPtr& viewController,
                                    ResultCompletion completion) {
    auto flow = std::make_shared<std::weak_ptr<platform::ui::ViewController>>();
    const auto navigationController =
        depositRootBuilder_(component_)
            ->build(depositID,
                    [flow, completion = std::move(completion)](CardDepositResult result) {
                        // Dismiss only our own flow, from where it was presented: a flow the router
                        // already closed must not take the host's own presentation with it.
                        if (const auto shown = flow->lock()) {
                            if (const auto presenter = shown->presentingViewController()) {
                                presenter->dismiss(true);
                            }
                        }
                        completion(std::move(result));
                    });
    *flow = navigationController;
    topmostPresenter(viewController)->present(navigationController, true);
}

}  // namespace corvend
