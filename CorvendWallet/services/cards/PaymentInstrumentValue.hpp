#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// What the four instrument structures share: each keeps its fields in one `Fields`
// aggregate (returned by fields()), and this base reads the fields common to every kind and
// compares values. `Self` derives from it and provides `const Self::Fields& fields() const`.
template <class Self>
class PaymentInstrumentValue : public PaymentInstrument {
  public:
    const std::optional<std::string>& id() const override { return self().fields().id; }
    const std::optional<std::string>& customerID() const override {
        return self().fields().customerID;
    }
    InstrumentType instrumentType() const override { return self().fields().instrumentType; }
    const std::optional<PaymentInstrumentStatus>& status() const override {
        return self().fields().status;
    }
    const std::optional<std::string>& bankName() const { return self().fields().bankName; }
    // When the instrument was saved; absent for host-made values.
    const std::optional<platform::Date>& creationTime() const {
        return self().fields().creationTime;
    }

    bool equals(const PaymentInstrument& other) const override {
        const Self* same = other.as<Self>();
        return same != nullptr && same->fields() == self().fields();
    }

    // Every field equal, the type and the creation time included.
    friend bool operator==(const Self& a, const Self& b) { return a.fields() == b.fields(); }

  protected:
    PaymentInstrumentValue() = default;

  private:
    const Self& self() const { return static_cast<const Self&>(*this); }
};

}  // namespace corvend::model
