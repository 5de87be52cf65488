#include "platform/foundation/UUID.hpp"

#include <random>

namespace corvend::platform {

UUID::UUID() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    for (std::size_t i = 0; i < bytes_.size(); i += 8) {
        auto word = generator();
        for (std::size_t j = 0; j < 8; ++j)
            bytes_[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
    }
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40);  // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80);  // RFC 4122 variant
}

std::string UUID::uuidString() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back('-');
        text.push_back(kDigits[bytes_[i] >> 4]);
        text.push_back(kDigits[bytes_[i] & 0x0F]);
    }
    return text;
}

}  // namespace corvend::platform
