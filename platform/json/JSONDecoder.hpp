#pragma once

#include <functional>
#include <string_view>
#include <type_traits>

#include "platform/foundation/Data.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/json/DecodingError.hpp"
#include "platform/json/EmptyResponse.hpp"
#include "platform/json/JSONCoding.hpp"

namespace corvend::platform {

// Decodes JSON replies into models coded by JSONCoding<T> (described structs, containers,
// scalars; see JSONCoding.hpp). Every failure is a DecodingError.
//
// A decoder is configured once and then may be shared: decode() is const and may run on
// many threads at once (each thread parses with its own reused parser). Changing the date
// strategy while decodes run is not allowed.
class JSONDecoder {
  public:
    // Turns the text of a date string into a Date, or throws DecodingError (typically
    // dataCorrupted with an empty path; the member's path is put in front of it). Any other
    // std::exception it throws becomes dataCorrupted with that exception as underlyingError.
    using DateDecodingStrategy = std::function<Date(std::string_view text)>;

    JSONDecoder() = default;

    // With a strategy, a Date member must be a JSON string (a number gives typeMismatch, null
    // valueNotFound, and the strategy is not called). Without one (the default, or after
    // passing an empty function), a Date member is a JSON number of seconds since
    // 2001-01-01T00:00:00Z, rounded to the microsecond.
    void setDateDecodingStrategy(DateDecodingStrategy strategy) {
        dateStrategy_ = std::move(strategy);
    }
    const DateDecodingStrategy& dateDecodingStrategy() const { return dateStrategy_; }

    // Decodes `data` in place (no copy of the body). The body must hold exactly one JSON
    // value, blanks around it allowed: an empty body, malformed JSON or content after the
    // value gives dataCorrupted with an empty coding path.
    template <class T>
    T decode(const Data& data) const;

    // The same for text not held in a Data; the text is copied into a padded buffer first.
    template <class T>
    T decode(std::string_view text) const {
        return decode<T>(Data(text));
    }

  private:
    template <class T>
    static void decodeInto(JSONReader& root, void* out) {
        JSONCoding<T>::decode(root, *static_cast<T*>(out));
    }

    void decodeRoot(const Data& data, void (*fn)(JSONReader&, void*), void* out) const;

    DateDecodingStrategy dateStrategy_;
};

template <class T>
T JSONDecoder::decode(const Data& data) const {
    if constexpr (std::is_same_v<T, EmptyResponse>) {
        return T{};
    } else {
        T out{};
        decodeRoot(data, &decodeInto<T>, &out);
        return out;
    }
}

}  // namespace corvend::platform
