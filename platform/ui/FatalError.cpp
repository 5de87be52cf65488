#include "platform/ui/FatalError.hpp"

#include <cstdio>
#include <cstdlib>

namespace corvend::platform::ui {

void fatalError(std::string_view message) {
    std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}

}  // namespace corvend::platform::ui
