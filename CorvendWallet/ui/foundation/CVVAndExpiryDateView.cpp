#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"

#include <vector>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

using platform::ui::ControlEvent;
using platform::ui::LayoutAttribute;
using platform::ui::TextField;

// The fields' delegate and the target of their actions. Owned by the view alone, so the fields
// and the button, which hold it weakly, reach the view only while it exists.
class CVVAndExpiryDateView::FieldDelegate : public platform::ui::TextFieldDelegate {
  public:
    explicit FieldDelegate(CVVAndExpiryDateView& view) : view_(view) {}

    bool shouldChangeCharactersIn(TextField& field, platform::ui::TextRange range,
                                  const std::string& replacement) override {
        if (&field == view_.cvvView_.get()) {
            return acceptsCvvInput(field, range, replacement, view_.cvvLength);
        }
        if (&field == view_.expiryDateView_.get()) {
            return applyExpiryDateInput(field, range, replacement);
        }
        return true;
    }

    void didEndEditing(TextField& field) override {
        if (const auto delegate = view_.delegate.lock()) {
            delegate->cvvAndExpiryDateViewTextFieldDidEndEditing(view_, field);
        }
    }

    CVVAndExpiryDateView& view() const { return view_; }

  private:
    CVVAndExpiryDateView& view_;
};

namespace {

std::shared_ptr<components::TextField> makeField(
    const std::shared_ptr<platform::ui::TextFieldDelegate>& delegate) {
    auto field = std::make_shared<components::TextField>();
    field->setDelegate(delegate);
    field->setTranslatesAutoresizingMaskIntoConstraints(false);
    return field;
}

}  // namespace

CVVAndExpiryDateView::CVVAndExpiryDateView(platform::ui::Rect frame)
    : fieldDelegate_(std::make_shared<FieldDelegate>(*this)),
      cvvView_(makeField(fieldDelegate_)),
      expiryDateView_(makeField(fieldDelegate_)),
      helpButton_(std::make_shared<platform::ui::Button>()) {
    setFrame(frame);
    addSubview(cvvView_);
    addSubview(expiryDateView_);
    setBackgroundColor(components::BaseTheme::background());

    const std::weak_ptr<FieldDelegate> target = fieldDelegate_;
    for (const auto& field : {expiryDateView_, cvvView_}) {
        field->addTarget(ControlEvent::editingChanged, [target](platform::ui::Control& sender) {
            if (const auto self = target.lock()) {
                self->view().textFieldTextDidChange(static_cast<TextField&>(sender));
            }
        });
        field->setAccessibilityElement(true);
    }
    setUpAsExpiryDateField(*expiryDateView_);
    setUpAsCvvField(*cvvView_, cvvLength);

    const platform::ui::ImagePtr image =
        Appearance::appliedImages().iconHelp().image()->withRenderingMode(
            platform::ui::ImageRenderingMode::alwaysTemplate);
    helpButton_->setFrame({0, 0, image->size()});
    helpButton_->setImage(image);
    helpButton_->setTintColor(
        components::Theme::defaultTheme()->colorPalette().labelColor.secondary.onSurface);
    helpButton_->addTarget(ControlEvent::touchUpInside, [target](platform::ui::Control&) {
        const auto self = target.lock();
        if (!self) return;
        if (const auto delegate = self->view().delegate.lock()) {
            delegate->cvvAndExpiryDateViewDidTapCVVHint();
        }
    });
    cvvView_->setTrailingView(helpButton_);

    auto anchor = [](const platform::ui::ViewPtr& view, LayoutAttribute attribute) {
        return view->anchor(attribute);
    };
    const platform::ui::ViewPtr expiry = expiryDateView_;
    const platform::ui::ViewPtr cvv = cvvView_;
    const platform::ui::LayoutAnchor leading = this->anchor(LayoutAttribute::leading);
    const platform::ui::LayoutAnchor trailing = this->anchor(LayoutAttribute::trailing);
    const platform::ui::LayoutAnchor top = this->anchor(LayoutAttribute::top);
    const platform::ui::LayoutAnchor bottom = this->anchor(LayoutAttribute::bottom);
    platform::ui::LayoutConstraint::activate({
        anchor(expiry, LayoutAttribute::leading).constraint(leading),
        anchor(expiry, LayoutAttribute::top).constraint(top),
        anchor(expiry, LayoutAttribute::bottom).constraint(bottom),
        anchor(expiry, LayoutAttribute::trailing)
            .constraint(anchor(cvv, LayoutAttribute::leading), -components::Spacing::regular),
        anchor(cvv, LayoutAttribute::top).constraint(top),
        anchor(cvv, LayoutAttribute::bottom).constraint(bottom),
        anchor(cvv, LayoutAttribute::trailing).constraint(trailing),
        anchor(cvv, LayoutAttribute::width).constraint(anchor(expiry, LayoutAttribute::width)),
    });
}

CVVAndExpiryDateView::~CVVAndExpiryDateView() = default;

void CVVAndExpiryDateView::textFieldTextDidChange(TextField& field) {
    if (const auto owner = delegate.lock()) {
        owner->cvvAndExpiryDateViewTextFieldTextDidChange(*this, field);
    }
}

void setUpAsExpiryDateField(components::TextField& field) {
    field.setKeyboardType(platform::ui::KeyboardType::numberPad);
    field.setPlaceholderText(hostLocalized(localizedFormatted("Expiry date")));
    field.setHelperText(localizedFormatted("expiry_date_helper"));
}

void setUpAsCvvField(components::TextField& field, int length) {
    field.setKeyboardType(platform::ui::KeyboardType::numberPad);
    field.setPlaceholderText(hostLocalized(localizedFormatted("CVV")));
    field.setHelperText(cvvHelperText(length));
}

std::string cvvHelperText(int length) {
    return std::to_string(length) + " " +
           hostLocalized(localizedFormatted("add_amount_cvv_validation_label"));
}

}  // namespace corvend
