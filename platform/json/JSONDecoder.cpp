#include "platform/json/JSONDecoder.hpp"

namespace corvend::platform {

void JSONDecoder::decodeRoot(const Data& data, void (*fn)(JSONReader&, void*), void* out) const {
    JSONReader::readDocument(*this, data.data(), data.size(), data.capacity(), fn, out);
}

}  // namespace corvend::platform
