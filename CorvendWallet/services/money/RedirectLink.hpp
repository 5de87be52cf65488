#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/money/HttpRequestMethod.hpp"

namespace corvend {
class DepositRepository;
}  // namespace corvend

namespace corvend::model {

// The page that a deposit asks the customer to visit (its action is `redirect`). Only the kit
// makes it, from a deposit record; `rel` and `method` are always present there.
class RedirectLink {
  public:
    enum class RedirectLinkType { redirectPayment, unknown };

    const std::optional<RedirectLinkType>& rel() const noexcept { return rel_; }
    // The address of the page; absent when the service sent none.
    const std::optional<std::string>& href() const noexcept { return href_; }
    const std::optional<HttpRequestMethod>& method() const noexcept { return method_; }

    // rel, href, method, each as an optional.
    friend bool operator==(const RedirectLink&, const RedirectLink&) = default;

  private:
    friend class corvend::DepositRepository;

    RedirectLink() = default;

    std::optional<RedirectLinkType> rel_;
    std::optional<std::string> href_;
    std::optional<HttpRequestMethod> method_;
};

// Read only: the kit never writes a redirect link.
template <>
struct WireValues<RedirectLink::RedirectLinkType> {
    using Type = RedirectLink::RedirectLinkType;
    static constexpr auto table =
        wireValueTable(Type::unknown, "UNKNOWN", {{Type::redirectPayment, "REDIRECT_PAYMENT"}});
};

}  // namespace corvend::model
