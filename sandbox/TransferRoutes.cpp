#include "TransferRoutes.hpp"

#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <cstdint>

#include "PaymentRoutes.hpp"

namespace corvend::sandbox {

namespace {

boost::json::object seededTransfer(std::string_view id, std::int64_t amount, std::string_view email,
                                   std::string_view slip) {
    return {{"id", id},
            {"amount", amount},
            {"currencyCode", "EUR"},
            {"recipient", boost::json::object{{"email", email}}},
            {"merchantRefNum", "seed"},
            {"transferDetails", boost::json::object{{"reason", "PEER_TRANSFER"}}},
            {"fees", boost::json::array{}},
            {"creationTime", "2024-03-05T14:07:09.589Z"},
            {"status", "COMPLETED"},
            {"slipId", slip}};
}

void previewed(boost::json::object& transfer) {
    transfer["fees"] =
        boost::json::array{boost::json::object{{"amount", transfer.at("amount").as_int64() / 100},
                                               {"currency", transfer.at("currencyCode")},
                                               {"paymentReason", "OTHER_FEE"}}};
}

boost::json::object moved(boost::json::object& transfer, std::string_view status,
                          const RouteRequest&) {
    if (status == "PROCESSING") transfer["status"] = "COMPLETED";
    return transfer;
}

}  // namespace

void addTransferRoutes(const RouteContext& context) {
    context.store.put(kTransfersCollection, "tr-seed-1",
                      seededTransfer("tr-seed-1", 2500, "ana@example.com", "S-1"));
    context.store.put(kTransfersCollection, "tr-seed-2",
                      seededTransfer("tr-seed-2", 900, "bo@example.com", "S-2"));
    addPaymentRoutes(
        context,
        {.noun = "transfer",
         .collection = kTransfersCollection,
         .idPrefix = "tr-",
         // The service sends money to someone it can name.
         .previewFields =
             {{.key = "recipient", .kind = FieldRule::Kind::recipient, .required = true},
              {.key = "merchantRefNum"},
              {.key = "fxQuote"},
              {.key = "transferDetails", .kind = FieldRule::Kind::object, .required = true}},
         .previewed = previewed,
         .moved = moved});
}

}  // namespace corvend::sandbox
