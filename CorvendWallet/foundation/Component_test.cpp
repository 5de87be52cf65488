#include "CorvendWallet/foundation/Component.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CorvendWallet/foundation/Builder.hpp"
#include "CorvendWallet/foundation/EmptyComponent.hpp"

namespace corvend {
namespace {

class FlowDependency : public virtual Dependency {};
class FlowComponent final : public Component<EmptyDependency>, public FlowDependency {
  public:
    using Component::Component;
};
class ScreenBuilder final : public Builder<FlowDependency> {
  public:
    using Builder::Builder;
};

TEST(ComponentTest, SharesOneObjectPerNameWithTheBuildersItServes) {
    const auto parent = std::make_shared<EmptyComponent>();
    const auto component = std::make_shared<FlowComponent>(parent);
    EXPECT_EQ(component->dependency(), parent);

    int made = 0;
    const auto make = [&] {
        return std::make_shared<std::string>("made " + std::to_string(++made));
    };
    const auto first = component->shared<std::string>("cart", make);
    EXPECT_EQ(component->shared<std::string>("cart", make), first);
    EXPECT_EQ(*component->shared<std::string>("other", make), "made 2");
    EXPECT_THROW(component->shared<int>("cart", [] { return std::make_shared<int>(1); }),
                 std::bad_any_cast);

    const ScreenBuilder builder(component);
    EXPECT_EQ(builder.dependency(), component);
}

}  // namespace
}  // namespace corvend
