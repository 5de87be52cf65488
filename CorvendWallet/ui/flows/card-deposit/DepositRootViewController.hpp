#pragma once

#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootViewOutput.hpp"
#include "platform/ui/ActivityIndicatorView.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// The flow's first screen: a centred spinner while the deposit and its options load. It owns
// the flow's presenter. Main thread.
class DepositRootViewController : public platform::ui::ViewController, public DepositRootViewInput {
  public:
    void setOutput(std::shared_ptr<DepositRootViewOutput> output) { output_ = std::move(output); }

    const std::shared_ptr<platform::ui::ActivityIndicatorView>& loadingIndicator();

    void startLoading() override;
    void stopLoading() override;

  protected:
    void viewDidLoad() override;

  private:
    std::shared_ptr<platform::ui::ActivityIndicatorView> loadingIndicator_;
    std::shared_ptr<DepositRootViewOutput> output_;
};

}  // namespace corvend
