#include "platform/url/PercentEncoding.hpp"

#include <boost/url/encode.hpp>
#include <boost/url/rfc/unreserved_chars.hpp>

namespace corvend::platform {

std::string percentEncodeUnreserved(std::string_view text) {
    return boost::urls::encode(text, boost::urls::unreserved_chars);
}

}  // namespace corvend::platform
