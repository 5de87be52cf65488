#include "CorvendWallet/models/PaymentPropertyModel.hpp"

#include <algorithm>
#include <iterator>

namespace corvend {
namespace {

template <class To, class From, class Convert>
std::optional<std::vector<To>> mapList(const std::optional<std::vector<From>>& list,
                                       Convert convert) {
    if (!list) return std::nullopt;
    std::vector<To> result;
    result.reserve(list->size());
    std::ranges::transform(*list, std::back_inserter(result), convert);
    return result;
}

}  // namespace

model::PaymentProperty toPaymentProperty(const PaymentPropertyModel& property) {
    return {model::fromWire<model::PaymentPropertyKey>(property.key), property.value};
}

PaymentPropertyModel toPaymentPropertyModel(const model::PaymentProperty& property) {
    PaymentPropertyModel result{std::nullopt, property.value};
    if (property.key) result.key = std::string(toWireValue(*property.key));
    return result;
}

std::optional<std::vector<model::PaymentProperty>> toPaymentProperties(
    const std::optional<std::vector<PaymentPropertyModel>>& properties) {
    return mapList<model::PaymentProperty>(properties, &toPaymentProperty);
}

std::optional<std::vector<PaymentPropertyModel>> toPaymentPropertyModels(
    const std::optional<std::vector<model::PaymentProperty>>& properties) {
    return mapList<PaymentPropertyModel>(properties, &toPaymentPropertyModel);
}

}  // namespace corvend
