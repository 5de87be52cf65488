#include "CorvendWallet/foundation/ConfigurationError.hpp"

#include <utility>

namespace corvend::model {

struct ConfigurationError::Storage {
    std::string message;
    std::string code;
    std::optional<std::string> errorID;
    std::string description;
};

ConfigurationError::ConfigurationError(std::string message, std::string code,
                                       std::optional<std::string> errorID) {
    std::string description = "ConfigurationError: " + message + " [" + code + "]";
    if (errorID) description += "\nError ID: " + *errorID;
    storage_ = std::make_shared<const Storage>(
        Storage{std::move(message), std::move(code), std::move(errorID), std::move(description)});
}

const std::string& ConfigurationError::message() const noexcept {
    return storage_->message;
}

const std::string& ConfigurationError::code() const noexcept {
    return storage_->code;
}

const std::optional<std::string>& ConfigurationError::errorID() const noexcept {
    return storage_->errorID;
}

const std::string& ConfigurationError::errorDescription() const noexcept {
    return storage_->description;
}

const char* ConfigurationError::what() const noexcept {
    return storage_->description.c_str();
}

bool operator==(const ConfigurationError& lhs, const ConfigurationError& rhs) {
    return lhs.storage_->message == rhs.storage_->message &&
           lhs.storage_->code == rhs.storage_->code &&
           lhs.storage_->errorID == rhs.storage_->errorID;
}

}  // namespace corvend::model
