#include "platform/json/CodingKey.hpp"

namespace corvend::platform {

CodingKey CodingKey::index(std::size_t index) {
    CodingKey key("Index " + std::to_string(index));
    key.intValue = static_cast<int>(index);
    return key;
}

std::string describeCodingPath(const std::vector<CodingKey>& path) {
    std::string text;
    for (const CodingKey& key : path) {
        if (!text.empty()) text += '.';
        text += key.stringValue;
    }
    return text;
}

}  // namespace corvend::platform
