// The card list reply, each card with its tokenizations, as the kit reads it (decode into the
// wire page, then map to the public list) against a raw simdjson DOM parse of the same bytes.
// Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <string>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "bench/DecodeComparison.hpp"

namespace {

using corvend::platform::Data;

constexpr int kRecords = 1000;

const Data& listBody() {
    static const Data body = [] {
        std::string text = R"({"cards":[)";
        for (int i = 0; i < kRecords; ++i) {
            if (i > 0) text += ",";
            const std::string n = std::to_string(i);
            text += R"({"cardId":"card-)" + n +
                    R"(","status":"ACTIVE","expiry":{"month":12,"year":2029},"bin":"411111",)"
                    R"("lastFour":")" +
                    std::to_string(1000 + i % 9000) + R"(","customerId":"cust-)" + n +
                    R"(","cardType":"VIRTUAL","programName":"Corvend-Virtual","currency":"EUR",)"
                    R"("mobile":"+353861234567","deliveryAddress":{"address1":"1 Main Street",)"
                    R"("city":"Dublin","countryCode":"IE","postalCode":"D02"},)"
                    R"("createdDate":"2024-03-05T14:07:09.589Z","accountId":"acc-)" +
                    n +
                    R"(","scheme":"VISA","activationDate":"2024-03-05T14:07:10Z",)"
                    R"("isPinSet":true,"externalId":"ext-)" +
                    n + R"(","tokenizations":{"mobileWalletTokenizations":[{"dpanRef":"dpan-)" + n +
                    R"(-1","walletId":"w-)" + n +
                    R"(","walletType":"APPLE_PAY","status":"COMPLETED"},{"dpanRef":"dpan-)" + n +
                    R"(-2","walletType":"GOOGLE_PAY","status":"INITIATED"}]}})";
        }
        text += R"(],"meta":{"numberOfRecords":1000,"limit":1000,"offset":0,"page":1}})";
        return Data(text);
    }();
    return body;
}

void BM_DecodeAndMap(benchmark::State& state) {
    const auto& decoder = corvend::sharedResponseDecoder();
    corvend::bench::timeDecode(
        state, listBody(), kRecords,
        [&decoder](const Data& body) {
            return corvend::CardRepository::cardList(
                decoder.decode<corvend::CardServiceEndpoint::CardListResponse>(body));
        },
        [](const corvend::model::CardList& list) { return list.cards().size(); });
}
BENCHMARK(BM_DecodeAndMap)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return corvend::bench::runDecodeComparison(argc, argv, listBody(), kRecords, "BM_DecodeAndMap",
                                               "decode-and-map / raw DOM parse");
}
