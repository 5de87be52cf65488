#include "DepositRoutes.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <boost/json/parse.hpp>
#include <boost/json/serialize.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "InstrumentRoutes.hpp"
#include "MemoryStore.hpp"
#include "RouteTable.hpp"
#include "SandboxOptions.hpp"

namespace corvend::sandbox {
namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr const char* kDeposits = "digitalwallets/v1/profile/deposits";

// The deposit and instrument routes, called as the server calls them.
class CardSavingTest : public ::testing::Test {
  protected:
    CardSavingTest() {
        const RouteContext context{routes_, store, options_};
        addInstrumentRoutes(context);
        addDepositRoutes(context);
    }

    Reply send(const std::string& method, const std::string& path, const std::string& body = "") {
        std::vector<std::string> segments;
        std::istringstream parts(path);
        for (std::string segment; std::getline(parts, segment, '/');) segments.push_back(segment);
        auto match = routes_.find(method, segments);
        EXPECT_TRUE(match) << method << " " << path;
        if (!match) return Reply::empty(404);
        RouteRequest request;
        request.request.method = method;
        request.request.path = "/" + path;
        request.request.body = body;
        request.request.headers = {{"Authorization", "Bearer t"}, {"Host", "127.0.0.1:8080"}};
        request.pathParameters = match->pathParameters;
        return match->handler(request);
    }

    // A card deposit of `amount` minor units created with the card and `save`, then confirmed;
    // returns its identifier.
    std::string cardDeposit(int amount, const char* save, const char* pan = "5555555555554444") {
        boost::json::object preview{
            {"amount", amount},
            {"currencyCode", "EUR"},
            {"paymentOption", "CARD"},
            {"deviceInfo", {{"threatMetrixSessionId", "s-1"}}},
            {"returnUrls", boost::json::array{{{"rel", "DEFAULT"}, {"href", "https://h/r"}}}}};
        const auto made = send("POST", kDeposits, boost::json::serialize(preview));
        const std::string id(boost::json::parse(made.body).at("id").as_string());
        const boost::json::object create{
            {"status", "PENDING"},
            {"paymentProperties",
             boost::json::array{{{"key", "CARD_CVV"}, {"value", "123"}},
                                {{"key", "CARD_SAVE_INSTRUMENT"}, {"value", save}}}},
            {"paymentInstrument",
             {{"id", id},
              {"customerId", "cus-sandbox-1"},
              {"instrumentType", "CARD"},
              {"pan", pan},
              {"expiryDate", {{"year", 30}, {"month", 7}}},
              {"description", "Salary"}}}};
        EXPECT_EQ(send("POST", std::string(kDeposits) + "/" + id + "/status",
                       boost::json::serialize(create))
                      .status,
                  200);
        EXPECT_EQ(send("POST", std::string(kDeposits) + "/" + id + "/status",
                       R"({"status":"PROCESSING"})")
                      .status,
                  200);
        return id;
    }

    // The card instruments saved from deposits.
    std::vector<boost::json::value> savedCards() {
        std::vector<boost::json::value> saved;
        for (const auto& instrument : store.list(kInstrumentsCollection)) {
            if (instrument.at("id").as_string().starts_with("pi-card-"))
                saved.push_back(instrument);
        }
        return saved;
    }

    MemoryStore store;

  private:
    RouteTable routes_;
    SandboxOptions options_;
};

// A deposit that completes at once keeps its card, masked, as the customer's verified card,
// with every field the instrument list shows; once only for the same card.
TEST_F(CardSavingTest, ACompletedCardDepositAskingToSaveKeepsItsCardOnce) {
    const auto id = cardDeposit(500, "true");
    ASSERT_THAT(savedCards(), SizeIs(1));
    auto saved = savedCards().front().as_object();
    EXPECT_EQ(saved.at("id").as_string(), "pi-card-" + id);
    EXPECT_TRUE(saved.at("creationTime").is_string());
    saved.erase("id");
    saved.erase("creationTime");
    EXPECT_EQ(saved, boost::json::parse(R"({"customerId": "cus-sandbox-1",
        "instrumentType": "CARD", "status": "VERIFIED", "pan": "555555******4444",
        "expiryDate": {"year": 2030, "month": 7}, "cardScheme": "MC", "description": "Salary"})")
                         .as_object());
    const auto listed = send("GET", "digitalwallets/v1/profile/instruments/CARD/pi-card-" + id);
    EXPECT_EQ(listed.status, 200);

    cardDeposit(600, "true");
    EXPECT_THAT(savedCards(), SizeIs(1));
    cardDeposit(600, "true", "4111111111111111");
    ASSERT_THAT(savedCards(), SizeIs(2));
    EXPECT_EQ(savedCards().back().at("cardScheme"), "VISA");
}

// "false" keeps nothing; through 3-D Secure the card is kept when the customer approves, not
// before, and not when they decline.
TEST_F(CardSavingTest, TheCardIsKeptOnlyWhenTheDepositCompletesAskingForIt) {
    cardDeposit(500, "false");
    EXPECT_THAT(savedCards(), IsEmpty());

    const auto declined = cardDeposit(2500, "true");
    EXPECT_EQ(send("GET", "sandbox/3ds/" + declined + "/decline").status, 302);
    const auto approved = cardDeposit(2500, "true", "4111111111111111");
    EXPECT_THAT(savedCards(), IsEmpty());
    EXPECT_EQ(send("GET", "sandbox/3ds/" + approved + "/approve").status, 302);
    ASSERT_THAT(savedCards(), SizeIs(1));
    EXPECT_EQ(savedCards().front().at("id").as_string(), "pi-card-" + approved);
    EXPECT_EQ(savedCards().front().at("pan"), "411111******1111");
}

}  // namespace
}  // namespace corvend::sandbox
