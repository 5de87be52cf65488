// The card-deposit flow end to end: the host's door, every screen of the flow and the 3-D Secure
// page, driven as a person would (type into the fields, tap the buttons) against the sandbox.

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/json.hpp>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendCoreComponents/CheckboxLabelView.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRepository.hpp"
#include "CorvendWallet/ui/foundation/DetailsListItemView.hpp"
#include "CorvendWallet/ui/foundation/MoneyFormatter.hpp"
#include "platform/app/DesktopURLOpener.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/web/WebView.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::integration {
namespace {

using platform::ui::ViewControllerPtr;
using Result = CardDepositResult;
using sandbox::ScriptedReply;

constexpr std::string_view kNewCard = "4111111111111111";
const std::string kDepositsPath = "digitalwallets/v1/profile/deposits";

template <class T>
void collect(const platform::ui::ViewPtr& view, std::vector<std::shared_ptr<T>>& found) {
    if (view->isHidden()) return;
    if (auto match = std::dynamic_pointer_cast<T>(view)) found.push_back(match);
    for (const auto& subview : view->subviews()) collect(subview, found);
}

std::string describe(const Result& result) {
    if (const auto* failure = std::get_if<Result::TerminalFailure>(&result.value))
        return "terminal failure: " + failure->error.description();
    if (const auto* failure = std::get_if<Result::NonTerminalFailure>(&result.value))
        return "non-terminal failure: " + failure->error.description();
    return result.isCompleted() ? "completed" : "cancelled";
}

class CardDepositFlowTest : public SandboxTest {
  public:
    using SandboxTest::sandbox;

    explicit CardDepositFlowTest(sandbox::SandboxOptions options = {})
        : SandboxTest(std::move(options)) {
        platform::MainQueue::shared().drain();
        components::testing::configureTheme();
    }

    // A flow still shown is closed with its host's screen, so nothing outlives the test.
    ~CardDepositFlowTest() override {
        if (host->presentedViewController()) host->dismiss(false);
        platform::MainQueue::shared().drain();
    }

    // Previews a deposit as the host does and starts the flow over the host's screen.
    // `beforeStart` runs between the two, when the deposit's id is known.
    void start(std::int64_t amount,
               std::optional<model::PaymentInstrumentReference> savedCard = std::nullopt,
               std::string currency = "EUR", const std::function<void()>& beforeStart = {}) {
        const CardDepositRequest request{amount, std::move(currency), std::move(savedCard),
                                         "order-1"};
        depositID = inTask([this, request] { return service->preview(request); }).id();
        if (beforeStart) beforeStart();
        service->start(depositID, host, [this](Result result) {
            // The flow is gone from the host's screen before the host hears of it.
            dismissedFirst.push_back(shownOver->presentedViewController() == nullptr);
            results.push_back(std::move(result));
        });
    }

    ViewControllerPtr top() {
        const auto navigation = std::dynamic_pointer_cast<platform::ui::NavigationController>(
            shownOver->presentedViewController());
        return navigation ? navigation->topViewController() : nullptr;
    }

    // Drives the main queue until the top screen's title is `title`.
    void waitForScreen(const std::string& title) {
        const bool shown = platform::MainQueue::shared().runUntil(
            [&] { return top() && top()->title() == title; }, kDeadline);
        ASSERT_TRUE(shown) << "no screen \"" << title << "\"; "
                           << (top() ? top()->snapshot() : std::string("no flow"));
    }

    void waitForResult() {
        ASSERT_TRUE(
            platform::MainQueue::shared().runUntil([&] { return !results.empty(); }, kDeadline));
        // Anything a closed screen still had in flight has its chance to report twice.
        platform::MainQueue::shared().drain();
    }

    template <class T>
    std::vector<std::shared_ptr<T>> onScreen() {
        std::vector<std::shared_ptr<T>> found;
        const auto view = top()->view();
        view->layoutIfNeeded();
        collect(view, found);
        return found;
    }

    void typeInto(std::size_t field, std::string_view text) {
        const auto fields = onScreen<platform::ui::TextField>();
        ASSERT_LT(field, fields.size()) << top()->snapshot();
        fields[field]->becomeFirstResponder();
        fields[field]->type(std::string(text));
    }

