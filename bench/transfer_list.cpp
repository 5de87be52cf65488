// The transfer list reply as the kit reads it (decode into the wire page, then map to the
// public list) against a raw simdjson DOM parse of the same bytes. Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "bench/DecodeAndMapComparison.hpp"

namespace {

using corvend::platform::Data;

constexpr int kRecords = 1000;

const Data& listBody() {
    static const Data body = [] {
        std::string text = R"({"transfers":[)";
        for (int i = 0; i < kRecords; ++i) {
            if (i > 0) text += ",";
            const std::string n = std::to_string(i);
            text += R"({"id":"tr-)" + n + R"(","amount":)" + std::to_string(1000 + i) +
                    R"(,"currencyCode":"EUR","recipient":{"customerId":"c-)" + n +
                    R"(","email":"user)" + n + R"(@example.com"},"merchantRefNum":"order-)" + n +
                    R"(","fxQuote":"fxq-)" + n +
                    R"(","transferDetails":{"reason":"PEER_TRANSFER","description":"rent share"},)"
                    R"("fees":[{"amount":10,"currency":"EUR","paymentReason":"FX_FEE"}],)"
                    R"("creationTime":"2024-03-05T14:07:09.589Z",)"
                    R"("expirationTime":"2024-03-05T14:17:09Z","status":"COMPLETED",)"
                    R"("slipId":"S-)" +
                    n + R"(","fxAmount":{"amount":1085,"rate":1.0850,"currency":"USD"}})";
        }
        text += R"(],"meta":{"numberOfRecords":1000,"limit":1000,"offset":0,"page":1}})";
        return Data(text);
    }();
    return body;
}

}  // namespace

int main(int argc, char** argv) {
    return corvend::bench::runDecodeAndMapComparison<
        corvend::TransferServiceEndpoint::CustomerTransferListResponse>(
        argc, argv, listBody(), kRecords, &corvend::TransferRepository::mapTransferList,
        [](const corvend::model::CustomerTransferList& list) { return list.transfers().size(); });
}
