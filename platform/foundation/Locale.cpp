#include "platform/foundation/Locale.hpp"

#include <unicode/locid.h>

#include <mutex>
#include <optional>

#include "platform/async/ProcessFork.hpp"

namespace corvend::platform {

namespace {

std::mutex currentMutex;
std::optional<Locale> currentLocale;

}  // namespace

// ICU's set-up of its tables takes its own lock, so the check comes before it.
Locale::Locale(std::string identifier)
    : identifier_((ProcessFork::checkKitUsable("Locale"),
                   icu::Locale::createCanonical(identifier.c_str()).getName())) {}

Locale Locale::current() {
    ProcessFork::checkKitUsable("Locale::current");
    std::lock_guard lock(currentMutex);
    if (!currentLocale) currentLocale.emplace(icu::Locale::getDefault().getName());
    return *currentLocale;
}

void Locale::setCurrent(Locale locale) {
    ProcessFork::checkKitUsable("Locale::setCurrent");
    std::lock_guard lock(currentMutex);
    currentLocale = std::move(locale);
}

void Locale::holdLockForTesting(const std::function<void()>& whileHeld) {
    ProcessFork::checkKitUsable("Locale::holdLockForTesting");
    std::lock_guard lock(currentMutex);
    whileHeld();
}

}  // namespace corvend::platform
