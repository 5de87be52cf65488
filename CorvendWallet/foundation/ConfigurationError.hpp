#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace corvend::model {

// The failure of the kit's set-up: a readable message, a code ("C" and four digits) and the
// service's correlation identifier when one is known. An immutable value: copies share one
// payload, so copying never allocates or throws.
class ConfigurationError : public std::exception {
  public:
    ConfigurationError(std::string message, std::string code,
                       std::optional<std::string> errorID = std::nullopt);

    // Copy-only: a moved-from error would have no payload to describe.
    ConfigurationError(const ConfigurationError&) noexcept = default;
    ConfigurationError& operator=(const ConfigurationError&) noexcept = default;

    const std::string& message() const noexcept;
    const std::string& code() const noexcept;
    const std::optional<std::string>& errorID() const noexcept;

    // "ConfigurationError: <message> [<code>]", then "\nError ID: <id>" when errorID() is
    // present.
    const std::string& errorDescription() const noexcept;

    // Same text as errorDescription().
    const char* what() const noexcept override;

    // Field by field.
    friend bool operator==(const ConfigurationError& lhs, const ConfigurationError& rhs);

  private:
    struct Storage;
    std::shared_ptr<const Storage> storage_;
};

}  // namespace corvend::model
