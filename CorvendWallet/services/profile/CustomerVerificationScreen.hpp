#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/profile/VerificationResult.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// What the host gets from CustomerVerificationService::startCustomerVerification: a screen that
// opens one identity-verification session and shows its page. The screen itself lives with the
// other screens, above the services.
//
// It reports to `completion`, on the main thread, only when
// - its page reaches the kit's web return address: the session is read and its status reported
//   (`internalError` when the read fails, or when the return or the read's reply names another
//   session or none); a page that returns twice reports twice;
// - it cannot show its page: the session was not opened, gave no usable page address, or its
//   first page failed to load or was answered with an HTTP error status, 4xx or 5xx
//   (`internalError`).
// A page that ends any other way (on a closing page of its own, on an error page after a choice,
// or with a person who never chooses) reports nothing. The screen has no close of its own and
// never dismisses itself: a host that closes it before a report gets none (the completion is
// destroyed uncalled) and reads the customer's verification
// (CustomerVerificationService::getKycStatus) to learn where it stands.
class CustomerVerificationScreen : public platform::ui::ViewController {
  public:
    using Completion = std::function<void(model::VerificationResult)>;

    // The host's receiver of results; empty drops them. Main thread only.
    const Completion& completion() const { return completion_; }
    void setCompletion(Completion completion) { completion_ = std::move(completion); }

    // The session a return address named when it was not the one this screen opened: the page
    // is another's content, so that was not this verification's end (it reported
    // `internalError`; the session opened was not read). None while no return did so. Main
    // thread only.
    const std::optional<std::string>& foreignSession() const { return foreignSession_; }

    // The session the reply to the read of this screen's own session named when it was another:
    // the page returned for the session opened, but the reply says nothing of how that one
    // ended (it reported `internalError`; whether it completed is unknown until the customer's
    // verification is read). None while no reply did so. Main thread only.
    const std::optional<std::string>& foreignReply() const { return foreignReply_; }

  protected:
    CustomerVerificationScreen() = default;
    void setForeignSession(std::string id) { foreignSession_ = std::move(id); }
    void setForeignReply(std::string id) { foreignReply_ = std::move(id); }

  private:
    Completion completion_;
    std::optional<std::string> foreignSession_;
    std::optional<std::string> foreignReply_;
};

}  // namespace corvend
