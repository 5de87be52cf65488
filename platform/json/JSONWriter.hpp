#pragma once

#include <cstdint>
#include <string_view>

#include "platform/foundation/Data.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/Decimal.hpp"
#include "platform/json/EncodingError.hpp"

namespace corvend::platform {

class JSONEncoder;

// Writes compact JSON text (no blanks, no trailing newline) to a Data, for JSONCoding<T>::
// encode. Commas and colons are placed by the writer: a coder writes an object as
// beginObject(), then key() followed by one value per member, then endObject(); an array as
// beginArray(), the values, endArray(). The writer does not check that calls are balanced.
class JSONWriter {
  public:
    JSONWriter(Data& out, const JSONEncoder& encoder) : out_(out), encoder_(encoder) {}
    JSONWriter(const JSONWriter&) = delete;
    JSONWriter& operator=(const JSONWriter&) = delete;

    void beginObject();
    void endObject();
    void key(std::string_view key);
    void beginArray();
    void endArray();

    void writeNull();
    void writeBool(bool value);
    void writeInt64(std::int64_t value);
    // Shortest text that reads back as the same double. Throws EncodingError (invalidValue)
    // for infinities and NaN, which JSON cannot hold.
    void writeDouble(double value);
    // Throws EncodingError (invalidValue) for text that is not valid UTF-8.
    void writeString(std::string_view value);
    // The decimal's own digits as a JSON number (Decimal::toString()).
    void writeDecimal(const Decimal& value);
    // Through the encoder's date strategy (see JSONEncoder).
    void writeDate(const Date& value);

    // Writes `value` through JSONCoding<T> (defined in JSONCoding.hpp).
    template <class T>
    void encode(const T& value);

    const JSONEncoder& encoder() const { return encoder_; }

  private:
    void separate();
    void put(char c) { out_.append(std::string_view(&c, 1)); }

    Data& out_;
    const JSONEncoder& encoder_;
    bool first_ = true;      // no value yet in the current container
    bool afterKey_ = false;  // the next value belongs to the key just written
};

}  // namespace corvend::platform
