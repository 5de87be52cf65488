#include "platform/http/TransferEnd.hpp"

namespace corvend::platform::detail {

TransferEnd TransferEnd::of(CURL* easy, CURLcode result, int sends, bool read, bool sentFresh) {
    TransferEnd end{.result = result, .sends = sends, .read = read, .sentFresh = sentFresh};
    curl_easy_getinfo(easy, CURLINFO_NUM_CONNECTS, &end.connections);
    curl_easy_getinfo(easy, CURLINFO_HEADER_SIZE, &end.headerBytes);
    return end;
}

bool TransferEnd::closedBeforeReply() const {
    if (result == CURLE_ABORTED_BY_CALLBACK) return sends > 1;
    if (result != CURLE_SEND_ERROR && result != CURLE_RECV_ERROR && result != CURLE_GOT_NOTHING)
        return false;
    return connections == 0 && headerBytes == 0;
}

}  // namespace corvend::platform::detail
