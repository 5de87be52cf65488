#pragma once

#include <optional>
#include <string>

namespace corvend {
class ProfileMapping;
}  // namespace corvend

namespace corvend::model {

// The customer's mobile number and e-mail address, each absent when the service has none.
// Only the kit makes one, from the service's reply.
class ContactInformation {
  public:
    const std::optional<std::string>& mobile() const noexcept { return mobile_; }
    const std::optional<std::string>& email() const noexcept { return email_; }

    friend bool operator==(const ContactInformation&, const ContactInformation&) = default;

  private:
    friend class corvend::ProfileMapping;

    ContactInformation() = default;

    std::optional<std::string> mobile_;
    std::optional<std::string> email_;
};

}  // namespace corvend::model
