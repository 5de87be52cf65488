// Decoding a 1,000-record transfer list: the generic described-struct decode against the raw
// parse of the same bytes by the parser underneath. Prints the ratio at the end.

#include <benchmark/benchmark.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/DecodeComparison.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/foundation/Decimal.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/json/JSONDecoder.hpp"

namespace bench_wire {

using corvend::platform::Date;
using corvend::platform::Decimal;

struct MoneyResponse {
    Decimal amount;
    std::string currency;
};
BOOST_DESCRIBE_STRUCT(MoneyResponse, (), (amount, currency))

struct FeeResponse {
    std::string type;
    Decimal amount;
    std::string currency;
    std::optional<std::string> description;
};
BOOST_DESCRIBE_STRUCT(FeeResponse, (), (type, amount, currency, description))

struct PartyResponse {
    std::string id;
    std::string name;
    std::optional<std::string> email;
};
BOOST_DESCRIBE_STRUCT(PartyResponse, (), (id, name, email))

struct TransferResponse {
    std::string id;
    std::string status;
    MoneyResponse amount;
    std::optional<Decimal> exchangeRate;
    std::vector<FeeResponse> fees;
    PartyResponse sender;
    PartyResponse receiver;
    Date createdAt;
    std::optional<Date> completedAt;
    std::optional<std::string> reference;
    std::int64_t sequence = 0;
    bool instant = false;
};
BOOST_DESCRIBE_STRUCT(TransferResponse, (),
                      (id, status, amount, exchangeRate, fees, sender, receiver, createdAt,
                       completedAt, reference, sequence, instant))

struct TransferListResponse {
    std::vector<TransferResponse> transfers;
    std::optional<std::string> nextCursor;
};
BOOST_DESCRIBE_STRUCT(TransferListResponse, (), (transfers, nextCursor))

}  // namespace bench_wire

namespace {

using corvend::platform::Data;
using corvend::platform::DecodingError;
using corvend::platform::JSONDecoder;

constexpr int kRecords = 1000;

std::string twoDigits(int n) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", n % 100);
    return text;
}

std::string makeRecord(int i) {
    const std::string day = "2024-03-" + twoDigits(1 + i % 28);
    const std::string time = twoDigits(i % 24) + ":" + twoDigits(i % 60) + ":" + twoDigits(i % 59);
    std::string r = "{";
    r += R"("id":"tr_)" + std::to_string(100000 + i) + R"(",)";
    r += R"("status":")" + std::string(i % 3 == 0 ? "COMPLETED" : "PENDING") + R"(",)";
    r += R"("amount":{"amount":)" + std::to_string(10 + i) + "." + twoDigits(i % 100) +
         R"(,"currency":"EUR"},)";
    if (i % 2 == 0) r += R"("exchangeRate":1.0850,)";
    r += R"("fees":[{"type":"FX","amount":0.35,"currency":"EUR"},)";
    r += R"({"type":"FLAT","amount":1.00,"currency":"EUR")";
    r += i % 2 == 0 ? R"(,"description":"Network fee"}],)" : "}],";
    r += R"("sender":{"id":"cu_)" + std::to_string(5000 + i) + R"(","name":"Ana Lima")";
    r += i % 2 != 0 ? R"(,"email":"ana@example.com"},)" : "},";
    r += R"("receiver":{"id":"cu_)" + std::to_string(9000 + i) + R"(","name":"Ben Roe"},)";
    r += R"("createdAt":")" + day + "T" + time + R"(Z",)";
    if (i % 3 == 0) r += R"("completedAt":")" + day + "T23:59:59Z\",";
    if (i % 4 != 0) r += R"("reference":"Invoice )" + std::to_string(i) + R"(",)";
    r += R"("channel":"app",)";  // not in the model
    r += R"("sequence":)" + std::to_string(1'000'000'000LL + i) + ",";
    r += R"("instant":)" + std::string(i % 5 == 0 ? "true" : "false");
    r += "}";
    return r;
}

const Data& listBody() {
    static const Data body = [] {
        std::string text = R"({"transfers":[)";
        for (int i = 0; i < kRecords; ++i) {
            if (i > 0) text += ',';
            text += makeRecord(i);
        }
        text += R"(],"nextCursor":"c_1000"})";
        return Data(text);
    }();
    return body;
}

JSONDecoder makeDecoder() {
    JSONDecoder decoder;
    decoder.setDateDecodingStrategy([](std::string_view text) {
        if (auto date = corvend::platform::iso8601::parseInternetDateTime(text)) return *date;
        throw DecodingError::dataCorrupted({{}, "Invalid date format: " + std::string(text)});
    });
    return decoder;
}

void BM_GenericDecode(benchmark::State& state) {
    const JSONDecoder decoder = makeDecoder();
    corvend::bench::timeDecode(
        state, listBody(), kRecords,
        [&decoder](const Data& body) {
            return decoder.decode<bench_wire::TransferListResponse>(body);
        },
        [](const bench_wire::TransferListResponse& list) { return list.transfers.size(); });
}
BENCHMARK(BM_GenericDecode)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return corvend::bench::runDecodeComparison(argc, argv, listBody(), kRecords, "BM_GenericDecode",
                                               "generic decode / raw DOM parse");
}
