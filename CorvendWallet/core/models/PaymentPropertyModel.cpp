#include "CorvendWallet/core/models/PaymentPropertyModel.hpp"

#include <type_traits>
#include <utility>

namespace corvend {
namespace {

// The entries reach `convert` as rvalues when the list itself is one, so they can be moved.
template <class To, class List, class Convert>
std::optional<std::vector<To>> mapList(List&& list, Convert convert) {
    if (!list) return std::nullopt;
    std::vector<To> result;
    result.reserve(list->size());
    for (auto& entry : *list) {
        if constexpr (std::is_lvalue_reference_v<List>) {
            result.push_back(convert(entry));
        } else {
            result.push_back(convert(std::move(entry)));
        }
    }
    return result;
}

}  // namespace

model::PaymentProperty toPaymentProperty(const PaymentPropertyModel& property) {
    return {model::fromWire<model::PaymentPropertyKey>(property.key), property.value};
}

model::PaymentProperty toPaymentProperty(PaymentPropertyModel&& property) {
    return {model::fromWire<model::PaymentPropertyKey>(property.key), std::move(property.value)};
}

PaymentPropertyModel toPaymentPropertyModel(const model::PaymentProperty& property) {
    PaymentPropertyModel result{std::nullopt, property.value};
    if (property.key) result.key = std::string(toWireValue(*property.key));
    return result;
}

std::optional<std::vector<model::PaymentProperty>> toPaymentProperties(
    const std::optional<std::vector<PaymentPropertyModel>>& properties) {
    return mapList<model::PaymentProperty>(
        properties, [](const PaymentPropertyModel& entry) { return toPaymentProperty(entry); });
}

std::optional<std::vector<model::PaymentProperty>> toPaymentProperties(
    std::optional<std::vector<PaymentPropertyModel>>&& properties) {
    return mapList<model::PaymentProperty>(std::move(properties), [](PaymentPropertyModel&& entry) {
        return toPaymentProperty(std::move(entry));
    });
}

std::optional<std::vector<PaymentPropertyModel>> toPaymentPropertyModels(
    const std::optional<std::vector<model::PaymentProperty>>& properties) {
    return mapList<PaymentPropertyModel>(properties, &toPaymentPropertyModel);
}

}  // namespace corvend
