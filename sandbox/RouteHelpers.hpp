#pragma once

#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Reply.hpp"
#include "RouteRequest.hpp"

// What several domains' routes need alike.
namespace corvend::sandbox {

// The credential of an Authorization value "Bearer <credential>" (the scheme name in any
// case), possibly empty; nothing for another scheme.
std::optional<std::string_view> bearerToken(std::string_view authorization);

// The 401 error document of a request without a non-empty bearer credential, or nothing when
// it has one.
std::optional<Reply> refusedWithoutToken(const RouteRequest& request);

// "2024-03-05T14:07:09.589Z": RFC 3339 UTC with milliseconds.
std::string internetDateTime(std::chrono::system_clock::time_point time);

// A 400 error document with `message` and the field errors.
Reply invalidRequest(std::string message, std::vector<ErrorDocument::FieldError> errors);

// The 404 error document for the missing `what` (e.g. "transfer t-9").
Reply notFound(const std::string& what);

// A list reply {listKey: [...], "meta": {"numberOfRecords", "limit", "offset", "page"}} of the
// records that match the query's "merchantRefNum" and "slipID" (against each record's
// "merchantRefNum" and "slipId"), paged by "limit" (default 10) and "offset" (default 0).
// A limit or offset that is not a whole number, a limit below 1 or an offset below 0 gets a
// 400 error document.
Reply listReply(const RouteRequest& request, const std::vector<boost::json::value>& records,
                std::string_view listKey);

// Whether `value` is the string `text`.
inline bool isText(const boost::json::value& value, std::string_view text) {
    return value.is_string() && value.get_string() == text;
}

// A list reply {listKey: [...], "meta": {...}} of the records `keep` accepts, paged by the
// query's "limit" and "offset" as listReply() pages them, with the same 400 error document.
Reply pagedReply(const RouteRequest& request, const std::vector<boost::json::value>& records,
                 std::string_view listKey,
                 const std::function<bool(const boost::json::value&)>& keep);

// `address` with the query item `name`=`value` appended after the items it has, before any
// fragment. An address that does not parse gets the item appended as text.
std::string withQueryItem(const std::string& address, std::string_view name,
                          std::string_view value);

// The request body as a JSON object, or the 400 reply to send instead.
struct ObjectBody {
    boost::json::object object;
    std::optional<Reply> refused;
};
ObjectBody objectBody(const RouteRequest& request);

}  // namespace corvend::sandbox
