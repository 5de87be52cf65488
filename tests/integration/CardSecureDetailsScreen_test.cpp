// The card secure-details screen, made by the card service, against the sandbox, headless.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "CorvendWallet/services/cards/CardRepository.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsBuilder.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractor.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsViewController.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"

namespace corvend::integration {
namespace {

using ::testing::HasSubstr;

constexpr const char* kCardsPath = "digitalwallets/v1/profile/prepaid/cards/";

class CardSecureDetailsScreenTest : public SandboxTest {
  protected:
    std::shared_ptr<CardRepository> serviceOver(std::shared_ptr<NetworkManager> manager) const {
        return CardRepository::make(
            CardRepositoryComponent::make(std::move(manager), fingerprint, properties),
            [](auto dependency, const auto& request) {
                return CardSecureDetailsBuilder(std::move(dependency)).build(request);
            });
    }

    // What the screen shows once its view has loaded and its spinner and web view have settled.
    std::string shown(const std::shared_ptr<platform::ui::ViewController>& screen) {
        const auto& web =
            std::dynamic_pointer_cast<CardSecureDetailsViewController>(screen)->webView();
        screen->view();
        const bool settled = platform::MainQueue::shared().runUntil(
            [&] {
                return screen->snapshot().find("spinner: spinning") == std::string::npos &&
                       !web->isLoading();
            },
            kDeadline);
        EXPECT_TRUE(settled) << screen->snapshot();
        return screen->snapshot();
    }

    std::size_t secureDetailsCalls() const {
        const auto requests = sandbox.requests();
        return std::ranges::count_if(requests, [](const auto& request) {
            return request.path.ends_with("/secure-details");
        });
    }

