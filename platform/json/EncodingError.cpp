#include "platform/json/EncodingError.hpp"

namespace corvend::platform {

EncodingError EncodingError::invalidValue(Context context) {
    EncodingError error(Kind::invalidValue, std::move(context));
    error.updateMessage();
    return error;
}

void EncodingError::prependCodingKey(CodingKey key) {
    context_.codingPath.insert(context_.codingPath.begin(), std::move(key));
    updateMessage();
}

void EncodingError::updateMessage() {
    const std::string path = describeCodingPath(context_.codingPath);
    message_ = "invalidValue";
    message_ += path.empty() ? " at top level" : " at " + path;
    message_ += ": ";
    message_ += context_.debugDescription;
}

}  // namespace corvend::platform
