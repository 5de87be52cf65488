#pragma once

namespace corvend {

// What the secure-details screen asks of its interactor, on the main thread.
class CardSecureDetailsInteractorInput {
  public:
    virtual ~CardSecureDetailsInteractorInput() = default;

    // Fetches the page's address anew, cancelling a fetch still running.
    virtual void loadSecureDetails() = 0;
    // Cancels the running fetch: it changes nothing on screen any more.
    virtual void cancel() = 0;
};

}  // namespace corvend
