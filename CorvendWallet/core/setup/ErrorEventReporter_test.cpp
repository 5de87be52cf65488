#include "CorvendWallet/core/setup/ErrorEventReporter.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <mutex>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/networking/ResponseValidation.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/json/JSONDecoder.hpp"

namespace corvend {
namespace {

struct Entry {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Entry, (), (status))

struct Listing {
    std::vector<Entry> items;
};
BOOST_DESCRIBE_STRUCT(Listing, (), (items))

struct Inner {
    std::string name;
};
BOOST_DESCRIBE_STRUCT(Inner, (), (name))

struct Outer {
    Inner inner;
};
BOOST_DESCRIBE_STRUCT(Outer, (), (inner))

class RecordingTracker : public EventsTrackingManager {
  public:
    void track(const ErrorEvent& event) noexcept override {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<ErrorEvent> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<ErrorEvent> events_;
};

// The decoder's own failure for `body` read as T.
template <class T>
platform::DecodingError decodingFailure(std::string_view body) {
    try {
        platform::JSONDecoder().decode<T>(body);
    } catch (const platform::DecodingError& error) {
        return error;
    }
    throw std::logic_error("the body decoded");
}

const platform::Date kNow = platform::Date::fromUnixSeconds(1'709'633'340.75);

TEST(ErrorEventReporterTest, MessageTextByKind) {
    using Kind = platform::DecodingError::Kind;
    struct Row {
        const char* name;
        platform::DecodingError error;
        Kind kind;
        // The expected text, given the error (debug descriptions are the decoder's own).
        std::function<std::string(const platform::DecodingError&)> expected;
    };
    const Row rows[] = {
        {"type mismatch at the top level ends with the separator", decodingFailure<Entry>("[]"),
         Kind::typeMismatch, [](const auto& e) { return e.debugDescription() + " - "; }},
        {"type mismatch deep down lists the path",
         decodingFailure<Listing>(R"({"items":[{"status":5}]})"), Kind::typeMismatch,
         [](const auto& e) { return e.debugDescription() + " - items, Index 0, status"; }},
        {"missing key inside the first entry of a list names the key without the path",
         decodingFailure<Listing>(R"({"items":[{}]})"), Kind::keyNotFound,
         [](const auto&) { return std::string("No value associated with key - status"); }},
        {"null two levels deep joins the two keys",
         decodingFailure<Outer>(R"({"inner":{"name":null}})"), Kind::valueNotFound,
         [](const auto&) {
             return std::string("Non-optional value expected, found null instead - inner, name");
         }},
        {"null at the top level", decodingFailure<Entry>("null"), Kind::valueNotFound,
         [](const auto&) {
             return std::string("Non-optional value expected, found null instead - ");
         }},
        {"malformed JSON is the description alone", decodingFailure<Entry>("{"),
         Kind::dataCorrupted, [](const auto& e) { return e.debugDescription(); }},
        {"a reply without body", platform::DecodingError::dataCorrupted({{}, "No response data"}),
         Kind::dataCorrupted, [](const auto&) { return std::string("No response data"); }},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(row.error.kind(), row.kind) << row.name;
        EXPECT_FALSE(row.expected(row.error).empty()) << row.name;
        EXPECT_EQ(ErrorEventReporter::message(row.error), row.expected(row.error)) << row.name;
    }
}

TEST(ErrorEventReporterTest, ReportsOneDecodingErrorEvent) {
    auto tracker = std::make_shared<RecordingTracker>();
    const auto reporter = makeErrorEventReporter(tracker, [] { return kNow; });
    const auto error = decodingFailure<Listing>(R"({"items":[{}]})");

    struct Row {
        std::optional<std::string> correlationID;
        HTTPMethod method;
        std::string url;
    };
    const Row rows[] = {
        {"corr-1", HTTPMethod::get(), "digitalwallets/v1/profile?limit=10"},
        {std::nullopt, HTTPMethod::post(), "digitalwallets/v1/profile/transfers"},
        {"corr-3", HTTPMethod{"patch"}, ""},
    };
    for (const auto& row : rows)
        reporter.decodingError(error, row.correlationID, row.method, row.url);

    const auto events = tracker->events();
    ASSERT_EQ(events.size(), std::size(rows));
    for (std::size_t i = 0; i < events.size(); ++i) {
        const ErrorEvent expected{
            .eventID = rows[i].correlationID,
            .eventName = ErrorEvent::Name::decodingError,
            .timestamp = kNow,
            .httpDetails = ErrorEvent::HttpDetails{rows[i].url, rows[i].method.rawValue},
            .parameters =
                std::vector<ErrorEvent::Parameter>{
                    {"message", "No value associated with key - status"}},
        };
        EXPECT_EQ(events[i], expected) << rows[i].url;
    }
}

TEST(ErrorEventReporterTest, ReplyValidationReportsAndStillFails) {
    using model::WalletError;
    auto tracker = std::make_shared<RecordingTracker>();
    const auto reporter = makeErrorEventReporter(tracker, [] { return kNow; });
    const Endpoint<Listing> endpoint("digitalwallets/v1/profile", HTTPMethod::get(), {},
                                     {{"limit", "10"}}, EndpointParametersEncoder::empty(),
                                     EndpointDecoder<Listing>::json(sharedResponseDecoder()),
                                     {[](const auto&, const auto&) { throw 0; }});
    const auto url = platform::URL::make("https://wallet.example/digitalwallets/v1/profile");
    ASSERT_TRUE(url.has_value());

    struct Row {
        const char* name;
        std::map<std::string, std::string> headers;
        std::optional<platform::Data> body;
        std::string code;
        std::optional<std::string> correlationID;
        std::string message;
    };
    const Row rows[] = {
        {"no body",
         {{"x-internal-correlation-id", "corr-9"}},
         std::nullopt,
         "I0004",
         "corr-9",
         "No response data"},
        {"empty object",
         {{"x-internal-correlation-id", "corr-9"}},
         platform::Data("{}"),
         "I0005",
         "corr-9",
         "No value associated with key - items"},
        {"no correlation header",
         {},
         platform::Data(R"({"items":[{}]})"),
         "I0005",
         std::nullopt,
         "No value associated with key - status"},
    };
    for (const auto& row : rows) {
        const platform::HTTPURLResponse response(*url, 200, row.headers);
        try {
            decodeResponse(&response, row.body, endpoint, reporter);
            ADD_FAILURE() << row.name << ": decoded";
        } catch (const WalletError& error) {
            EXPECT_EQ(error, WalletError::internalError(row.code, row.correlationID)) << row.name;
        }
        const auto events = tracker->events();
        ASSERT_FALSE(events.empty()) << row.name;
        const ErrorEvent expected{
            .eventID = row.correlationID,
            .eventName = ErrorEvent::Name::decodingError,
            .timestamp = kNow,
            .httpDetails = ErrorEvent::HttpDetails{"digitalwallets/v1/profile?limit=10", "GET"},
            .parameters = std::vector<ErrorEvent::Parameter>{{"message", row.message}},
        };
        EXPECT_EQ(events.back(), expected) << row.name;
    }
    EXPECT_EQ(tracker->events().size(), std::size(rows));
}

TEST(ErrorEventReporterTest, DoesNotKeepTheTrackerAliveNorFailWithoutIt) {
    auto tracker = std::make_shared<RecordingTracker>();
    const std::weak_ptr<RecordingTracker> weakTracker = tracker;
    const auto reporter = makeErrorEventReporter(tracker);
    tracker.reset();
    EXPECT_TRUE(weakTracker.expired());
    EXPECT_NO_THROW(reporter.decodingError(platform::DecodingError::dataCorrupted({{}, "x"}),
                                           std::nullopt, HTTPMethod::get(), "x"));
}

TEST(ErrorEventReporterTest, AFailingClockLosesTheEventWithoutThrowing) {
    auto tracker = std::make_shared<RecordingTracker>();
    const ErrorEventReporter reporter(
        tracker, []() -> platform::Date { throw std::runtime_error("no clock"); });
    EXPECT_NO_THROW(reporter.report(platform::DecodingError::dataCorrupted({{}, "x"}), "id",
                                    HTTPMethod::get(), "x"));
    EXPECT_TRUE(tracker->events().empty());
}

}  // namespace
}  // namespace corvend
