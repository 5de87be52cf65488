#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvend::platform {

// One step of a coding path: an object member's key, or an array element, which reads
// "Index N" and carries N as intValue.
struct CodingKey {
    std::string stringValue;
    std::optional<int> intValue;

    CodingKey() = default;
    explicit CodingKey(std::string key) : stringValue(std::move(key)) {}
    // The key of array element `index`.
    static CodingKey index(std::size_t index);

    friend bool operator==(const CodingKey&, const CodingKey&) = default;
};

// "fees.Index 2.amount"; empty for the top level.
std::string describeCodingPath(const std::vector<CodingKey>& path);

// What a coding error knows of where and why it happened.
struct CodingErrorContext {
    CodingErrorContext() = default;
    CodingErrorContext(std::vector<CodingKey> path, std::string description,
                       std::exception_ptr underlying = nullptr)
        : codingPath(std::move(path)),
          debugDescription(std::move(description)),
          underlyingError(std::move(underlying)) {}

    // From the top-level value down to the value that failed.
    std::vector<CodingKey> codingPath;
    std::string debugDescription;
    // The error that caused this one, if any (e.g. the parser's own error for malformed JSON).
    std::exception_ptr underlyingError;
};

}  // namespace corvend::platform
