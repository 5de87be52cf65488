#include "HistoryRoutes.hpp"

#include <algorithm>
#include <array>
#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ranges>
#include <string>
#include <vector>

#include "DepositRoutes.hpp"
#include "RouteHelpers.hpp"
#include "TransferRoutes.hpp"
#include "WithdrawalRoutes.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kTransactions = "digitalwallets/v1/profile/transactions";
constexpr std::string_view kAuthorizations = "digitalwallets/v1/profile/authorizations";
constexpr std::string_view kTypes[] = {"DEPOSIT", "WITHDRAWAL", "TRANSFER"};

struct Source {
    std::string_view collection;
    std::string_view type;
    std::int64_t sign;
};
constexpr Source kSources[] = {{kDepositsCollection, "DEPOSIT", 1},
                               {kWithdrawalsCollection, "WITHDRAWAL", -1},
                               {kTransfersCollection, "TRANSFER", -1}};

std::string_view text(const boost::json::object& record, std::string_view key) {
    const auto* value = record.if_contains(key);
    return value != nullptr && value->is_string() ? std::string_view(value->as_string())
                                                  : std::string_view();
}

// `record` of `source` as a transaction.
boost::json::object transaction(const Source& source, const boost::json::object& record) {
    boost::json::object out{{"id", "txn-" + std::string(text(record, "id"))},
                            {"type", source.type},
                            {"status", record.at("status")},
                            {"amount", source.sign * record.at("amount").as_int64()},
                            {"currencyCode", record.at("currencyCode")},
                            {"creationTime", record.at("creationTime")},
                            {"paymentId", record.at("id")}};
    for (const auto* key : {"merchantRefNum", "fees", "fxAmount", "transferDetails"}) {
        if (const auto* value = record.if_contains(key)) out[key] = *value;
    }
    return out;
}

// Every completed payment as a transaction, newest first. Two payments made within one
// millisecond share their time: each collection is read newest first, so the stable sort keeps
// the later one first.
std::vector<boost::json::value> transactions(const MemoryStore& store) {
    std::vector<boost::json::value> out;
    for (const auto& source : kSources) {
        const auto records = store.list(source.collection);
        for (const auto& record : std::views::reverse(records)) {
            if (text(record.as_object(), "status") == "COMPLETED") {
                out.emplace_back(transaction(source, record.as_object()));
            }
        }
    }
    std::ranges::stable_sort(out, [](const auto& a, const auto& b) {
        return text(a.as_object(), "creationTime") > text(b.as_object(), "creationTime");
    });
    return out;
}

std::vector<boost::json::value> seededAuthorizations() {
    constexpr std::array kStatuses{"APPROVED", "APPROVED", "DECLINED", "APPROVED", "REVERSED"};
    constexpr std::array kMerchants{"Cafe Central", "Metro Ljubljana", "Book Corner", "ATM 014"};
    std::vector<boost::json::value> out;
    for (int i = 0; i < 23; ++i) {
        char id[16];
        char time[32];
        std::snprintf(id, sizeof id, "auth-%02d", i + 1);
        std::snprintf(time, sizeof time, "2024-03-%02dT10:%02d:00.000Z", 28 - i, i);
        boost::json::object authorization{{"id", id},
                                          {"cardId", "card-sandbox-1"},
                                          {"status", kStatuses[i % kStatuses.size()]},
                                          {"amount", 450 + 125 * i},
                                          {"currencyCode", "EUR"},
                                          {"creationTime", time},
                                          {"merchantName", kMerchants[i % kMerchants.size()]}};
        if (i % kMerchants.size() == 3) {
            authorization["fees"] = boost::json::array{boost::json::object{
                {"amount", 150}, {"currency", "EUR"}, {"paymentReason", "ATM_FEE"}}};
        }
        out.emplace_back(std::move(authorization));
    }
    return out;
}

bool isMillisecondTime(std::string_view time) {
    return time.size() == 24 && time[10] == 'T' && time[19] == '.' && time.back() == 'Z';
}

// The filters of a history list, checked; the field errors of those that are not valid.
struct Filters {
    std::optional<std::string> type;
    std::optional<std::string> status;
    std::optional<std::string> startDate;
    std::optional<std::string> endDate;
    std::vector<ErrorDocument::FieldError> errors;

    explicit Filters(const RouteRequest& request)
        : type(request.queryItem("type")),
          status(request.queryItem("status")),
          startDate(request.queryItem("startDate")),
          endDate(request.queryItem("endDate")) {
        if (type && std::ranges::find(kTypes, *type) == std::end(kTypes)) {
            errors.push_back({"type", "must be DEPOSIT, WITHDRAWAL or TRANSFER"});
        }
        for (const auto& [name, value] :
             {std::pair{"startDate", startDate}, {"endDate", endDate}}) {
            if (value && !isMillisecondTime(*value)) {
                errors.push_back({name, "must be an RFC 3339 UTC time with milliseconds"});
            }
        }
    }

    bool keep(const boost::json::value& value) const {
        const auto& record = value.as_object();
        const auto created = text(record, "creationTime");
        return (!type || text(record, "type") == *type) &&
               (!status || text(record, "status") == *status) &&
               (!startDate || created >= *startDate) && (!endDate || created < *endDate);
    }
};

Reply historyPage(const RouteRequest& request, const std::vector<boost::json::value>& records,
                  std::string_view listKey) {
    if (auto refused = refusedWithoutToken(request)) return *refused;
    const Filters filters(request);
    if (!filters.errors.empty()) {
        return invalidRequest("The history parameters are not valid.", filters.errors);
    }
    return pagedReply(request, records, listKey, [&filters](const boost::json::value& record) {
        return filters.keep(record);
    });
}

Reply historyRecord(const RouteRequest& request, const std::vector<boost::json::value>& records,
                    std::string_view noun) {
    if (auto refused = refusedWithoutToken(request)) return *refused;
    const auto id = request.pathParameter("id").value_or("");
    for (const auto& record : records) {
        if (text(record.as_object(), "id") == id) return Reply::json(200, record);
    }
    return notFound(std::string(noun) + " " + id);
}

}  // namespace

void addHistoryRoutes(const RouteContext& context) {
    auto& store = context.store;
    for (auto& authorization : seededAuthorizations()) {
        const std::string id(authorization.at("id").as_string());
        store.put(kAuthorizationsCollection, id, std::move(authorization));
    }
    context.routes.add("GET", kTransactions, [&store](const RouteRequest& request) {
        return historyPage(request, transactions(store), "transactions");
    });
    context.routes.add("GET", std::string(kTransactions) + "/{id}",
                       [&store](const RouteRequest& request) {
                           return historyRecord(request, transactions(store), "transaction");
                       });
    context.routes.add("GET", kAuthorizations, [&store](const RouteRequest& request) {
        return historyPage(request, store.list(kAuthorizationsCollection), "authorizations");
    });
    context.routes.add(
        "GET", std::string(kAuthorizations) + "/{id}", [&store](const RouteRequest& request) {
            return historyRecord(request, store.list(kAuthorizationsCollection), "authorization");
        });
}

}  // namespace corvend::sandbox
