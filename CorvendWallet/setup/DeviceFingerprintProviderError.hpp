#pragma once

#include <cstddef>
#include <exception>
#include <functional>

namespace corvend {

// Thrown by the fingerprint provider when profiling yields no session identifier. Not a
// wallet error: the set-up reports it in its own words.
class DeviceFingerprintProviderError : public std::exception {
  public:
    enum class Code { unknown };

    static DeviceFingerprintProviderError unknown() noexcept {
        return DeviceFingerprintProviderError(Code::unknown);
    }

    Code code() const noexcept { return code_; }

    // "DeviceFingerprintProviderError.unknown".
    const char* what() const noexcept override;

    friend bool operator==(const DeviceFingerprintProviderError& lhs,
                           const DeviceFingerprintProviderError& rhs) noexcept {
        return lhs.code_ == rhs.code_;
    }

  private:
    explicit DeviceFingerprintProviderError(Code code) noexcept : code_(code) {}

    Code code_;
};

}  // namespace corvend

template <>
struct std::hash<corvend::DeviceFingerprintProviderError> {
    std::size_t operator()(const corvend::DeviceFingerprintProviderError& error) const noexcept {
        return std::hash<corvend::DeviceFingerprintProviderError::Code>{}(error.code());
    }
};
