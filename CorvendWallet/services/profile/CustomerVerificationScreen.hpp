#pragma once

#include <functional>
#include <optional>
#include <string>
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

    // The session a return address, or the read of the session after it, named when it was not
    // the one this screen opened: the page is another's content, so that was not this
    // verification's end (it reported `internalError`, with no word of the session opened). None
    // while nothing did so. Main thread only.
    const std::optional<std::string>& foreignSession() const { return foreignSession_; }

  protected:
    CustomerVerificationScreen() = default;
    void setForeignSession(std::string id) { foreignSession_ = std::move(id); }

  private:
    Completion completion_;
    std::optional<std::string> foreignSession_;
};

}  // namespace corvend
