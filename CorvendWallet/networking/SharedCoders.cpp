#include "CorvendWallet/networking/SharedCoders.hpp"

#include "CorvendWallet/networking/DateDecoder.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend {

const platform::JSONEncoder& sharedRequestEncoder() {
    static const platform::NeverDestroyed<platform::JSONEncoder> encoder;
    return *encoder;
}

const platform::JSONDecoder& sharedResponseDecoder() {
    static const platform::NeverDestroyed<platform::JSONDecoder> decoder([] {
        platform::JSONDecoder d;
        d.setDateDecodingStrategy(
            [](std::string_view text) { return DateDecoder::shared().decode(text); });
        return d;
    }());
    return *decoder;
}

}  // namespace corvend