    void tap(const std::string& title) {
        for (const auto& button : onScreen<platform::ui::Button>()) {
            if (button->currentTitle() == title) {
                button->tap();
                return;
            }
        }
        ADD_FAILURE() << "no button " << title << " on " << top()->snapshot();
    }

    void close() { top()->navigationItem().leftBarButtonItem->tap(); }

    void enterNewCard() {
        waitForScreen("Enter your card details");
        typeInto(0, kNewCard);
        typeInto(1, "123");
        typeInto(2, "1230");
    }

    void submitNewCard() {
        enterNewCard();
        tap("Add a card");
        waitForScreen("Review the payment details");
    }

    // The stored deposit, moved to "PROCESSING" with `change` applied, as a confirm reply.
    ScriptedReply confirmReply(const std::function<void(boost::json::object&)>& change) {
        auto deposit = sandbox.store().get("deposits", depositID)->as_object();
        deposit["status"] = "PROCESSING";
        change(deposit);
        return {.body = boost::json::serialize(deposit)};
    }

    std::string statusPath() const { return kDepositsPath + "/" + depositID + "/status"; }

    void failNext(const std::string& method, const std::string& path) {
        sandbox.scriptNextReply(
            method, path, {.status = 500, .body = R"({"error":{"code":"5000","message":"down"}})"});
    }
    void confirmWith(const std::function<void(boost::json::object&)>& change) {
        submitNewCard();
        sandbox.scriptNextReply("POST", statusPath(), confirmReply(change));
        tap("Confirm");
    }

    void expectOneResult(const Result& expected) {
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results.front(), expected) << describe(results.front());
        EXPECT_TRUE(dismissedFirst.front());
    }

    static Result internal(bool terminal) {
        auto error = Error::make(CardDepositError(CardDepositError::internalError));
        return terminal ? Result::terminalFailure(error) : Result::nonTerminalFailure(error);
    }

    const std::shared_ptr<DepositService> deposits = DepositRepository::make(
        configuredManager("user-token-1"),
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-sandbox"));
    const std::shared_ptr<CardDepositService> service =
        CardDepositRepository::make(std::make_shared<CardDepositComponent>(
            deposits, PaymentInstrumentRepository::make(configuredManager("user-token-1"),
                                                        platform::DesktopURLOpener::make())));
    const ViewControllerPtr host = std::make_shared<platform::ui::ViewController>();
    // The screen the flow is expected over: the host's, or what the host presents itself.
    ViewControllerPtr shownOver = host;
    std::string depositID;
    std::vector<Result> results;
    std::vector<bool> dismissedFirst;
};

TEST_F(CardDepositFlowTest, PreviewCreatesACardDepositThatReturnsToTheKitsWebAddress) {
    start(500);
    const auto stored = sandbox.store().get("deposits", depositID)->as_object();
    EXPECT_EQ(stored.at("paymentOption"), "CARD");
    EXPECT_EQ(stored.at("merchantRefNum"), "order-1");
    const auto& links = stored.at("returnUrls").as_array();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].at("rel"), "DEFAULT");
    EXPECT_EQ(links[0].at("href"), "https://return.corvend.example");
    EXPECT_EQ(links[0].at("method"), "GET");
}

// amount → whether the issuer's page is shown (2577 also takes its challenge page); the service
// and its pages over https or http.
struct NewCardCase {
    std::int64_t amount;
    bool threeDS;
    bool https = false;
};

class NewCardTest : public CardDepositFlowTest, public ::testing::WithParamInterface<NewCardCase> {
  protected:
    NewCardTest()
        : CardDepositFlowTest(GetParam().https ? httpsOptions() : sandbox::SandboxOptions{}) {}
};

