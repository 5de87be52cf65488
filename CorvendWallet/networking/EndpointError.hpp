#pragma once

#include <cstddef>
#include <exception>
#include <functional>

namespace corvend {

// The request layer's own failures: no URL could be formed, or a reply came without a body.
// Equality and hashing go by the case alone.
class EndpointError : public std::exception {
  public:
    enum class Case { invalidURL, noResponse };

    static EndpointError invalidURL() { return EndpointError(Case::invalidURL); }
    static EndpointError noResponse() { return EndpointError(Case::noResponse); }

    Case value() const noexcept { return case_; }
    const char* what() const noexcept override {
        return case_ == Case::invalidURL ? "EndpointError.invalidURL" : "EndpointError.noResponse";
    }

    friend bool operator==(const EndpointError& a, const EndpointError& b) {
        return a.case_ == b.case_;
    }

  private:
    explicit EndpointError(Case c) : case_(c) {}
    Case case_;
};

}  // namespace corvend

template <>
struct std::hash<corvend::EndpointError> {
    std::size_t operator()(const corvend::EndpointError& error) const noexcept {
        return std::hash<corvend::EndpointError::Case>()(error.value());
    }
};
