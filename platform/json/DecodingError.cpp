#include "platform/json/DecodingError.hpp"

namespace corvend::platform {

DecodingError DecodingError::typeMismatch(std::string expectedType, Context context) {
    DecodingError error(Kind::typeMismatch, std::move(context));
    error.expectedType_ = std::move(expectedType);
    error.updateMessage();
    return error;
}

DecodingError DecodingError::valueNotFound(std::string expectedType, Context context) {
    DecodingError error(Kind::valueNotFound, std::move(context));
    error.expectedType_ = std::move(expectedType);
    error.updateMessage();
    return error;
}

DecodingError DecodingError::keyNotFound(CodingKey key, Context context) {
    DecodingError error(Kind::keyNotFound, std::move(context));
    error.key_ = std::move(key);
    error.updateMessage();
    return error;
}

DecodingError DecodingError::dataCorrupted(Context context) {
    DecodingError error(Kind::dataCorrupted, std::move(context));
    error.updateMessage();
    return error;
}

void DecodingError::prependCodingKey(CodingKey key) {
    context_.codingPath.insert(context_.codingPath.begin(), std::move(key));
    updateMessage();
}

void DecodingError::updateMessage() {
    message_ = toString(kind_);
    const std::string path = describeCodingPath(context_.codingPath);
    message_ += path.empty() ? " at top level" : " at " + path;
    message_ += ": ";
    message_ += context_.debugDescription;
}

const char* toString(DecodingError::Kind kind) {
    switch (kind) {
        case DecodingError::Kind::typeMismatch:
            return "typeMismatch";
        case DecodingError::Kind::valueNotFound:
            return "valueNotFound";
        case DecodingError::Kind::keyNotFound:
            return "keyNotFound";
        case DecodingError::Kind::dataCorrupted:
            return "dataCorrupted";
    }
    return "unknown";
}

}  // namespace corvend::platform
