#include "platform/http/IdleDeadline.hpp"

namespace corvend::platform::detail {

int IdleDeadline::onProgress(void* deadline, curl_off_t, curl_off_t received, curl_off_t,
                             curl_off_t sent) noexcept {
    auto& self = *static_cast<IdleDeadline*>(deadline);
    if (const curl_off_t total = received + sent; total != self.counted_) {
        self.counted_ = total;
        self.moved();
    }
    return 0;
}

}  // namespace corvend::platform::detail
