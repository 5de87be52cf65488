#include "CorvendCoreComponents/Constraint.hpp"

#include <gtest/gtest.h>

#include "CorvendCoreComponents/ViewLayout.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "platform/async/MainQueue.hpp"

namespace corvend::components {
namespace {

using platform::ui::LayoutAttribute;
using platform::ui::View;

TEST(ConstraintTest, FillPinsTheFourEdgesInOrderWithSignedConstants) {
    platform::MainQueue::shared().drain();
    const auto outer = std::make_shared<View>();
    const auto inner = std::make_shared<View>();
    const auto fill = Constraint::Container::fill(*outer, *inner, 12, -12, 16, -16);
    const LayoutAttribute order[] = {LayoutAttribute::top, LayoutAttribute::bottom,
                                     LayoutAttribute::leading, LayoutAttribute::trailing};
    const double constants[] = {12, -12, 16, -16};
    ASSERT_EQ(fill.size(), 4u);
    for (std::size_t i = 0; i < fill.size(); ++i) {
        EXPECT_EQ(fill[i]->firstAnchor().view(), inner.get());
        EXPECT_EQ(fill[i]->firstAnchor().attribute(), order[i]);
        EXPECT_EQ(fill[i]->secondAnchor()->view(), outer.get());
        EXPECT_EQ(fill[i]->secondAnchor()->attribute(), order[i]);
        EXPECT_EQ(fill[i]->constant(), constants[i]);
        EXPECT_FALSE(fill[i]->isActive());
    }

    // A filling view takes positive insets and is pinned at once.
    setFillingView(*outer, inner, 1, 2, 3, 4);
    EXPECT_EQ(inner->superview(), outer.get());
    EXPECT_FALSE(inner->translatesAutoresizingMaskIntoConstraints());
    ASSERT_EQ(inner->constraints().size(), 4u);
    EXPECT_EQ(inner->constraints()[1]->constant(), -2);
    EXPECT_EQ(inner->constraints()[3]->constant(), -4);

    const auto image = Views::imageView(Views::ImageSize::square80);
    ASSERT_EQ(image->constraints().size(), 2u);
    EXPECT_EQ(image->constraints()[0]->constant(), 80);
    EXPECT_FALSE(image->constraints()[1]->secondAnchor());
}

}  // namespace
}  // namespace corvend::components
