#include "CorvendWallet/foundation/Error.hpp"

#include <stdexcept>

#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/async/CancellationError.hpp"

namespace corvend {

namespace {
constexpr const char* kUnknown = "Unknown error";
}

Error::Error(std::exception_ptr exception)
    : exception_(exception ? std::move(exception)
                           : std::make_exception_ptr(std::runtime_error(kUnknown))) {}

Error Error::current() {
    return Error(std::current_exception());
}

void Error::rethrow() const {
    std::rethrow_exception(exception_);
}

bool Error::isCancellation() const noexcept {
    return is<platform::CancellationError>();
}

std::string Error::description() const {
    try {
        std::rethrow_exception(exception_);
    } catch (const model::WalletError& e) {
        return e.errorDescription();
    } catch (const model::ConfigurationError& e) {
        return e.errorDescription();
    } catch (const std::exception& e) {
        const char* text = e.what();
        return text && *text ? std::string(text) : std::string(kUnknown);
    } catch (const std::string& text) {
        return text;
    } catch (const char* text) {
        return text ? std::string(text) : std::string(kUnknown);
    } catch (...) {
        return kUnknown;
    }
}

}  // namespace corvend
