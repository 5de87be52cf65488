#include "platform/json/JSONWriter.hpp"

#include <boost/json/serialize.hpp>
#include <charconv>
#include <cmath>

#include "platform/foundation/Unicode.hpp"
#include "platform/json/JSONEncoder.hpp"

namespace corvend::platform {

void JSONWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) put(',');
    first_ = false;
}

void JSONWriter::beginObject() {
    separate();
    put('{');
    first_ = true;
}

void JSONWriter::endObject() {
    put('}');
    first_ = false;
}

void JSONWriter::key(std::string_view key) {
    writeString(key);
    put(':');
    afterKey_ = true;
}

void JSONWriter::beginArray() {
    separate();
    put('[');
    first_ = true;
}

void JSONWriter::endArray() {
    put(']');
    first_ = false;
}

void JSONWriter::writeNull() {
    separate();
    out_.append("null");
}

void JSONWriter::writeBool(bool value) {
    separate();
    out_.append(value ? "true" : "false");
}

void JSONWriter::writeInt64(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    separate();
    out_.append(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void JSONWriter::writeDouble(double value) {
    if (!std::isfinite(value)) {
        throw EncodingError::invalidValue(
            {{},
             "Cannot encode the double " + std::to_string(value) + ": JSON has no such number."});
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    separate();
    out_.append(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void JSONWriter::writeString(std::string_view value) {
    // JSON text is UTF-8: a body with broken sequences would be refused by its reader. Not
    // simdjson's check: it calls through a static that exit destroys while requests may run.
    if (!unicode::isWellFormedUTF8(value)) {
        throw EncodingError::invalidValue({{}, "Cannot encode a string that is not valid UTF-8."});
    }
    separate();
    out_.append(boost::json::serialize(boost::json::string_view(value.data(), value.size())));
}

void JSONWriter::writeDecimal(const Decimal& value) {
    separate();
    out_.append(value.toString());
}

void JSONWriter::writeDate(const Date& value) {
    encoder_.writeDate(value, *this);
}

}  // namespace corvend::platform