TEST_P(NewCardTest, ANewCardDepositCompletesOnceAndTheServiceHasTheMoney) {
    start(GetParam().amount);
    submitNewCard();
    // The header shows the amount; the total adds the sandbox's card fee of 0.35.
    const std::string summary = top()->snapshot();
    EXPECT_NE(summary.find("Pay with  *1111"), std::string::npos) << summary;
    tap("Confirm");
    if (GetParam().threeDS) {
        // The issuer's page (and its challenge page) waits: approve each as a person would.
        for (int page = 0; page < 2 && results.empty(); ++page) {
            std::shared_ptr<platform::web::WebView> web;
            ASSERT_TRUE(platform::MainQueue::shared().runUntil(
                [&] {
                    if (!results.empty()) return true;
                    const auto views = onScreen<platform::web::WebView>();
                    if (views.empty() || views.front()->isLoading() || !views.front()->page())
                        return false;
                    web = views.front();
                    return true;
                },
                kDeadline));
            if (!web) break;
            const auto& links = web->page()->links;
            const auto approve = std::ranges::find(links, std::string("Approve"),
                                                   &platform::web::WebPage::Link::text);
            ASSERT_NE(approve, links.end()) << top()->snapshot();
            EXPECT_EQ(approve->url.scheme(), GetParam().https ? "https" : "http");
            web->navigate(approve->url);
        }
    }
    waitForResult();
    expectOneResult(Result::completed());
    const auto stored = sandbox.store().get("deposits", depositID)->as_object();
    EXPECT_EQ(stored.at("status"), "COMPLETED");
    const auto& properties = stored.at("paymentProperties").as_array();
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(properties[0].at("key"), "CARD_CVV");
    EXPECT_EQ(properties[1].at("key"), "CARD_SAVE_INSTRUMENT");
    EXPECT_EQ(properties[1].at("value"), "false");
    EXPECT_EQ(stored.at("paymentInstrument").at("pan").as_string(), kNewCard);
}

