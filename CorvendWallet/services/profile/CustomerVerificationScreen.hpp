#pragma once

#include <functional>
#include <utility>

#include "CorvendWallet/services/profile/VerificationResult.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// What the host gets from CustomerVerificationService::startCustomerVerification: a screen that
// runs one identity verification and hands its result to `completion` on the main thread. The
// screen itself lives with the other screens, above the services.
class CustomerVerificationScreen : public platform::ui::ViewController {
  public:
    using Completion = std::function<void(model::VerificationResult)>;

    // The host's receiver of results; empty drops them. Main thread only.
    const Completion& completion() const { return completion_; }
    void setCompletion(Completion completion) { completion_ = std::move(completion); }

  protected:
    CustomerVerificationScreen() = default;

  private:
    Completion completion_;
};

}  // namespace corvend
