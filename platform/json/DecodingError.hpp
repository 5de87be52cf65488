#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "platform/json/CodingKey.hpp"

namespace corvend::platform {

// Why a JSON body could not be decoded into a model, and where.
//
// typeMismatch: the value has another JSON type than the model expects (expectedType()
//   names the expected one, e.g. "Int64", "String", "Array").
// valueNotFound: a required value is null (expectedType() as above).
// keyNotFound: a required member is missing; key() is the missing key and the coding path
//   leads to the object that lacks it.
// dataCorrupted: the value has the right type but cannot be used (a number that does not fit
//   the member, an unknown enum string, a date the strategy refused), or the body is not
//   well-formed JSON; in that last case the coding path is empty.
class DecodingError : public std::exception {
  public:
    enum class Kind { typeMismatch, valueNotFound, keyNotFound, dataCorrupted };
    using Context = CodingErrorContext;

    static DecodingError typeMismatch(std::string expectedType, Context context);
    static DecodingError valueNotFound(std::string expectedType, Context context);
    static DecodingError keyNotFound(CodingKey key, Context context);
    static DecodingError dataCorrupted(Context context);

    Kind kind() const noexcept { return kind_; }
    const Context& context() const noexcept { return context_; }
    const std::vector<CodingKey>& codingPath() const noexcept { return context_.codingPath; }
    const std::string& debugDescription() const noexcept { return context_.debugDescription; }
    // typeMismatch and valueNotFound: the expected type's name; empty otherwise.
    const std::string& expectedType() const noexcept { return expectedType_; }
    // keyNotFound: the missing key; nullopt otherwise.
    const std::optional<CodingKey>& key() const noexcept { return key_; }

    // Puts `key` in front of the coding path. Containers call it while the error passes
    // through them, so that a successful decode never builds a path.
    void prependCodingKey(CodingKey key);

    // "<kind> at <path>: <debugDescription>".
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    DecodingError(Kind kind, Context context) : kind_(kind), context_(std::move(context)) {}
    void updateMessage();

    Kind kind_;
    Context context_;
    std::string expectedType_;
    std::optional<CodingKey> key_;
    std::string message_;
};

const char* toString(DecodingError::Kind kind);

}  // namespace corvend::platform