INSTANTIATE_TEST_SUITE_P(Amounts, NewCardTest,
                         ::testing::Values(NewCardCase{500, false}, NewCardCase{2'500, true},
                                           NewCardCase{2'577, true},
                                           NewCardCase{2'577, true, true}));

// The card to keep goes out with the customer's consent and label, as the deposit's own card:
// its id and owner are the deposit's, and the kit names no scheme or status of its own.
TEST_F(CardDepositFlowTest, ANewCardToKeepGoesOutWithItsLabelAsTheDepositsCard) {
    start(500);
    enterNewCard();
    typeInto(3, "Salary");
    const auto consent = onScreen<components::CheckboxLabelView>();
    ASSERT_EQ(consent.size(), 1u);
    consent[0]->checkbox()->tap();
    tap("Add a card");
    waitForScreen("Review the payment details");
    const std::string summary = top()->snapshot();
    EXPECT_NE(summary.find("Pay with Salary *1111"), std::string::npos) << summary;

    const auto stored = sandbox.store().get("deposits", depositID)->as_object();
    const auto& properties = stored.at("paymentProperties").as_array();
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(properties[0].at("key"), "CARD_CVV");
    EXPECT_EQ(properties[0].at("value"), "123");
    EXPECT_EQ(properties[1].at("key"), "CARD_SAVE_INSTRUMENT");
    EXPECT_EQ(properties[1].at("value"), "true");
    const auto& card = stored.at("paymentInstrument").as_object();
    EXPECT_EQ(card.at("id").as_string(), depositID);
    EXPECT_EQ(card.at("customerId"), stored.at("customerId"));
    EXPECT_EQ(card.at("instrumentType"), "CARD");
    EXPECT_EQ(card.at("pan").as_string(), kNewCard);
    EXPECT_EQ(card.at("description"), "Salary");
    EXPECT_EQ(card.at("expiryDate").at("year"), 30);  // as typed
    EXPECT_EQ(card.at("expiryDate").at("month"), 12);
    EXPECT_FALSE(card.contains("cardScheme"));
    EXPECT_FALSE(card.contains("status"));
}

TEST_F(CardDepositFlowTest, ASavedCardIsConfirmedWithItsSecurityCodeOnly) {
    start(500, model::PaymentInstrumentReference{"pi-sandbox-card", model::InstrumentType::card});
    waitForScreen("Enter your card details");
    typeInto(1, "321");
    tap("Continue");
    waitForScreen("Review the payment details");
    tap("Confirm");
    waitForResult();
    expectOneResult(Result::completed());
    const auto stored = sandbox.store().get("deposits", depositID)->as_object();
    const auto& properties = stored.at("paymentProperties").as_array();
    ASSERT_EQ(properties.size(), 1u);
    EXPECT_EQ(properties[0].at("key"), "CARD_CVV");
    EXPECT_EQ(properties[0].at("value").as_string(), "321");
    EXPECT_FALSE(stored.contains("paymentInstrument"));
}

TEST_F(CardDepositFlowTest, TheSummaryShowsALowerCaseCurrencyInItsOwnMinorUnits) {
    start(2'500, std::nullopt, "jpy");
    submitNewCard();
    const auto rows = onScreen<DetailsListItemView>();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[1]->rightLabel()->text(), MoneyFormatter().format(2'500, "JPY"));
}

// The fees of the created deposit, and the fee and total rows the summary shows for 5.00 EUR
// (nullopt: the sum overflows and the row is empty).
struct FeesCase {
    std::string name;
    boost::json::array fees;
    std::optional<std::int64_t> fee;
    std::optional<std::int64_t> total;
};

class SummaryFeesTest : public CardDepositFlowTest,
                        public ::testing::WithParamInterface<FeesCase> {};

TEST_P(SummaryFeesTest, FeesInTheDepositsCurrencyAreSummedWithOverflowChecks) {
    start(500);
    enterNewCard();
    auto created = sandbox.store().get("deposits", depositID)->as_object();
    created["status"] = "PENDING";
    created["fees"] = GetParam().fees;
    sandbox.scriptNextReply("POST", statusPath(), {.body = boost::json::serialize(created)});
    tap("Add a card");
    waitForScreen("Review the payment details");
    const auto rows = onScreen<DetailsListItemView>();
    ASSERT_EQ(rows.size(), 4u);
    const MoneyFormatter formatter;
    auto shown = [&](std::optional<std::int64_t> amount) {
        return amount ? formatter.format(*amount, "EUR") : "";
    };
    EXPECT_EQ(rows[1]->rightLabel()->text(), shown(500));
    EXPECT_EQ(rows[2]->rightLabel()->text(), shown(GetParam().fee));
    EXPECT_EQ(rows[3]->rightLabel()->text(), shown(GetParam().total));
}

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Fees, SummaryFeesTest,
    ::testing::Values(
        FeesCase{"None", {}, 0, 500},
        FeesCase{"OwnAndNoCurrencyCountOthersNot",
                 {{{"amount", 35}, {"currency", "EUR"}, {"paymentReason", "MERCHANT_FEE"}},
                  {{"amount", 15}, {"paymentReason", "OTHER_FEE"}},
                  {{"amount", 999}, {"currency", "USD"}, {"paymentReason", "FX_FEE"}}},
                 50,
                 550},
        FeesCase{"FeesOverflow",
                 {{{"amount", kMax}, {"currency", "EUR"}, {"paymentReason", "MERCHANT_FEE"}},
                  {{"amount", 1}, {"currency", "EUR"}, {"paymentReason", "OTHER_FEE"}}},
                 std::nullopt,
                 std::nullopt},
        FeesCase{"TotalOverflows",
                 {{{"amount", kMax}, {"currency", "EUR"}, {"paymentReason", "MERCHANT_FEE"}}},
                 kMax,
                 std::nullopt}),
    [](const auto& info) { return info.param.name; });

// Where the flow fails, what the sandbox is made to do there, and the result case.
struct FailureCase {
    std::string name;
    // Scripts the fault once the flow is at the right step; `test` reaches that step.
    std::function<void(CardDepositFlowTest& test)> reachAndFail;
    // Null: a WalletError carried as a terminal (true) or non-terminal failure.
    std::optional<Result> expected;
    bool terminal;
};

class FailureTest : public CardDepositFlowTest,
                    public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, EndsWithTheRightResultCaseOnce) {
    const FailureCase& failure = GetParam();
    failure.reachAndFail(*this);
    waitForResult();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(dismissedFirst.front());
    if (failure.expected) {
        EXPECT_EQ(results.front(), *failure.expected);
        return;
    }
    const auto* terminal = std::get_if<Result::TerminalFailure>(&results.front().value);
    const auto* loading = std::get_if<Result::NonTerminalFailure>(&results.front().value);
    ASSERT_TRUE(failure.terminal ? terminal != nullptr : loading != nullptr);
    const Error& error = terminal ? terminal->error : loading->error;
    EXPECT_TRUE(error.is<model::WalletError>()) << error.description();
}

const std::string kOptions = "digitalwallets/v1/profile/deposits/options";

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureTest,
    ::testing::Values(
        FailureCase{"OptionsFail",
                    [](CardDepositFlowTest& test) {
                        test.failNext("GET", kOptions);
                        test.start(500);
                    },
                    std::nullopt, false},
        FailureCase{"NoAcceptedCard",
                    [](CardDepositFlowTest& test) {
                        test.sandbox.scriptNextReply(
                            "GET", kOptions, {.body = R"([{"paymentOption":"BANK_TRANSFER"}])"});
                        test.start(500);
                    },
                    Result::nonTerminalFailure(Error::make(
                        CardDepositError(CardDepositError::failedToLoadAcceptedCardsError))),
                    false},
        FailureCase{"SavedInstrumentIsNoCard",
                    [](CardDepositFlowTest& test) {
                        test.start(500,
                                   model::PaymentInstrumentReference{
                                       "pi-sandbox-sepa", model::InstrumentType::sepaBankAccount});
                    },
                    CardDepositFlowTest::internal(false), false},
        FailureCase{"CreateFails",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.enterNewCard();
                        test.failNext("POST", test.statusPath());
                        test.tap("Add a card");
                    },
                    std::nullopt, true},
        FailureCase{"ConfirmFails",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.submitNewCard();
                        test.failNext("POST", test.statusPath());
                        test.tap("Confirm");
                    },
                    std::nullopt, true},
        // The sandbox's first deposit is dep-1.
        FailureCase{"ConfirmNamesAnotherDeposit",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.confirmWith([](auto& deposit) { deposit["id"] = "dep-seed-1"; });
                    },
                    Result::terminalFailure(
                        Error::make(CardDepositError::otherDepositNamed("dep-seed-1", "dep-1"))),
                    true},
        FailureCase{"UnknownAction",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.confirmWith([](auto& deposit) { deposit["action"] = "SOMETHING"; });
                    },
                    CardDepositFlowTest::internal(true), true},
        FailureCase{"RedirectWithoutReturnAddress",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.confirmWith([](auto& deposit) {
                            deposit["action"] = "REDIRECT";
                            deposit["redirectUrl"] = {{"rel", "REDIRECT_PAYMENT"},
                                                      {"href", "http://127.0.0.1/"}};
                            deposit["returnUrls"] = boost::json::array{
                                {{"rel", "ON_FAILED"}, {"href", "https://return.corvend.example"}}};
                        });
                    },
                    CardDepositFlowTest::internal(true), true},
        FailureCase{"RedirectWithoutPage",
                    [](CardDepositFlowTest& test) {
                        test.start(500);
                        test.confirmWith([](auto& deposit) { deposit["action"] = "REDIRECT"; });
                    },
                    CardDepositFlowTest::internal(true), true},
        FailureCase{
            "BadThreeDSAddress",
            [](CardDepositFlowTest& test) {
                test.start(500);
                test.confirmWith([](auto& deposit) {
                    deposit["action"] = "REDIRECT";
                    deposit["redirectUrl"] = {{"rel", "REDIRECT_PAYMENT"}, {"href", "not a url"}};
                });
            },
            CardDepositFlowTest::internal(true), true}),
    [](const auto& info) { return info.param.name; });

