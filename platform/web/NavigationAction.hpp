#pragma once

#include "platform/http/URLRequest.hpp"

namespace corvend::platform::web {

// What started a navigation.
enum class NavigationType {
    other,          // a load asked for by the program (WebView::load)
    linkActivated,  // a person followed a link of the page (WebView::navigate)
    redirect,       // the server answered the previous hop with a redirect
};

// One navigation the web view is about to make, handed to its delegate for a decision.
struct NavigationAction {
    URLRequest request;
    NavigationType navigationType = NavigationType::other;
};

}  // namespace corvend::platform::web
