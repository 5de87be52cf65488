// The transaction history page as the kit reads it (decode into the wire page, then map to the
// public list) against a raw simdjson DOM parse of the same bytes. Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <string>

#include "CorvendWallet/services/history/TransactionHistoryMapper.hpp"
#include "bench/DecodeAndMapComparison.hpp"

namespace {

using corvend::platform::Data;

constexpr int kRecords = 1000;

const Data& pageBody() {
    static const Data body = [] {
        std::string text = R"({"transactions":[)";
        for (int i = 0; i < kRecords; ++i) {
            if (i > 0) text += ",";
            const std::string n = std::to_string(i);
            text += R"({"id":"txn-tr-)" + n +
                    R"(","type":"TRANSFER","status":"COMPLETED",)"
                    R"("amount":-)" +
                    std::to_string(1000 + i) +
                    R"(,"currencyCode":"EUR","creationTime":"2024-03-05T14:07:09.589Z",)"
                    R"("paymentId":"tr-)" +
                    n + R"(","merchantRefNum":"order-)" + n +
                    R"(","fees":[{"amount":10,"currency":"EUR","paymentReason":"FX_FEE"}],)"
                    R"("fxAmount":{"amount":1085,"rate":1.0850,"currency":"USD"},)"
                    R"("transferDetails":{"reason":"PEER_TRANSFER","description":"rent share"}})";
        }
        text += R"(],"meta":{"numberOfRecords":1000,"limit":1000,"offset":0,"page":1}})";
        return Data(text);
    }();
    return body;
}

}  // namespace

int main(int argc, char** argv) {
    return corvend::bench::runDecodeAndMapComparison<
        corvend::TransactionHistoryServiceEndpoint::TransactionListResponse>(
        argc, argv, pageBody(), kRecords, &corvend::TransactionHistoryMapper::transactionList,
        [](const corvend::model::TransactionList& list) { return list.transactions().size(); });
}