// A read of the loading screen that fails, and the code of the service error that must reach
// the host: the options' error wins over the deposit's, even when the deposit's comes first.
class LoadFailureTest;

struct LoadFailureCase {
    std::string name;
    std::function<void(LoadFailureTest& test)> failAndStart;
    std::string reportedCode;
};

class LoadFailureTest : public CardDepositFlowTest,
                        public ::testing::WithParamInterface<LoadFailureCase> {
  public:
    void failWith(const std::string& path, const std::string& code,
                  std::chrono::milliseconds delay = {}) {
        sandbox.scriptNextReply("GET", path,
                                {.status = 400,
                                 .body = R"({"error":{"code":")" + code + R"(","message":"no"}})",
                                 .delay = delay});
    }
};

TEST_P(LoadFailureTest, ReportsTheFailingReadsOwnError) {
    GetParam().failAndStart(*this);
    waitForResult();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(dismissedFirst.front());
    const auto* loading = std::get_if<Result::NonTerminalFailure>(&results.front().value);
    ASSERT_NE(loading, nullptr) << describe(results.front());
    const auto error = loading->error.as<model::WalletError>();
    ASSERT_TRUE(error) << loading->error.description();
    const auto* data = error->as<model::WalletError::DataError>();
    ASSERT_NE(data, nullptr) << error->errorDescription();
    EXPECT_EQ(data->details.code, GetParam().reportedCode);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, LoadFailureTest,
    ::testing::Values(
        LoadFailureCase{"DepositReadFails",
                        [](LoadFailureTest& test) {
                            test.start(500, std::nullopt, "EUR", [&test] {
                                test.failWith(kDepositsPath + "/" + test.depositID, "5002");
                            });
                        },
                        "5002"},
        LoadFailureCase{"BothFailTheDepositFirst",
                        [](LoadFailureTest& test) {
                            test.start(500, std::nullopt, "EUR", [&test] {
                                test.failWith(kDepositsPath + "/" + test.depositID, "5002");
                                test.failWith(kOptions, "5001", std::chrono::milliseconds(200));
                            });
                        },
                        "5001"},
        LoadFailureCase{
            "SavedInstrumentReadFails",
            [](LoadFailureTest& test) {
                test.failWith("digitalwallets/v1/profile/instruments/CARD/pi-sandbox-card", "5003");
                test.start(500, model::PaymentInstrumentReference{"pi-sandbox-card",
                                                                  model::InstrumentType::card});
            },
            "5003"}),
    [](const auto& info) { return info.param.name; });

