#include "CorvendWallet/services/money/PaymentPreviewBody.hpp"

#include <utility>

namespace corvend {

PaymentPreviewBody PaymentPreviewBody::make(const model::PaymentTerms& request,
                                            std::string deviceFingerprint) {
    PaymentPreviewBody body;
    static_cast<PaymentTermsModel&>(body) = PaymentTermsModel::make(request);
    body.deviceInfo = DeviceInfoModel::mobileApp(std::move(deviceFingerprint));
    return body;
}

}  // namespace corvend
