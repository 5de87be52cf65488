#include "RouteHelpers.hpp"

#include <boost/json/parse.hpp>
#include <boost/url/parse.hpp>
#include <boost/url/url.hpp>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "RecordedRequest.hpp"

namespace corvend::sandbox {

namespace {

// The whole text as an integer, or nothing.
std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool matches(const boost::json::value& record, std::string_view key,
             const std::optional<std::string>& wanted) {
    if (!wanted) return true;
    const auto* value = record.is_object() ? record.as_object().if_contains(key) : nullptr;
    return value != nullptr && value->is_string() && value->as_string() == *wanted;
}

}  // namespace

std::optional<std::string_view> bearerToken(std::string_view authorization) {
    constexpr std::string_view kScheme = "Bearer ";
    if (authorization.size() < kScheme.size() ||
        !equalsIgnoringCase(authorization.substr(0, kScheme.size()), kScheme)) {
        return std::nullopt;
    }
    return authorization.substr(kScheme.size());
}

std::optional<Reply> refusedWithoutToken(const RouteRequest& request) {
    const auto authorization = request.header("Authorization");
    const auto token = authorization ? bearerToken(*authorization) : std::nullopt;
    if (token && !token->empty()) return std::nullopt;
    return Reply::error(401, {.code = "UNAUTHORIZED",
                              .message = authorization ? "The access token is not valid."
                                                       : "An access token is required."});
}

std::string internetDateTime(std::chrono::system_clock::time_point time) {
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%03dZ",
                  static_cast<int>(milliseconds % 1000));
    return text;
}

Reply invalidRequest(std::string message, std::vector<ErrorDocument::FieldError> errors) {
    return Reply::error(
        400,
        {.code = "BAD_REQUEST", .message = std::move(message), .fieldErrors = std::move(errors)});
}

Reply notFound(const std::string& what) {
    return Reply::error(404, {.code = "NOT_FOUND", .message = "No " + what + "."});
}

Reply listReply(const RouteRequest& request, const std::vector<boost::json::value>& records,
                std::string_view listKey) {
    const auto merchantRefNum = request.queryItem("merchantRefNum");
    const auto slipID = request.queryItem("slipID");
    return pagedReply(request, records, listKey, [&](const boost::json::value& record) {
        return matches(record, "merchantRefNum", merchantRefNum) &&
               matches(record, "slipId", slipID);
    });
}

Reply pagedReply(const RouteRequest& request, const std::vector<boost::json::value>& records,
                 std::string_view listKey,
                 const std::function<bool(const boost::json::value&)>& keep) {
    std::vector<ErrorDocument::FieldError> errors;
    auto number = [&](std::string_view name, std::int64_t fallback, std::int64_t least) {
        const auto text = request.queryItem(name);
        if (!text) return fallback;
        const auto value = wholeNumber(*text);
        if (!value || *value < least) {
            errors.push_back(
                {std::string(name), "must be a whole number of at least " + std::to_string(least)});
            return fallback;
        }
        return *value;
    };
    const std::int64_t limit = number("limit", 10, 1);
    const std::int64_t offset = number("offset", 0, 0);
    if (!errors.empty()) return invalidRequest("The list parameters are not valid.", errors);

    boost::json::array page;
    std::int64_t matching = 0;
    for (const auto& record : records) {
        if (!keep(record)) continue;
        if (matching >= offset && matching - offset < limit) page.push_back(record);
        ++matching;
    }
    boost::json::object meta{{"numberOfRecords", matching},
                             {"limit", limit},
                             {"offset", offset},
                             {"page", offset / limit + 1}};
    return Reply::json(200, boost::json::object{{listKey, std::move(page)}, {"meta", meta}});
}

ObjectBody objectBody(const RouteRequest& request) {
    boost::system::error_code error;
    auto body = boost::json::parse(request.request.body, error);
    if (error || !body.is_object()) {
        return {{},
                invalidRequest("The request is not valid.", {{"body", "must be a JSON object"}})};
    }
    return {std::move(body.as_object()), std::nullopt};
}

std::string withQueryItem(const std::string& address, std::string_view name,
                          std::string_view value) {
    const auto parsed = boost::urls::parse_uri_reference(address);
    if (!parsed) {
        return address + (address.find('?') == std::string::npos ? "?" : "&") + std::string(name) +
               "=" + std::string(value);
    }
    boost::urls::url url(*parsed);
    url.params().append({name, value});
    return std::string(url.buffer());
}

}  // namespace corvend::sandbox
