#include "platform/foundation/Bundle.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/foundation/Locale.hpp"

namespace corvend::platform {
namespace {

class BundleTest : public ::testing::Test {
  protected:
    void TearDown() override { Locale::setCurrent(saved_); }

    std::shared_ptr<Bundle> bundle_ = Bundle::make(
        "test", std::array<Bundle::File, 4>{{
                    {"en.lproj/Localizable.strings", R"("greeting" = "Hello"; "only_en" = "E";)"},
                    {"de.lproj/Localizable.strings", R"("greeting" = "Hallo";)"},
                    {"Localizable.strings", R"("root_only" = "R";)"},
                    {"Images/logo.svg", "<svg/>"},
                }});

  private:
    Locale saved_ = Locale::current();
};

TEST_F(BundleTest, PicksTheLocalisationOfTheCurrentLocaleElseTheDevelopmentOne) {
    const std::pair<const char*, const char*> rows[] = {
        {"de_DE", "de"}, {"de", "de"}, {"fr_FR", "en"}, {"en_GB", "en"}};
    for (const auto& [locale, expected] : rows) {
        Locale::setCurrent(Locale(locale));
        EXPECT_EQ(bundle_->preferredLocalization(), expected) << locale;
    }
    EXPECT_EQ(bundle_->localizations(), (std::vector<std::string>{"de", "en"}));

    Locale::setCurrent(Locale("fr_FR"));
    const auto withoutEnglish = Bundle::make("x", std::array<Bundle::File, 1>{{
                                                      {"de.lproj/T.strings", R"("k" = "v";)"},
                                                  }});
    EXPECT_EQ(withoutEnglish->preferredLocalization(), std::nullopt);
    EXPECT_EQ(withoutEnglish->localizedString("k", "", "T"), "k");
}

TEST_F(BundleTest, LooksUpThePreferredTableThenTheRootThenFallsBack) {
    Locale::setCurrent(Locale("de_DE"));
    EXPECT_EQ(bundle_->localizedString("greeting"), "Hallo");
    EXPECT_EQ(bundle_->localizedString("root_only"), "R");
    EXPECT_EQ(bundle_->localizedString("only_en", "default"), "default");
    EXPECT_EQ(bundle_->localizedString("only_en"), "only_en");
    EXPECT_EQ(bundle_->localizedString("greeting", "", "Other"), "greeting");
}

TEST_F(BundleTest, OpensAFolderAsItIsNow) {
    EXPECT_EQ(bundle_->pathForResource("en", "lproj"), "en.lproj");
    EXPECT_EQ(bundle_->pathForResource("fr", "lproj"), std::nullopt);
    EXPECT_EQ(bundle_->open("fr.lproj"), nullptr);

    const auto english = bundle_->open("en.lproj");
    ASSERT_NE(english, nullptr);
    bundle_->addStrings("en", "Localizable", {{"later", "L"}});
    EXPECT_EQ(english->localizedString("greeting"), "Hello");
    EXPECT_EQ(english->localizedString("later"), "later");
    EXPECT_EQ(bundle_->open("en.lproj")->localizedString("later"), "L");
}

TEST_F(BundleTest, HoldsImagesByNameAndTheHostRegistersIntoMain) {
    EXPECT_EQ(bundle_->imageData("logo"), "<svg/>");
    EXPECT_EQ(bundle_->imageData("Images/logo"), std::nullopt);

    Bundle::main()->addStrings("", "Localizable", {{"Kit text", "Host text"}});
    Bundle::main()->addImage("host_logo", "png");
    EXPECT_EQ(Bundle::main()->localizedString("Kit text"), "Host text");
    EXPECT_EQ(Bundle::main()->imageData("host_logo"), "png");
}

TEST(StringsTableTest, ReadsEntriesCommentsAndEscapesAndStopsAtTheFirstFault) {
    const auto table = parseStringsTable(
        "/* a comment */ \"a\" = \"1\";\n// line comment\n\"b \\\"q\\\"\" = \"x\\ny\\\\\";\n"
        "\"c\" = \"3\"  \"d\" = \"4\";");
    EXPECT_EQ(table, (Bundle::StringTable{{"a", "1"}, {"b \"q\"", "x\ny\\"}}));
    EXPECT_TRUE(parseStringsTable("\"a\" = \"unclosed;").empty());
    EXPECT_TRUE(parseStringsTable("/* unclosed \"a\" = \"1\";").empty());
}

}  // namespace
}  // namespace corvend::platform
