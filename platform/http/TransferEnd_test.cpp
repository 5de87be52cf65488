#include "platform/http/TransferEnd.hpp"

#include <gtest/gtest.h>

namespace corvend::platform::detail {
namespace {

// A read whose kept connection closed before any byte of the reply goes once more on a fresh
// connection, however libcurl reports the loss; nothing else goes again, and nothing goes a
// third time.
TEST(TransferEndTest, OnlyAReadWhoseKeptConnectionClosedUnansweredGoesAgainAndOnlyOnce) {
    const TransferEnd lost{.connections = 0, .headerBytes = 0, .read = true};
    const auto with = [&](auto change) {
        TransferEnd end = lost;
        change(end);
        return end;
    };
    for (const CURLcode result : {CURLE_SEND_ERROR, CURLE_RECV_ERROR, CURLE_GOT_NOTHING}) {
        SCOPED_TRACE(result);
        EXPECT_TRUE(with([&](auto& end) { end.result = result; }).goesAgainFresh());
        // Sent again already: a loss on the fresh connection ends it.
        EXPECT_FALSE(with([&](auto& end) {
                         end.result = result;
                         end.sentFresh = true;
                     }).goesAgainFresh());
        // A change never goes twice, but its loss is still told as one.
        const auto change = with([&](auto& end) {
            end.result = result;
            end.read = false;
        });
        EXPECT_FALSE(change.goesAgainFresh());
        EXPECT_TRUE(change.closedBeforeReply());
        // A new connection, or a reply begun, is no kept connection's close.
        EXPECT_FALSE(with([&](auto& end) {
                         end.result = result;
                         end.connections = 1;
                     }).closedBeforeReply());
        EXPECT_FALSE(with([&](auto& end) {
                         end.result = result;
                         end.headerBytes = 17;
                     }).closedBeforeReply());
    }
    // libcurl's own resend, refused before sending.
    EXPECT_TRUE(with([](auto& end) {
                    end.result = CURLE_ABORTED_BY_CALLBACK;
                    end.sends = 2;
                }).goesAgainFresh());
    EXPECT_FALSE(with([](auto& end) {
                     end.result = CURLE_ABORTED_BY_CALLBACK;
                     end.sends = 1;
                 }).closedBeforeReply());
    EXPECT_FALSE(
        with([](auto& end) { end.result = CURLE_OPERATION_TIMEDOUT; }).closedBeforeReply());
}

}  // namespace
}  // namespace corvend::platform::detail
