#pragma once

#include <chrono>

#include "platform/http/URLRequest.hpp"

namespace corvend::platform::web {

// How a web view is set up. Recorded only: the view keeps no cookies, cache or storage in any
// case (its session is ephemeral) and plays no media, so every store is non-persistent.
struct WebViewConfiguration {
    // Nothing the pages store outlives the web view.
    bool nonPersistentDataStore = false;
    // Media may play inside the page rather than full screen.
    bool allowsInlineMediaPlayback = false;
    // Playback waits for a person's gesture.
    bool mediaPlaybackRequiresUserAction = true;
    // Caps each page load as a whole, however steadily its server sends, as the kit caps its
    // own calls; the request's time-out stays the idle one.
    URLRequest::Seconds timeoutIntervalForResource = std::chrono::seconds(60);
};

}  // namespace corvend::platform::web
