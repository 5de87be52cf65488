#pragma once

#include <string_view>

#include "platform/foundation/Date.hpp"

namespace corvend {

// The kit's date rule for replies: RFC 3339 internet date-time without a fraction of a second,
// else with one; anything else is corrupted data. The readers keep no state, so concurrent
// replies parse their dates side by side without a lock.
class DateDecoder {
  public:
    static const DateDecoder& shared();

    // Returns the date, or throws platform::DecodingError (dataCorrupted, "Invalid date format: "
    // followed by the text as received) whose coding path the decoder completes.
    platform::Date decode(std::string_view text) const;
};

}  // namespace corvend
