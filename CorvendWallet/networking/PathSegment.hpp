#pragma once

#include <string>
#include <string_view>

namespace corvend {

// An identifier made safe to stand as one segment of an endpoint path: every byte outside
// RFC 3986's unreserved set is percent-encoded, so "/", "?", "#" or "%2F" cannot leave the
// segment. "." and ".." would still be dot segments when the URL is resolved (even
// percent-encoded), and "" would name the collection instead of one of its records, so all
// three are refused with internalError "I0001" before anything is sent.
std::string pathSegment(std::string_view identifier);

}  // namespace corvend