// The screen closed, reached from the start of a deposit of `amount`.
struct CancelCase {
    std::string name;
    std::int64_t amount;
    std::optional<model::PaymentInstrumentReference> savedCard;
    std::function<void(CardDepositFlowTest& test)> reach;
};

class CancelTest : public CardDepositFlowTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, ClosingReportsCancelledOnceAndTheDepositIsNotCompleted) {
    start(GetParam().amount, GetParam().savedCard);
    GetParam().reach(*this);
    close();
    waitForResult();
    expectOneResult(Result::cancelled());
    EXPECT_NE(sandbox.store().get("deposits", depositID)->at("status"), "COMPLETED");
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CancelTest,
    ::testing::Values(
        CancelCase{
            "AddCard", 500, std::nullopt,
            [](CardDepositFlowTest& test) { test.waitForScreen("Enter your card details"); }},
        CancelCase{
            "ConfirmCard", 500,
            model::PaymentInstrumentReference{"pi-sandbox-card", model::InstrumentType::card},
            [](CardDepositFlowTest& test) { test.waitForScreen("Enter your card details"); }},
        CancelCase{"Summary", 500, std::nullopt,
                   [](CardDepositFlowTest& test) { test.submitNewCard(); }},
        CancelCase{"ThreeDSecure", 2'500, std::nullopt,
                   [](CardDepositFlowTest& test) {
                       auto& cancel = test;
                       cancel.submitNewCard();
                       // The issuer's page is held, so the person is still looking at it.
                       cancel.sandbox.scriptNextReply("GET", "sandbox/3ds/" + cancel.depositID,
                                                      {.hold = true});
                       cancel.tap("Confirm");
                       ASSERT_TRUE(platform::MainQueue::shared().runUntil(
                           [&] { return !cancel.onScreen<platform::web::WebView>().empty(); },
                           kDeadline));
                   }}),
    [](const auto& info) { return info.param.name; });

// A close while the create (on the card screen) or the confirm (on the summary) is in flight:
// that step's own outcome decides the one result.
struct InFlightCase {
    std::string name;
    bool create;
    std::int64_t amount;
    bool fails;
    std::function<bool(const Result&)> expected;
};

class CloseWhileInFlightTest : public CardDepositFlowTest,
                               public ::testing::WithParamInterface<InFlightCase> {};

