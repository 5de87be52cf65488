#pragma once

#include <memory>

#include "CorvendCoreComponents/Label.hpp"
#include "platform/ui/StackView.hpp"
#include "platform/ui/View.hpp"

namespace corvend {

// One line of the deposit summary: a label on the left and a right-aligned value, of equal
// widths, both wrapping onto further lines. Main thread.
class DetailsListItemView : public platform::ui::View {
  public:
    explicit DetailsListItemView(platform::ui::Rect frame = {});

    const std::shared_ptr<components::Label>& leftLabel() const { return leftLabel_; }
    const std::shared_ptr<components::Label>& rightLabel() const { return rightLabel_; }
    const std::shared_ptr<platform::ui::StackView>& hStack() const { return hStack_; }

  private:
    std::shared_ptr<components::Label> leftLabel_;
    std::shared_ptr<components::Label> rightLabel_;
    std::shared_ptr<platform::ui::StackView> hStack_;
};

}  // namespace corvend
