#pragma once

namespace corvend::platform::web {

// The web view's second delegate, for what a page asks of the screen around it (panels, new
// windows). Pages run no scripts here, so the web view asks it nothing yet; screens that adopt
// it are ready when it does. Held weakly.
class UIDelegate {
  public:
    virtual ~UIDelegate() = default;
};

}  // namespace corvend::platform::web