    const std::shared_ptr<testing::FakeDeviceFingerprintProvider> fingerprint =
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-secure");
    const std::shared_ptr<CardRepository> service = serviceOver(configuredManager("user-token-1"));
    const std::string cardID = inTask([this] {
        return service->create({"Corvend-Virtual", "EUR", std::nullopt, std::nullopt}).cardID();
    });
};

TEST_F(CardSecureDetailsScreenTest,
       ShowsThePageOnlyOnceItsViewLoadsAndSendsTheLanguageOnlyWhenGiven) {
    for (const auto& language : {std::optional<std::string>(), std::optional<std::string>("de")}) {
        sandbox.clearRequests();
        const auto screen = service->getSecureDetailsViewController(
            model::CardSecureDetailsRequest(cardID, language));
        platform::MainQueue::shared().drain();
        EXPECT_TRUE(sandbox.requests().empty()) << "sent before the view loaded";

        const auto snapshot = shown(screen);
        EXPECT_THAT(snapshot, HasSubstr("web page: " + sandbox.baseURL() +
                                        "sandbox/secure-details/" + cardID + " (200)"));
        const auto body = boost::json::parse(sandbox.requests().front().body).as_object();
        boost::json::object expected{
            {"flow", "SHOW_DETAILS"},
            {"deviceInfo", {{"threatMetrixSessionId", "fp-secure"}, {"appType", "MOBILE_APP"}}}};
        if (language) expected["language"] = *language;
        EXPECT_EQ(body, expected);
    }
}

struct FailureCase {
    const char* name;
    std::optional<sandbox::ScriptedReply> reply{};  // for the secure-details call
    std::string card = "";                          // else the issued card
    bool fingerprintFails = false;
    bool sent = true;
};

TEST_F(CardSecureDetailsScreenTest, EveryFailureShowsTheFailureImageAndLoadsNothing) {
    const FailureCase cases[] = {
        {.name = "server error", .reply = sandbox::ScriptedReply{.status = 500}},
        {.name = "another flow",
         .reply =
             sandbox::ScriptedReply{
                 .body = R"({"cardId":"c","flow":"SHOW_PIN","redirectUrl":"http://127.0.0.1/x"})"}},
        {.name = "empty address",
         .reply =
             sandbox::ScriptedReply{
                 .body = R"({"cardId":"c","flow":"SHOW_DETAILS","redirectUrl":""})"}},
        {.name = "relative address",
         .reply =
             sandbox::ScriptedReply{
                 .body = R"({"cardId":"c","flow":"SHOW_DETAILS","redirectUrl":"details/page"})"}},
        {.name = "unknown card", .card = "card-none"},
        {.name = "dot-dot card", .card = "..", .sent = false},
        {.name = "no fingerprint", .fingerprintFails = true, .sent = false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sandbox.clearRequests();
        const auto card = c.card.empty() ? cardID : c.card;
        if (c.reply)
            sandbox.scriptNextReply("POST", kCardsPath + card + "/secure-details", *c.reply);
        fingerprint->fail = c.fingerprintFails;
        const auto snapshot =
            shown(service->getSecureDetailsViewController(model::CardSecureDetailsRequest(card)));
        // The failure image alone: no spinner, no page.
        EXPECT_EQ(snapshot, "image: icloud.slash");
        EXPECT_EQ(secureDetailsCalls(), c.sent ? 1u : 0u);
        EXPECT_EQ(sandbox.requests().size(), secureDetailsCalls()) << "a page was loaded";
    }
}

TEST_F(CardSecureDetailsScreenTest, BeforeTheSetUpTheScreenIsBuiltAndShowsItsFailure) {
    const auto unconfigured = serviceOver(makeManager());
    const auto snapshot = shown(
        unconfigured->getSecureDetailsViewController(model::CardSecureDetailsRequest(cardID)));
    EXPECT_EQ(snapshot, "image: icloud.slash");
    EXPECT_EQ(secureDetailsCalls(), 0u);
}

TEST_F(CardSecureDetailsScreenTest, ReleasingTheScreenCancelsItsFetchAndLoadsNothing) {
    sandbox.clearRequests();
    sandbox.scriptNextReply("POST", kCardsPath + cardID + "/secure-details", {.hold = true});
    auto screen = service->getSecureDetailsViewController(model::CardSecureDetailsRequest(cardID));
    const auto web = std::dynamic_pointer_cast<CardSecureDetailsViewController>(screen)->webView();
    screen->view();
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));
    const std::weak_ptr<platform::ui::ViewController> gone = screen;
    screen.reset();
    EXPECT_TRUE(gone.expired()) << "the running fetch keeps the screen";
    sandbox.releaseHeld();

    // A second screen runs to its page; the first one's fetch never reaches its web view.
    shown(service->getSecureDetailsViewController(model::CardSecureDetailsRequest(cardID)));
    EXPECT_FALSE(web->page().has_value());
    EXPECT_FALSE(web->isLoading());
}

// What the interactor tells its screen.
struct RecordingOutput : CardSecureDetailsInteractorOutput {
    void showSecureDetails(const platform::URL& url) override { shown.push_back(url); }
    void showFailure() override { ++failures; }
    std::vector<platform::URL> shown;
    int failures = 0;
};

TEST_F(CardSecureDetailsScreenTest, ANewerLoadCancelsTheRunningOneAndOnlyItChangesTheScreen) {
    sandbox.clearRequests();
    sandbox.scriptNextReply("POST", kCardsPath + cardID + "/secure-details", {.hold = true});
    const auto interactor = std::make_shared<CardSecureDetailsInteractor>(
        model::CardSecureDetailsRequest(cardID), configuredManager("user-token-1"), fingerprint);
    const auto output = std::make_shared<RecordingOutput>();
    interactor->setOutput(output);
    interactor->loadSecureDetails();
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));
    interactor->loadSecureDetails();  // the held one is cancelled first
    ASSERT_TRUE(platform::MainQueue::shared().runUntil(
        [&] { return !output->shown.empty() || output->failures > 0; }, kDeadline));
    sandbox.releaseHeld();
    platform::MainQueue::shared().drain();
    EXPECT_EQ(output->shown.size(), 1u);
    EXPECT_EQ(output->failures, 0);
}

}  // namespace
}  // namespace corvend::integration
