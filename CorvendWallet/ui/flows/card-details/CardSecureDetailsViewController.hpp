#pragma once

#include <memory>

#include "CorvendWallet/foundation/Passkey.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractorOutput.hpp"
#include "platform/ui/ActivityIndicatorView.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/ViewController.hpp"
#include "platform/web/WebView.hpp"

namespace corvend {

// Shows a card's secure-details page: a spinner while its address is fetched, then the page in
// a web view that keeps nothing once it is gone, or a single failure image. No close button,
// no result: the host removes the screen. Releasing it cancels a fetch still running.
class CardSecureDetailsViewController final : public platform::ui::ViewController,
                                              public CardSecureDetailsInteractorOutput {
  public:
    // The screen over `interactor`, which it keeps, and which a lifecycle tracker cancels when
    // the screen goes away.
    static std::shared_ptr<CardSecureDetailsViewController> make(
        std::shared_ptr<CardSecureDetailsInteractorInput> interactor);

    // Made only through make(), which ties the tracker.
    using Passkey = corvend::Passkey<CardSecureDetailsViewController>;
    CardSecureDetailsViewController(Passkey,
                                    std::shared_ptr<CardSecureDetailsInteractorInput> interactor);

    // Made on first use.
    const std::shared_ptr<platform::web::WebView>& webView();
    const std::shared_ptr<platform::ui::ActivityIndicatorView>& loadingIndicator();
    const std::shared_ptr<platform::ui::ImageView>& failureImageView();

    void showSecureDetails(const platform::URL& url) override;
    void showFailure() override;

  protected:
    void viewDidLoad() override;

  private:
    void setupViews();

    const std::shared_ptr<CardSecureDetailsInteractorInput> interactor_;
    std::shared_ptr<platform::web::WebView> webView_;
    std::shared_ptr<platform::ui::ActivityIndicatorView> loadingIndicator_;
    std::shared_ptr<platform::ui::ImageView> failureImageView_;
};

}  // namespace corvend
