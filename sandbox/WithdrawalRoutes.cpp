#include "WithdrawalRoutes.hpp"

#include <algorithm>
#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <cstdint>
#include <string>

#include "PaymentRoutes.hpp"
#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kCustomerId = "cus-sandbox-1";
constexpr std::string_view kAccountId = "acc-sandbox-1";
constexpr auto kPreviewLifetime = std::chrono::minutes(15);

constexpr std::string_view kOptions[] = {"VELNO_TRANSFER", "BANK_TRANSFER", "CARD",
                                         "OFFLINE_BANK_TRANSFER"};

// One percent, at least one minor unit: enough to show a fee on every withdrawal.
boost::json::array feesFor(std::int64_t amount, std::string_view currency) {
    return {boost::json::object{{"amount", std::max<std::int64_t>(1, amount / 100)},
                                {"currency", currency},
                                {"paymentReason", "CORVEND_FEE"}}};
}

void seed(MemoryStore& store) {
    const auto created = std::chrono::system_clock::now() - std::chrono::hours(48);
    const auto seeded = [&](std::string_view id, std::int64_t amount, std::string_view option,
                            std::string_view status, int days) {
        boost::json::object withdrawal{
            {"amount", amount},
            {"currencyCode", "EUR"},
            {"paymentOption", option},
            {"paymentInstrumentReference",
             {{"id", "pi-sandbox-sepa"}, {"instrumentType", "SEPA_BANK_ACCOUNT"}}},
            {"merchantRefNum", "ref-" + std::string(id)},
            {"id", id},
            {"accountId", kAccountId},
            {"customerId", kCustomerId},
            {"creationTime", internetDateTime(created + std::chrono::days(days))},
            {"fees", feesFor(amount, "EUR")},
            {"slipId", "slip-" + std::string(id)},
            {"fundingTransactionId", "ft-" + std::string(id)},
            {"status", status},
        };
        store.put(kWithdrawalsCollection, id, std::move(withdrawal));
    };
    seeded("wd-seed-1", 12'500, "BANK_TRANSFER", "COMPLETED", 0);
    seeded("wd-seed-2", 4'000, "VELNO_TRANSFER", "PROCESSING", 1);
}

boost::json::array paymentOptions() {
    return {
        boost::json::object{
            {"paymentOption", "BANK_TRANSFER"},
            {"instrumentTypes", boost::json::array{"SEPA_BANK_ACCOUNT", "UK_BANK_ACCOUNT"}}},
        boost::json::object{{"paymentOption", "VELNO_TRANSFER"}},
        boost::json::object{{"paymentOption", "CARD"},
                            {"instrumentTypes", boost::json::array{"CARD"}},
                            {"paymentOptionSettings",
                             {{"paymentOption", "CARD"},
                              {"cardSchemes", boost::json::array{"VISA", "MASTERCARD"}}}}},
    };
}

void previewed(boost::json::object& withdrawal) {
    withdrawal["accountId"] = kAccountId;
    withdrawal["customerId"] = kCustomerId;
    withdrawal["expirationTime"] =
        internetDateTime(std::chrono::system_clock::now() + kPreviewLifetime);
    withdrawal["fees"] =
        feesFor(withdrawal.at("amount").as_int64(), withdrawal.at("currencyCode").as_string());
}

boost::json::object moved(boost::json::object& withdrawal, std::string_view status,
                          const RouteRequest&) {
    if (status == "PROCESSING") {
        withdrawal["fundingTransactionId"] = "ft-" + std::string(withdrawal.at("id").as_string());
    }
    return withdrawal;
}

}  // namespace

void addWithdrawalRoutes(const RouteContext& context) {
    seed(context.store);
    auto fields = paymentTermsFields(kOptions, "is not a withdrawal option");
    fields.push_back({.key = "paymentProperties", .kind = FieldRule::Kind::textPairs});
    addPaymentRoutes(context, {.noun = "withdrawal",
                               .collection = kWithdrawalsCollection,
                               .idPrefix = "wd-",
                               .previewFields = std::move(fields),
                               .options = paymentOptions(),
                               .previewed = previewed,
                               .moved = moved});
}

}  // namespace corvend::sandbox
