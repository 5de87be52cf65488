#pragma once

#include <string>
#include <string_view>

#include "CorvendWallet/CorvendWallet.hpp"
#include "platform/ui/View.hpp"

namespace corvend::cli {

// Whether a change that ended in `error` may have reached the service without the host seeing
// its end: cancelled (Ctrl-C), or a transport failure after its request may have been sent (the
// connection lost, a time-out, a reply that could not be read). A refused connection, a failed
// look-up or handshake and an address that cannot be sent send nothing; the service's own
// refusal is an end seen. Every change is judged by it, stopped by Ctrl-C or not.
bool endUnseen(const Error& error);

// What such a change leaves unknown, and the one read that shows exactly that object:
// "<what> may have reached the service (`<read>` shows it)".
std::string mayHaveReached(std::string_view what, std::string_view read);

// Where a record a change may have made, its id never shown, would be: the newest of `list`,
// whose first page holds the oldest: "(it would be the newest: `<list>` gives the count N,
// `<list> 1 <N-1>` shows the newest)".
std::string asNewestOf(std::string_view list);

// Whether a choice made on a web page among `view` and its subviews may have reached the
// service unseen: a link followed from a page shown is still loading, was lost on the way (see
// endUnseen), or was answered with an HTTP error status, which the service (or a gateway in
// front of it) may send after acting, or for a request sent again once it had. A page that
// never arrived had nothing to choose on.
bool pageChoiceUnseen(const platform::ui::ViewPtr& view);

}  // namespace corvend::cli
