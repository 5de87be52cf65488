#pragma once

#include <string>
#include <string_view>

#include "CorvendWallet/CorvendWallet.hpp"
#include "platform/ui/View.hpp"

namespace corvend::cli {

// Whether a change that ended in `error` may have reached the service without the host seeing
// its end: cancelled (Ctrl-C); a transport failure after its request may have been sent (the
// connection lost, a time-out, a reply that could not be read); or a reply that does not say
// how the service ended it: a 5xx, from the service or a gateway that answered after it acted,
// an error reply without the service's document, a success the kit could not read, or a reply
// about another record (OtherRecordNamed). A refused connection, a failed look-up or handshake
// and an address or body that cannot be sent send nothing; the service's own refusal (4xx) is
// an end seen. Every change is judged by it, stopped by Ctrl-C or not.
bool endUnseen(const Error& error);

// Why such a change's end was not seen: "no reply came (<reason>)" after a transport failure
// or a cancellation, "the reply did not say how it ended (<reason>)" after a reply the kit could
// not take as the service's own (see unseenReason), "the reply named <another>" after one about
// another record.
std::string unseenWhy(const Error& error);

// The failure of such a change in the host's own words: the transport's description of what
// happened on the wire, or what the kit's error names (its code, the reply's status and the
// service's error code), never the kit's or the service's sentences, which may advise trying
// again: after a change that may have been made, that could make it twice.
std::string unseenReason(const Error& error);

// What such a change leaves unknown, and the one read that shows exactly that object:
// "<what> may have reached the service (`<read>` shows it)".
std::string mayHaveReached(std::string_view what, std::string_view read);

// Where a record a change may have made, its id never shown, would be: the newest of `list`,
// whose first page holds the oldest: "(it would be the newest: `<list>` gives the count N,
// `<list> 1 <N-1>` shows the newest)".
std::string asNewestOf(std::string_view list);

// Whether a choice made on a web page among `view` and its subviews may have reached the
// service unseen: a link was followed from a page shown, and the page did not end at a return
// address (it is still loading, or brought another page, an error or a redirect that could not
// load). A page that never arrived had nothing to choose on.
bool pageChoiceUnseen(const platform::ui::ViewPtr& view);

}  // namespace corvend::cli
