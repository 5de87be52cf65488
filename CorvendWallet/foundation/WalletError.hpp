#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace corvend::model {

// The one failure type of the kit's data operations. An immutable value: copies share one
// payload, so copying (as exception handling does) never allocates or throws.
//
// Cases, in this order: dataError (the service answered with an error document),
// internalError (a failure inside the kit, named by an "I" + four digits code),
// serviceUnavailable, tokenExpired and notConfigured.
//
// A 5xx (serviceUnavailable, "I0500", "I0006") or a reply the kit could not read may follow a
// change the service made (a gateway answers after the service acted): after a change, read
// the record before sending it again, whatever the description advises.
class WalletError : public std::exception {
  public:
    // One error of a single request field.
    struct FieldErrorDetails {
        std::string field;
        std::string error;

        friend bool operator==(const FieldErrorDetails&, const FieldErrorDetails&) = default;
    };

    // The content of the service's error document and the reply's HTTP status.
    struct ErrorDetails {
        // Defaulted members let callers name only the fields they have.
        std::int64_t httpStatus = 0;
        std::string code{};
        std::optional<std::string> message{};
        std::optional<std::vector<std::string>> details{};
        std::optional<std::vector<FieldErrorDetails>> fieldErrors{};
        std::optional<std::string> errorID{};  // the reply's correlation identifier

        friend bool operator==(const ErrorDetails&, const ErrorDetails&) = default;
    };

    // The payload of each case.
    struct DataError {
        ErrorDetails details;
        friend bool operator==(const DataError&, const DataError&) = default;
    };
    struct InternalError {
        std::string code;
        std::optional<std::string> errorID;
        // For "I0010" (otherRecordNamed), the id of the record the reply named instead.
        std::optional<std::string> namedRecord{};
        friend bool operator==(const InternalError&, const InternalError&) = default;
    };
    struct ServiceUnavailable {
        std::optional<std::string> errorID;
        friend bool operator==(const ServiceUnavailable&, const ServiceUnavailable&) = default;
    };
    struct TokenExpired {
        std::optional<std::string> errorID;
        friend bool operator==(const TokenExpired&, const TokenExpired&) = default;
    };
    struct NotConfigured {
        friend bool operator==(const NotConfigured&, const NotConfigured&) = default;
    };

    using Case =
        std::variant<DataError, InternalError, ServiceUnavailable, TokenExpired, NotConfigured>;

    // The case tag, for switching.
    enum class Kind { dataError, internalError, serviceUnavailable, tokenExpired, notConfigured };

    explicit WalletError(Case value);

    // Copy-only: a moved-from error would have no payload to describe.
    WalletError(const WalletError&) noexcept = default;
    WalletError& operator=(const WalletError&) noexcept = default;

    static WalletError dataError(ErrorDetails details);
    static WalletError internalError(std::string code,
                                     std::optional<std::string> errorID = std::nullopt);
    // internalError "I0010": the reply to a call on one record named record `named` instead.
    static WalletError otherRecordNamed(std::string named);
    static WalletError serviceUnavailable(std::optional<std::string> errorID = std::nullopt);
    static WalletError tokenExpired(std::optional<std::string> errorID = std::nullopt);
    static WalletError notConfigured();

    Kind kind() const noexcept;

    // The case with its payload, for std::visit.
    const Case& value() const noexcept;

    // The payload when this is case `C` (one of the structs above), else null. The pointer
    // stays valid as long as any copy of this error.
    template <class C>
    const C* as() const noexcept {
        return std::get_if<C>(&value());
    }

    // The correlation identifier of the failed reply: the details' for dataError, the carried
    // one for internalError, serviceUnavailable and tokenExpired, none for notConfigured.
    std::optional<std::string> errorID() const;

    // The readable text shown to people; ends with "\nError ID: <id>" when errorID() is present.
    const std::string& errorDescription() const noexcept;

    // Same text as errorDescription().
    const char* what() const noexcept override;

    // Equal when the same case with equal payloads.
    friend bool operator==(const WalletError& lhs, const WalletError& rhs);

  private:
    struct Storage;
    std::shared_ptr<const Storage> storage_;
};

}  // namespace corvend::model
