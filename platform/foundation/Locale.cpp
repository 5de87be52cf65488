#include "platform/foundation/Locale.hpp"

#include <unicode/locid.h>

#include <mutex>
#include <optional>

namespace corvend::platform {

namespace {

std::mutex currentMutex;
std::optional<Locale> currentLocale;

}  // namespace

Locale::Locale(std::string identifier)
    : identifier_(icu::Locale::createCanonical(identifier.c_str()).getName()) {}

Locale Locale::current() {
    std::lock_guard lock(currentMutex);
    if (!currentLocale) currentLocale.emplace(icu::Locale::getDefault().getName());
    return *currentLocale;
}

void Locale::setCurrent(Locale locale) {
    std::lock_guard lock(currentMutex);
    currentLocale = std::move(locale);
}

}  // namespace corvend::platform
