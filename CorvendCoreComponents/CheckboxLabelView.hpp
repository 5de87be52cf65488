#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CorvendCoreComponents/CheckboxButton.hpp"
#include "CorvendCoreComponents/LinksLabel.hpp"
#include "platform/ui/StackView.hpp"

namespace corvend::components {

// A checkbox beside a text with links.
class CheckboxLabelView : public platform::ui::View {
    // Shared with the subviews' actions, which must not reach a view that is gone.
    struct Handlers {
        std::function<void(bool selected)> selection;
        std::function<void(const std::string& link)> link;
    };
    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();

  public:
    CheckboxLabelView();

    // Shows the model's text with its links.
    void update(LinksLabel::Model model);
    bool isSelected() const { return checkbox_->isChecked(); }
    // Sets the box without calling checkboxSelectionAction.
    void setSelected(bool selected) { checkbox_->setChecked(selected); }

    // Called with the new state when a person toggles the box.
    std::function<void(bool selected)>& checkboxSelectionAction = handlers_->selection;
    // Called with the link's value when a person taps a link of the text.
    std::function<void(const std::string& link)>& tapHandler = handlers_->link;

    const std::shared_ptr<CheckboxButton>& checkbox() const { return checkbox_; }
    const std::shared_ptr<LinksLabel>& label() const { return label_; }

  private:
    std::shared_ptr<CheckboxButton> checkbox_;
    std::shared_ptr<LinksLabel> label_;
};

}  // namespace corvend::components
