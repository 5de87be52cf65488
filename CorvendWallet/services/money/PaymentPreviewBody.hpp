#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>

#include "CorvendWallet/models/DeviceInfoModel.hpp"
#include "CorvendWallet/services/money/PaymentTerms.hpp"
#include "CorvendWallet/services/money/PaymentTermsModel.hpp"

namespace corvend {

// The head of a deposit or withdrawal preview body. Written only; absent values are left out.
// A domain derives its body from it and describes it as its base, so these keys come first and
// the domain's own keys follow.
struct PaymentPreviewBody : PaymentTermsModel {
    std::optional<DeviceInfoModel> deviceInfo{};

    // The head of `request`'s body: its terms (see PaymentTermsModel::make), then always the
    // device block with `deviceFingerprint` and "MOBILE_APP". The request's properties are the
    // domain's to place.
    static PaymentPreviewBody make(const model::PaymentTerms& request,
                                   std::string deviceFingerprint);

    friend bool operator==(const PaymentPreviewBody&, const PaymentPreviewBody&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentPreviewBody, (PaymentTermsModel), (deviceInfo))

}  // namespace corvend
