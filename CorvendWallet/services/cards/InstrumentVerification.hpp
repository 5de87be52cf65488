#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/models/PaymentInstrumentReference.hpp"
#include "CorvendWallet/services/cards/InstrumentVerificationStatus.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class PaymentInstrumentRepository;
}  // namespace corvend

namespace corvend::model {

// One verification session of a saved instrument. Only the kit makes it; the address of its
// page is kept for openExternalVerificationFlow() and not shown to the host.
class InstrumentVerification {
  public:
    struct Fields {
        InstrumentType instrumentType = InstrumentType::unknown;
        std::string returnUrl;
        std::string id;
        std::string redirectUrl;
        platform::Date creationTime{};
        platform::Date expirationTime{};
        std::optional<PaymentInstrumentReference> instrument{};
        InstrumentVerificationStatus sessionStatus = InstrumentVerificationStatus::unknown;
        std::optional<InstrumentVerificationFailStatusReason> statusReason{};

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    InstrumentType instrumentType() const noexcept { return fields_.instrumentType; }
    const std::string& returnUrl() const noexcept { return fields_.returnUrl; }
    const std::string& id() const noexcept { return fields_.id; }
    const platform::Date& creationTime() const noexcept { return fields_.creationTime; }
    const platform::Date& expirationTime() const noexcept { return fields_.expirationTime; }
    const std::optional<PaymentInstrumentReference>& instrument() const noexcept {
        return fields_.instrument;
    }
    InstrumentVerificationStatus sessionStatus() const noexcept { return fields_.sessionStatus; }
    // Always present on sessions the kit read: `unknown` when the service gave no reason.
    const std::optional<InstrumentVerificationFailStatusReason>& statusReason() const noexcept {
        return fields_.statusReason;
    }

    friend bool operator==(const InstrumentVerification&, const InstrumentVerification&) = default;

  private:
    friend class corvend::PaymentInstrumentRepository;
    explicit InstrumentVerification(Fields fields) : fields_(std::move(fields)) {}
    const std::string& redirectUrl() const noexcept { return fields_.redirectUrl; }

    Fields fields_;
};

// A page of sessions.
class InstrumentVerificationList {
  public:
    const std::optional<std::vector<InstrumentVerification>>& instrumentVerificationList()
        const noexcept {
        return list_;
    }
    const std::optional<PagingResultMeta>& meta() const noexcept { return meta_; }

    friend bool operator==(const InstrumentVerificationList&,
                           const InstrumentVerificationList&) = default;

  private:
    friend class corvend::PaymentInstrumentRepository;
    InstrumentVerificationList(std::optional<std::vector<InstrumentVerification>> list,
                               std::optional<PagingResultMeta> meta)
        : list_(std::move(list)), meta_(std::move(meta)) {}

    std::optional<std::vector<InstrumentVerification>> list_;
    std::optional<PagingResultMeta> meta_;
};

}  // namespace corvend::model
