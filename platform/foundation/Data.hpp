#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvend::platform {

// A byte buffer that always keeps `kPadding` spare bytes after its contents, so a JSON parser
// that reads ahead in blocks can parse it in place without a copy.
class Data {
public:
    static constexpr std::size_t kPadding = 64;

    Data() { bytes_.reserve(kPadding); }
    explicit Data(std::string_view bytes) { append(bytes); }

    void append(std::string_view bytes) {
        if (bytes_.capacity() < bytes_.size() + bytes.size() + kPadding) {
            bytes_.reserve(2 * (bytes_.size() + bytes.size()) + kPadding);
        }
        bytes_.append(bytes);
    }
    void clear() { bytes_.clear(); }

    std::string_view view() const { return bytes_; }
    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    // At least size() + kPadding.
    std::size_t capacity() const { return bytes_.capacity(); }

    friend bool operator==(const Data& a, const Data& b) { return a.bytes_ == b.bytes_; }

private:
    std::string bytes_;
};

}  // namespace corvend::platform
