#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/foundation/Bundle.hpp"
#include "platform/foundation/StringFormat.hpp"

namespace corvend {

// The lookup of the screens' texts: the kit's "Localizable" table in the preferred
// localisation, then in English, then the key itself; and the host's replacement of a
// finished text from its own main bundle.
//
//   label->setText(localizedFormatted("pay_with_instrument", {{cardName}}));
//
// Any thread. The English bundle is opened once, on the first lookup, and kept.
class LocalizedStrings {
  public:
    // The default given to the first lookup, so that a missing key tells from any real text.
    static constexpr std::string_view kSentinel = "**UNIQUE_IDENTIFIER**";
    static constexpr std::string_view kTable = "Localizable";

    LocalizedStrings(std::shared_ptr<const platform::Bundle> kit,
                     std::shared_ptr<const platform::Bundle> host);

    // Over WalletBundle::shared() and platform::Bundle::main().
    static LocalizedStrings& shared();

    std::string localized(std::string_view key, std::optional<std::string_view> table) const;

    // localized(key, "Localizable") formatted with the current locale and `arguments`.
    std::string localizedFormatted(std::string_view key,
                                   std::span<const platform::FormatArgument> arguments) const;

    // The host's "Localizable" entry keyed by `text`, else `text`.
    std::string hostLocalized(std::string_view text) const;

    // localizedFormatted(key) as its first call here gave it, kept for the life of this object:
    // for the texts a screen looks up once per process and never again, even when the language
    // changes.
    std::string keptFormatted(std::string_view key) const;

  private:
    const std::shared_ptr<const platform::Bundle>& englishBundle() const;

    std::shared_ptr<const platform::Bundle> kit_;
    std::shared_ptr<const platform::Bundle> host_;
    mutable std::once_flag englishOnce_;
    mutable std::shared_ptr<const platform::Bundle> english_;
    mutable std::mutex keptMutex_;
    mutable std::map<std::string, std::string, std::less<>> kept_;
};

// The shared lookup's three operations, as the screens call them.
std::string localized(std::string_view key,
                      std::optional<std::string_view> table = LocalizedStrings::kTable);
std::string localizedFormatted(std::string_view key,
                               std::span<const platform::FormatArgument> arguments = {});
std::string hostLocalized(std::string_view text);
std::string keptLocalizedFormatted(std::string_view key);

}  // namespace corvend