TEST_P(CloseWhileInFlightTest, TheStepsOwnOutcomeIsTheOneResult) {
    const InFlightCase& step = GetParam();
    start(step.amount);
    if (step.create) {
        enterNewCard();
    } else {
        submitNewCard();
    }
    ScriptedReply held{.status = 500, .body = R"({"error":{"code":"5000","message":"down"}})"};
    if (!step.fails) {
        held = confirmReply([&](auto& deposit) {
            deposit["status"] = step.create ? "PENDING" : "PROCESSING";
            deposit["action"] = step.amount >= 1'000 ? "REDIRECT" : "NONE";
        });
    }
    held.hold = true;
    sandbox.scriptNextReply("POST", statusPath(), held);
    const std::string submit = step.create ? "Add a card" : "Confirm";
    const std::size_t before = sandbox.requests().size();
    tap(submit);
    ASSERT_TRUE(sandbox.waitForRequests(before + 1, kDeadline));
    close();
    tap(submit);  // the loading button takes no second tap
    platform::MainQueue::shared().drain();
    EXPECT_TRUE(results.empty()) << "the close decided before the step answered";
    sandbox.releaseHeld();
    waitForResult();
    ASSERT_EQ(results.size(), 1u) << describe(results.back());
    EXPECT_TRUE(step.expected(results.front())) << describe(results.front());
    EXPECT_TRUE(dismissedFirst.front());
    EXPECT_EQ(sandbox.requests().size(), before + 1) << "a second submit was sent";
}

bool terminal(const Result& result) {
    return std::holds_alternative<Result::TerminalFailure>(result.value);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CloseWhileInFlightTest,
    ::testing::Values(InFlightCase{"CreatedIsCancelled", true, 500, false,
                                   [](const Result& result) { return result.isCancelled(); }},
                      InFlightCase{"CreateFailed", true, 500, true, terminal},
                      InFlightCase{"ConfirmedWithoutRedirect", false, 500, false,
                                   [](const Result& result) { return result.isCompleted(); }},
                      InFlightCase{"ConfirmedButThreeDSecureLeft", false, 2'500, false,
                                   [](const Result& result) { return result.isCancelled(); }},
                      InFlightCase{"ConfirmFailed", false, 500, true, terminal}),
    [](const auto& info) { return info.param.name; });

TEST_F(CardDepositFlowTest, AFlowStartedWhileTheHostPresentsAScreenRunsOverItAndEndsOnce) {
    // Closed by the person (the flow closes itself first), and failed while loading.
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "fails" : "closed");
        results.clear();
        dismissedFirst.clear();
        const auto own = platform::ui::NavigationController::make(
            nullptr, std::make_shared<platform::ui::ViewController>());
        host->present(own, false);
        shownOver = own;
        if (fails) failNext("GET", kDepositsPath + "/options");
        start(500);
        if (!fails) {
            waitForScreen("Enter your card details");
            close();
        }
        waitForResult();
        ASSERT_EQ(results.size(), 1u);
        EXPECT_TRUE(dismissedFirst.front());
        if (fails) {
            const auto* failure = std::get_if<Result::NonTerminalFailure>(&results.front().value);
            ASSERT_NE(failure, nullptr) << describe(results.front());
            EXPECT_TRUE(failure->error.is<model::WalletError>()) << describe(results.front());
        } else {
            EXPECT_EQ(results.front(), Result::cancelled());
        }
        // Only the flow went: the host's own screen is still shown.
        EXPECT_EQ(host->presentedViewController(), own);
        host->dismiss(false);
        platform::MainQueue::shared().drain();
    }
}

TEST_F(CardDepositFlowTest, AFlowReleasedWhileLoadingReportsNothing) {
    sandbox.scriptNextReply("GET", kDepositsPath + "/options", {.hold = true});
    const std::size_t before = sandbox.requests().size();
    start(500);
    // The preview and both reads have reached the sandbox: the options are the ones held.
    ASSERT_TRUE(sandbox.waitForRequests(before + 3, kDeadline));
    const std::weak_ptr<platform::ui::ViewController> flow = host->presentedViewController();
    host->dismiss(false);
    platform::MainQueue::shared().drain();
    EXPECT_TRUE(flow.expired()) << "the dismissed flow is still alive";
    sandbox.releaseHeld();
    // A second flow run to its end: the first one's late replies have been handled by then.
    start(500);
    waitForScreen("Enter your card details");
    close();
    waitForResult();
    expectOneResult(Result::cancelled());
}

}  // namespace
}  // namespace corvend::integration
