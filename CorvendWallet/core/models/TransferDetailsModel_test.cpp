#include "CorvendWallet/core/models/TransferDetailsModel.hpp"

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

using Reason = model::TransferDetails::Reason;

std::string encode(const TransferDetailsModel& details) {
    return std::string(sharedRequestEncoder().encode(details).view());
}

TransferDetailsModel decode(const char* json) {
    return sharedResponseDecoder().decode<TransferDetailsModel>(json);
}

TEST(TransferDetailsModelTest, WritesTheReasonAlways) {
    struct Row {
        model::TransferDetails details;
        std::string expected;
    };
    const Row rows[] = {
        {{Reason::cancelation, std::nullopt}, R"({"reason":"CANCELATION"})"},
        {{Reason::unknown, "gift"}, R"({"reason":"UNKNOWN","description":"gift"})"},
        {{Reason::peerTransfer, ""}, R"({"reason":"PEER_TRANSFER","description":""})"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(encode(toTransferDetailsModel(row.details)), row.expected);
    }
}

TEST(TransferDetailsModelTest, ReadsWhatItWrites) {
    for (Reason reason : {Reason::cancelation, Reason::other, Reason::unknown}) {
        const model::TransferDetails details{reason, "note"};
        const auto json = encode(toTransferDetailsModel(details));
        EXPECT_EQ(toTransferDetails(decode(json.c_str())), details) << json;
    }
}

TEST(TransferDetailsModelTest, ReadsMissingAndUnknownReasonsAsUnknown) {
    struct Row {
        const char* json;
        TransferDetailsModel wire;
        model::TransferDetails mapped;
    };
    const Row rows[] = {
        {"{}", {}, {Reason::unknown, std::nullopt}},
        {R"({"reason":null,"description":null})", {}, {Reason::unknown, std::nullopt}},
        {R"({"reason":"CANCELLATION"})",
         {"CANCELLATION", std::nullopt},
         {Reason::unknown, std::nullopt}},
        {R"({"reason":"REFUND","description":"late"})",
         {"REFUND", "late"},
         {Reason::refund, "late"}},
    };
    for (const Row& row : rows) {
        const TransferDetailsModel wire = decode(row.json);
        EXPECT_EQ(wire, row.wire) << row.json;
        EXPECT_EQ(toTransferDetails(wire), row.mapped) << row.json;
    }
    EXPECT_THROW(decode(R"({"reason":7})"), platform::DecodingError);
}

}  // namespace
}  // namespace corvend
