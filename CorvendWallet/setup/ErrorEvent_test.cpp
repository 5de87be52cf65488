#include "CorvendWallet/setup/ErrorEvent.hpp"

#include <gtest/gtest.h>

namespace corvend {
namespace {

TEST(ErrorEventTest, NameFromRawValueAcceptsOnlyTheExactText) {
    const auto name = ErrorEvent::Name::decodingError;
    EXPECT_EQ(ErrorEvent::nameFromRawValue("DECODING_ERROR"), name);
    EXPECT_EQ(ErrorEvent::nameFromRawValue(ErrorEvent::rawValue(name)), name);
    for (const std::string_view other : {"decoding_error", "DECODING_ERROR ", ""}) {
        EXPECT_EQ(ErrorEvent::nameFromRawValue(other), std::nullopt) << '"' << other << '"';
    }
}

}  // namespace
}  // namespace corvend
