#pragma once

#include <exception>
#include <string>
#include <vector>

#include "platform/json/CodingKey.hpp"

namespace corvend::platform {

// Why a model could not be encoded as JSON, and where: invalidValue is a value JSON cannot
// hold (a non-finite double, an enum value without a name) or one a date strategy refused.
class EncodingError : public std::exception {
  public:
    enum class Kind { invalidValue };
    using Context = CodingErrorContext;

    static EncodingError invalidValue(Context context);

    Kind kind() const noexcept { return kind_; }
    const Context& context() const noexcept { return context_; }
    const std::vector<CodingKey>& codingPath() const noexcept { return context_.codingPath; }
    const std::string& debugDescription() const noexcept { return context_.debugDescription; }

    // Puts `key` in front of the coding path while the error passes through containers.
    void prependCodingKey(CodingKey key);

    // "invalidValue at <path>: <debugDescription>".
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    EncodingError(Kind kind, Context context) : kind_(kind), context_(std::move(context)) {}
    void updateMessage();

    Kind kind_;
    Context context_;
    std::string message_;
};

}  // namespace corvend::platform
