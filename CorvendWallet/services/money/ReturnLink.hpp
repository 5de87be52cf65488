#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/money/HttpRequestMethod.hpp"

namespace corvend::model {

// One address that the payment pages of a deposit return to. The host builds it for a
// preview; the kit reads it back from deposit records, where `rel` and `method` are always
// present (`unknown` for what the service left out or the kit does not know).
class ReturnLink {
  public:
    // Which outcome of the payment pages the address is for. `defaultRel` marks the address
    // that ends the card flow's 3-D Secure page.
    enum class ReturnLinkType { defaultRel, onCompleted, onFailed, onCancelled, unknown };

    // Stores the three values as given; nothing is checked.
    ReturnLink(std::optional<ReturnLinkType> rel, std::optional<std::string> href,
               std::optional<HttpRequestMethod> method)
        : rel_(rel), href_(std::move(href)), method_(method) {}

    const std::optional<ReturnLinkType>& rel() const noexcept { return rel_; }
    const std::optional<std::string>& href() const noexcept { return href_; }
    const std::optional<HttpRequestMethod>& method() const noexcept { return method_; }

    // rel, href, method, each as an optional: an absent method differs from `unknown`.
    friend bool operator==(const ReturnLink&, const ReturnLink&) = default;

  private:
    std::optional<ReturnLinkType> rel_;
    std::optional<std::string> href_;
    std::optional<HttpRequestMethod> method_;
};

template <>
struct WireValues<ReturnLink::ReturnLinkType> {
    using Type = ReturnLink::ReturnLinkType;
    static constexpr auto table = wireValueTable(Type::unknown, "UNKNOWN",
                                                 {{Type::defaultRel, "DEFAULT"},
                                                  {Type::onCompleted, "ON_COMPLETED"},
                                                  {Type::onFailed, "ON_FAILED"},
                                                  {Type::onCancelled, "ON_CANCELLED"}});
};

}  // namespace corvend::model
