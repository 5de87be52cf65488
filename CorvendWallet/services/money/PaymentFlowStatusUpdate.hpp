#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/PaymentPropertyModel.hpp"

namespace corvend {

// The two statuses a host moves a deposit, withdrawal or transfer to.
enum class PaymentFlowStatus {
    pending,     // "PENDING": the create step
    processing,  // "PROCESSING": the confirm step
};

// The raw string of `status`.
std::string_view toWireValue(PaymentFlowStatus status) noexcept;

// The status whose raw string is exactly `raw`; absent for any other string.
std::optional<PaymentFlowStatus> paymentFlowStatus(std::string_view raw) noexcept;

// The body of the status change that creates or confirms a record. Written only: "status"
// always, "paymentProperties" only when present (an empty list as []). A domain whose body
// carries more derives from it and describes it as its base, so these keys come first.
struct PaymentStatusUpdateRequest {
    using Status = PaymentFlowStatus;

    std::string status;
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties{};

    // The body for `status` with the public properties converted in order (absent stays
    // absent, empty stays empty).
    static PaymentStatusUpdateRequest make(
        PaymentFlowStatus status,
        const std::optional<std::vector<model::PaymentProperty>>& paymentProperties);

    friend bool operator==(const PaymentStatusUpdateRequest&,
                           const PaymentStatusUpdateRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentStatusUpdateRequest, (), (status, paymentProperties))

}  // namespace corvend
