#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

#include <utility>

#include "CorvendWallet/ui/foundation/WalletBundle.hpp"
#include "platform/foundation/Locale.hpp"

namespace corvend {

namespace {

constexpr std::string_view kEnglish = "en";
constexpr std::string_view kLocalizationType = "lproj";

}  // namespace

LocalizedStrings::LocalizedStrings(std::shared_ptr<const platform::Bundle> kit,
                                   std::shared_ptr<const platform::Bundle> host)
    : kit_(std::move(kit)), host_(std::move(host)) {}

LocalizedStrings& LocalizedStrings::shared() {
    static LocalizedStrings strings(WalletBundle::shared(), platform::Bundle::main());
    return strings;
}

const std::shared_ptr<const platform::Bundle>& LocalizedStrings::englishBundle() const {
    std::call_once(englishOnce_, [this] {
        if (const auto path = kit_->pathForResource(kEnglish, kLocalizationType)) {
            english_ = kit_->open(*path);
        }
    });
    return english_;
}

std::string LocalizedStrings::localized(std::string_view key,
                                        std::optional<std::string_view> table) const {
    const auto& english = englishBundle();
    auto text = kit_->localizedString(key, kSentinel, table);
    if (text != kSentinel) return text;
    if (english) return english->localizedString(key, key, table);
    return std::string(key);
}

std::string LocalizedStrings::localizedFormatted(
    std::string_view key, std::span<const platform::FormatArgument> arguments) const {
    return platform::formatString(localized(key, kTable), arguments, platform::Locale::current());
}

std::string LocalizedStrings::hostLocalized(std::string_view text) const {
    return host_->localizedString(text, {}, std::nullopt);
}

std::string LocalizedStrings::keptFormatted(std::string_view key) const {
    const std::lock_guard lock(keptMutex_);
    auto kept = kept_.find(key);
    if (kept == kept_.end()) kept = kept_.emplace(key, localizedFormatted(key, {})).first;
    return kept->second;
}

std::string localized(std::string_view key, std::optional<std::string_view> table) {
    return LocalizedStrings::shared().localized(key, table);
}

std::string localizedFormatted(std::string_view key,
                               std::span<const platform::FormatArgument> arguments) {
    return LocalizedStrings::shared().localizedFormatted(key, arguments);
}

std::string hostLocalized(std::string_view text) {
    return LocalizedStrings::shared().hostLocalized(text);
}

std::string keptLocalizedFormatted(std::string_view key) {
    return LocalizedStrings::shared().keptFormatted(key);
}

}  // namespace corvend
