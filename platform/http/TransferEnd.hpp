#pragma once

#include <curl/curl.h>

namespace corvend::platform::detail {

// How a transfer ended, as far as the one resend a read may have goes.
//
// A server may close a kept connection just as a request goes out on it. libcurl then asks to
// send the request again (refused before sending: a change must never go twice), or, once an
// easy handle has asked five times in its life, fails at once; either way no byte of the reply
// came. Such a read goes once more, on a connection of its own; nothing else does.
struct TransferEnd {
    CURLcode result = CURLE_OK;
    int sends = 0;           // times libcurl set out to send the request on this attempt
    long connections = -1;   // CURLINFO_NUM_CONNECTS: 0 when it went on a kept connection
    long headerBytes = -1;   // CURLINFO_HEADER_SIZE: bytes of the reply's head
    bool read = false;       // GET or HEAD
    bool sentFresh = false;  // this attempt was the resend already

    // Reads the connection counts of `easy`, which ended with `result`.
    static TransferEnd of(CURL* easy, CURLcode result, int sends, bool read, bool sentFresh);

    // Whether the kept connection it went on closed before any byte of the reply.
    bool closedBeforeReply() const;

    // Whether it goes once more, on a fresh connection: a read, at most twice in all.
    bool goesAgainFresh() const { return read && !sentFresh && closedBeforeReply(); }
};

}  // namespace corvend::platform::detail
