#include "CorvendCoreComponents/BottomSheetLabeling.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/Appearance.hpp"
#include "CorvendCoreComponents/CheckboxLabelView.hpp"
#include "CorvendCoreComponents/ThemedNavigationBar.hpp"
#include "CorvendCoreComponents/Themer.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::components {
namespace {

using platform::ui::ViewController;

class SheetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::MainQueue::shared().drain();
        testing::configureTheme();
    }
    static void settle() { platform::MainQueue::shared().drain(); }
};

TEST_F(SheetsTest, CheckboxReportsTogglesAndLinksFoundInTheText) {
    const auto view = std::make_shared<CheckboxLabelView>();
    std::vector<bool> toggles;
    std::vector<std::string> links;
    view->checkboxSelectionAction = [&](bool on) { toggles.push_back(on); };
    view->tapHandler = [&](const std::string& link) { links.push_back(link); };
    // Each link is searched after the one before it.
    view->update(LinksLabel::Model(
        "Read more, then learn more.", {{"more", "first"}, {"absent", "x"}, {"more", "second"}},
        LinksLabel::Model::Style::primary, LinksLabel::Model::TextStyle::text2));
    view->setSelected(true);  // set by the owner: no report
    EXPECT_TRUE(view->checkbox()->tap());
    EXPECT_TRUE(view->checkbox()->tap());
    EXPECT_EQ(toggles, (std::vector<bool>{false, true}));
    EXPECT_TRUE(view->label()->tapLink("more"));
    EXPECT_FALSE(view->label()->tapLink("then"));
    EXPECT_EQ(links, std::vector<std::string>{"first"});
    const auto& runs = view->label()->attributedText()->runs();
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[2].text, ", then learn ");
    EXPECT_EQ(runs[3].attributes.link, "second");
    EXPECT_EQ(view->snapshotLines(),
              (std::vector<std::string>{"checkbox: [x]", "Read more, then learn more."}));
}

TEST_F(SheetsTest, TextSheetShowsItsTitleAndRunsItsActionOnceWhenClosed) {
    const BottomSheetLabeling labeling(BottomSheeting::live());
    int actions = 0;
    auto sheet = labeling.makeWithNavigation(
        LinksLabel::Model(platform::ui::AttributedString("Three digits on the back."), {}),
        "Security code", nullptr, [&] { ++actions; });
    const auto host = std::make_shared<ViewController>();
    host->present(sheet, false);
    settle();
    EXPECT_EQ(host->snapshot(),
              "presented:\ntitle: Security code\nright bar button: [xmark]\n"
              "Three digits on the back.");
    const auto close = sheet->topViewController()->navigationItem().rightBarButtonItem;
    sheet.reset();
    EXPECT_TRUE(close->tap());
    EXPECT_TRUE(close->tap());  // the sheet is going: nothing more happens
    settle();
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(host->presentedViewController(), nullptr);
}

TEST_F(SheetsTest, ThemedBarButtonAppearanceStaysInsideThemedBars) {
    Appearance::setNavigationBarButtonAppearance(false);
    const auto navigation = Themer::newNavigationController(std::make_shared<ViewController>());
    const std::type_index bar = typeid(*navigation->navigationBar());
    EXPECT_EQ(bar, std::type_index(typeid(ThemedNavigationBar)));
    const platform::ui::BarButtonItem item("Done", platform::ui::BarButtonItem::Style::plain, {});
    const auto onBase = Theme::defaultTheme()->colorPalette().labelColor.primary.onBase;
    EXPECT_EQ(item.tintColor(bar), onBase);
    EXPECT_NE(item.tintColor(), onBase);
    const auto font = item.titleFont(platform::ui::ControlState::highlighted, bar);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->scalingStyle, platform::ui::DynamicTextStyle::body);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(Themer::newNavigationController(nullptr)->viewControllers().size(), 0u);
}

}  // namespace
}  // namespace corvend::components
