#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/Locale.hpp"

namespace corvend {
namespace {

using platform::Bundle;
using platform::Locale;

class LocalizedStringsTest : public ::testing::Test {
  protected:
    void SetUp() override { Locale::setCurrent(Locale("de_DE")); }
    void TearDown() override { Locale::setCurrent(saved_); }

    static std::shared_ptr<Bundle> kitWith(bool english) {
        auto bundle = std::make_shared<Bundle>("kit");
        bundle->addStrings("de", "Localizable",
                           {{"both", "Beide"},
                            {"sentinel", std::string(LocalizedStrings::kSentinel)},
                            {"de_only", "Nur DE"}});
        if (english) {
            bundle->addStrings("en", "Localizable",
                               {{"both", "Both"}, {"sentinel", "Sentinel"}, {"en_only", "EN"}});
        }
        return bundle;
    }

    std::shared_ptr<Bundle> host_ = std::make_shared<Bundle>("host");

  private:
    Locale saved_ = Locale::current();
};

TEST_F(LocalizedStringsTest, FallsBackFromTheCurrentLocalisationToEnglishToTheKey) {
    const LocalizedStrings strings(kitWith(true), host_);
    EXPECT_EQ(strings.localized("both", "Localizable"), "Beide");
    EXPECT_EQ(strings.localized("en_only", "Localizable"), "EN");
    EXPECT_EQ(strings.localized("sentinel", "Localizable"), "Sentinel");
    EXPECT_EQ(strings.localized("nowhere", "Localizable"), "nowhere");

    Locale::setCurrent(Locale("fr_FR"));
    const LocalizedStrings withoutEnglish(kitWith(false), host_);
    EXPECT_EQ(withoutEnglish.localized("de_only", "Localizable"), "de_only");
}

TEST_F(LocalizedStringsTest, OpensTheEnglishTextsOnce) {
    const auto kit = kitWith(false);
    const LocalizedStrings strings(kit, host_);
    EXPECT_EQ(strings.localized("nowhere", "Localizable"), "nowhere");
    kit->addStrings("en", "Localizable", {{"nowhere", "Found"}});
    EXPECT_EQ(strings.localized("nowhere", "Localizable"), "nowhere");
    EXPECT_EQ(LocalizedStrings(kit, host_).localized("nowhere", "Localizable"), "Found");
}

TEST_F(LocalizedStringsTest, FormatsWithTheCurrentLocaleAndLetsTheHostReplaceFinishedTexts) {
    const auto kit = kitWith(true);
    kit->addStrings("de", "Localizable", {{"pay", "Mit %@ zahlen (100%%, %.1f)"}});
    const LocalizedStrings strings(kit, host_);
    const platform::FormatArgument arguments[] = {std::string("Karte"), 0.5};
    EXPECT_EQ(strings.localizedFormatted("pay", arguments), "Mit Karte zahlen (100%, 0,5)");

    host_->addStrings("", "Localizable", {{"Beide", "Host"}});
    EXPECT_EQ(strings.hostLocalized(strings.localized("both", "Localizable")), "Host");
    EXPECT_EQ(strings.hostLocalized("Nur DE"), "Nur DE");
}

TEST_F(LocalizedStringsTest, AKeptTextStaysAsItsFirstLookupGaveIt) {
    const auto kit = kitWith(true);
    const LocalizedStrings strings(kit, host_);
    EXPECT_EQ(strings.keptFormatted("both"), "Beide");
    kit->addStrings("de", "Localizable", {{"both", "Alle beide"}});
    Locale::setCurrent(Locale("en_US"));
    EXPECT_EQ(strings.localizedFormatted("both", {}), "Both");
    EXPECT_EQ(strings.keptFormatted("both"), "Beide");
    EXPECT_EQ(strings.keptFormatted("en_only"), "EN");
}

TEST_F(LocalizedStringsTest, TheKitsOwnTableHasEnglishTextsForItsKeys) {
    const platform::FormatArgument card[] = {std::string("Visa 4242")};
    const auto paid = localizedFormatted("pay_with_instrument", card);
    EXPECT_NE(paid.find("Visa 4242"), std::string::npos);
    EXPECT_EQ(paid.find('%'), std::string::npos);
    EXPECT_NE(localized("continue_button"), "continue_button");
    EXPECT_NE(localized("Accepted Cards"), "");
}

}  // namespace
}  // namespace corvend
