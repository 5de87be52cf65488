#include "CorvendWallet/foundation/WalletError.hpp"

#include <type_traits>
#include <utility>

#include "CorvendWallet/foundation/ErrorCode.hpp"

namespace corvend::model {

namespace {

std::string errorIDLine(const std::optional<std::string>& errorID) {
    return errorID ? "\nError ID: " + *errorID : std::string();
}

template <class Range, class Format>
std::string join(const Range& items, Format format) {
    std::string text;
    bool first = true;
    for (const auto& item : items) {
        if (!first) text += ", ";
        first = false;
        text += format(item);
    }
    return text;
}

struct Describe {
    std::string operator()(const WalletError::DataError& error) const {
        const auto& d = error.details;
        std::string text = "[" + d.code + "] " + d.message.value_or("");
        if (d.details) {
            text += "\n" + join(*d.details, [](const std::string& s) { return s; });
        }
        if (d.fieldErrors) {
            text += "\n" + join(*d.fieldErrors, [](const WalletError::FieldErrorDetails& f) {
                        return f.field + ": " + f.error;
                    });
        }
        return text + errorIDLine(d.errorID);
    }
    std::string operator()(const WalletError::InternalError& error) const {
        return "Internal error. [" + error.code + "]" + errorIDLine(error.errorID);
    }
    std::string operator()(const WalletError::ServiceUnavailable& error) const {
        return "Service Unavailable. Please try again later." + errorIDLine(error.errorID);
    }
    std::string operator()(const WalletError::TokenExpired& error) const {
        return "Access token expired. Authentication needs to be performed again." +
               errorIDLine(error.errorID);
    }
    std::string operator()(const WalletError::NotConfigured&) const { return "Not configured."; }
};

struct ErrorIDOf {
    std::optional<std::string> operator()(const WalletError::DataError& e) const {
        return e.details.errorID;
    }
    std::optional<std::string> operator()(const WalletError::InternalError& e) const {
        return e.errorID;
    }
    std::optional<std::string> operator()(const WalletError::ServiceUnavailable& e) const {
        return e.errorID;
    }
    std::optional<std::string> operator()(const WalletError::TokenExpired& e) const {
        return e.errorID;
    }
    std::optional<std::string> operator()(const WalletError::NotConfigured&) const {
        return std::nullopt;
    }
};

}  // namespace

// The description is made once: what() must not allocate.
struct WalletError::Storage {
    Case value;
    std::string description;
};

WalletError::WalletError(Case value) {
    std::string description = std::visit(Describe{}, value);
    storage_ = std::make_shared<const Storage>(Storage{std::move(value), std::move(description)});
}

WalletError WalletError::dataError(ErrorDetails details) {
    return WalletError(DataError{std::move(details)});
}

WalletError WalletError::internalError(std::string code, std::optional<std::string> errorID) {
    return WalletError(InternalError{std::move(code), std::move(errorID)});
}

WalletError WalletError::otherRecordNamed(std::string named) {
    return WalletError(InternalError{ErrorCode::otherRecordNamed, std::nullopt, std::move(named)});
}

WalletError WalletError::serviceUnavailable(std::optional<std::string> errorID) {
    return WalletError(ServiceUnavailable{std::move(errorID)});
}

WalletError WalletError::tokenExpired(std::optional<std::string> errorID) {
    return WalletError(TokenExpired{std::move(errorID)});
}

WalletError WalletError::notConfigured() {
    return WalletError(NotConfigured{});
}

// kind() relies on Kind listing the cases in the variant's order.
static_assert(std::variant_size_v<WalletError::Case> == 5);
static_assert(
    std::is_same_v<std::variant_alternative_t<4, WalletError::Case>, WalletError::NotConfigured>);

WalletError::Kind WalletError::kind() const noexcept {
    return static_cast<Kind>(storage_->value.index());
}

const WalletError::Case& WalletError::value() const noexcept {
    return storage_->value;
}

std::optional<std::string> WalletError::errorID() const {
    return std::visit(ErrorIDOf{}, storage_->value);
}

const std::string& WalletError::errorDescription() const noexcept {
    return storage_->description;
}

const char* WalletError::what() const noexcept {
    return storage_->description.c_str();
}

bool operator==(const WalletError& lhs, const WalletError& rhs) {
    return lhs.storage_ == rhs.storage_ || lhs.storage_->value == rhs.storage_->value;
}

}  // namespace corvend::model
