#pragma once

// What the tests of wire models share: writing a body, reading a reply, and checking one
// enumeration's wire vocabulary against the service's strings.

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::testing {

// `value` as the kit writes request bodies.
template <class T>
std::string encodedJSON(const T& value) {
    return std::string(sharedRequestEncoder().encode(value).view());
}

// `text` read as T by the kit's reply decoder.
template <class T>
T decodedReply(std::string_view text) {
    return sharedResponseDecoder().decode<T>(platform::Data(std::string(text)));
}

// The kind of DecodingError that reading `text` as T raises; absent when it reads.
template <class T>
std::optional<platform::DecodingError::Kind> decodingFailure(std::string_view text) {
    try {
        decodedReply<T>(text);
    } catch (const platform::DecodingError& error) {
        return error.kind();
    }
    return std::nullopt;
}

// An instant written as a reply writes it: RFC 3339, with or without a fraction of a second.
inline platform::Date replyDate(std::string_view text) {
    auto parsed = platform::iso8601::parseInternetDateTimeWithFractionalSeconds(text);
    if (!parsed) parsed = platform::iso8601::parseInternetDateTime(text);
    return parsed.value();
}

// Checks E's vocabulary against the service's strings: `wire` holds the string of each case in
// declaration order; the case after them, `unknown`, is written as `unknownWire` and read from
// no text and from any other text (the lower-case form of a listed string included).
template <class E>
void expectWireVocabulary(const std::vector<std::string_view>& wire, std::string_view unknownWire) {
    for (std::size_t i = 0; i < wire.size(); ++i) {
        EXPECT_EQ(model::fromWire<E>(wire[i]), static_cast<E>(i)) << wire[i];
        EXPECT_EQ(model::toWireValue(static_cast<E>(i)), wire[i]);
        std::string lower(wire[i]);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(model::fromWire<E>(lower), static_cast<E>(wire.size())) << lower;
    }
    EXPECT_EQ(model::toWireValue(static_cast<E>(wire.size())), unknownWire);
    EXPECT_EQ(model::fromWire<E>(unknownWire), static_cast<E>(wire.size()));
    EXPECT_EQ(model::fromWire<E>(std::nullopt), static_cast<E>(wire.size()));
}

// Checks one vocabulary as replies carry it: `read` puts a JSON string into a reply, decodes
// and maps it; each listed spelling must come back as its own case, never as the fallback.
template <class E, class Read>
void expectEachSpellingRead(const std::vector<std::pair<std::string, E>>& spellings, Read read) {
    for (const auto& [wire, value] : spellings) {
        EXPECT_EQ(read("\"" + wire + "\""), value) << wire;
    }
}

// A paging block whose four members differ, and what it reads as.
inline const std::string kEveryPagingMember =
    R"({"numberOfRecords":31,"limit":7,"offset":14,"page":3})";
inline const model::PagingResultMeta kEveryPagingField{
    .numberOfRecords = 31, .limit = 7, .offset = 14, .page = 3};

}  // namespace corvend::testing
