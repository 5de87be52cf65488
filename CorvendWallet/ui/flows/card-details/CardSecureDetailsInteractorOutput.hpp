#pragma once

#include "platform/url/URL.hpp"

namespace corvend {

// What the secure-details interactor tells its screen, on the main thread.
class CardSecureDetailsInteractorOutput {
  public:
    virtual ~CardSecureDetailsInteractorOutput() = default;

    virtual void showSecureDetails(const platform::URL& url) = 0;
    virtual void showFailure() = 0;
};

}  // namespace corvend
