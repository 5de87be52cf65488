#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentStatus.hpp"

namespace corvend::model {

// A means of payment saved on the wallet service: a SEPA, UK or US bank account or a card.
// Instruments are immutable values held as std::shared_ptr<const PaymentInstrument>, so one
// list holds every kind; read instrumentType() to tell them apart and as<T>() to reach the
// concrete structure.
class PaymentInstrument {
  public:
    virtual ~PaymentInstrument() = default;

    // The instrument's identifier on the service; absent only for host-made values.
    virtual const std::optional<std::string>& id() const = 0;
    // The owning customer's identifier; absent only for host-made values.
    virtual const std::optional<std::string>& customerID() const = 0;
    virtual InstrumentType instrumentType() const = 0;
    // The verification state; absent only for host-made values.
    virtual const std::optional<PaymentInstrumentStatus>& status() const = 0;

    // True when `other` is the same structure with every field equal.
    virtual bool equals(const PaymentInstrument& other) const = 0;

    // This instrument as the structure T, or null when it is another structure (whatever
    // instrumentType() reports).
    template <class T>
    const T* as() const {
        return dynamic_cast<const T*>(this);
    }

  protected:
    PaymentInstrument() = default;
    PaymentInstrument(const PaymentInstrument&) = default;
    PaymentInstrument& operator=(const PaymentInstrument&) = default;
};

}  // namespace corvend::model
