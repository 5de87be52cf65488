#include "CorvendWallet/setup/ErrorEventReporter.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>

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

struct RecordingTracker : EventsTrackingManager {
    void track(const ErrorEvent& event) noexcept override { events.push_back(event); }
    std::vector<ErrorEvent> events;
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
        {"missing key inside the first entry of a list names the key without the path",
         decodingFailure<Listing>(R"({"items":[{}]})"), Kind::keyNotFound,
         [](const auto&) { return std::string("No value associated with key - status"); }},
        {"null deep down joins the keys of the path",
         decodingFailure<Listing>(R"({"items":[{"status":null}]})"), Kind::valueNotFound,
         [](const auto&) {
             return std::string(
                 "Non-optional value expected, found null instead - items, Index 0, status");
         }},
        {"malformed JSON is the description alone", decodingFailure<Entry>("{"),
         Kind::dataCorrupted, [](const auto& e) { return e.debugDescription(); }},
        {"a reply without body", platform::DecodingError::dataCorrupted({{}, "No response data"}),
         Kind::dataCorrupted, [](const auto&) { return std::string("No response data"); }},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(row.error.kind(), row.kind) << row.name;
        EXPECT_EQ(ErrorEventReporter::message(row.error), row.expected(row.error)) << row.name;
    }
}

// Events reported with and without correlation identifier: integration CompositionRoot_test.
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
    EXPECT_TRUE(tracker->events.empty());
}

}  // namespace
}  // namespace corvend
