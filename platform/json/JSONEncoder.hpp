#pragma once

#include <functional>
#include <string>
#include <variant>

#include "platform/foundation/Data.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/json/EncodingError.hpp"
#include "platform/json/JSONCoding.hpp"

namespace corvend::platform {

// Encodes models coded by JSONCoding<T> as compact JSON: members in declared order, absent
// optional members left out, no blanks, no trailing newline. Integers and decimals are
// written exactly; bytes (Data) as Base64. Failures are EncodingError. encode() is const and may
// run on many threads at once; configure the encoder before sharing it.
class JSONEncoder {
  public:
    enum class DateEncodingStrategy {
        // A JSON number of seconds since 2001-01-01T00:00:00Z (the default).
        secondsSinceReferenceDate,
        // An RFC 3339 string in UTC with whole seconds: "2024-03-05T14:07:09Z".
        iso8601,
    };
    // A custom date form: a JSON number (double) or a JSON string. It may throw
    // EncodingError; the member's path is put in front of it. Any other std::exception
    // becomes invalidValue with that exception as underlyingError.
    using CustomDateEncoding = std::function<std::variant<double, std::string>(const Date&)>;

    JSONEncoder() = default;

    void setDateEncodingStrategy(DateEncodingStrategy strategy);
    // An empty function restores the default.
    void setDateEncodingStrategy(CustomDateEncoding encoding);

    template <class T>
    Data encode(const T& value) const {
        Data out;
        JSONWriter writer(out, *this);
        writer.encode(value);
        return out;
    }

    // Writes `date` in the configured form; used by JSONWriter::writeDate.
    void writeDate(const Date& date, JSONWriter& out) const;

  private:
    DateEncodingStrategy dateStrategy_ = DateEncodingStrategy::secondsSinceReferenceDate;
    CustomDateEncoding customDate_;
};

}  // namespace corvend::platform
