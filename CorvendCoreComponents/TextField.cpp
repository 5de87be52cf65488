#include "CorvendCoreComponents/TextField.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

TextField::TextField() : errorImage_(std::make_shared<platform::ui::ImageView>()) {
    errorImage_->setHidden(true);
    addSubview(errorImage_);
    applyStyle();
}

void TextField::setPlaceholderText(std::optional<std::string> text) {
    setPlaceholder(std::move(text));
}

void TextField::setHelperText(std::optional<std::string> text) {
    helperText_ = std::move(text);
}

void TextField::setErrorText(std::optional<std::string> text) {
    errorText_ = std::move(text);
}

void TextField::setHasError(bool hasError) {
    hasError_ = hasError;
    errorText_ = hasError ? std::optional<std::string>("") : std::nullopt;
    applyStyle();
    setNeedsLayout();
}

void TextField::setTextFieldStyle(TextFieldStyle style) {
    style_ = style;
    setEnabled(style != TextFieldStyle::disabled);
    applyStyle();
}

void TextField::setLeadingView(platform::ui::ViewPtr view) {
    setLeftView(std::move(view));
    setNeedsLayout();
}

void TextField::setTrailingView(platform::ui::ViewPtr view) {
    setRightView(std::move(view));
    setNeedsLayout();
}

void TextField::applyStyle() {
    const auto theme = Theme::defaultTheme();
    const auto& palette = theme->colorPalette();
    setFont(theme->fontDescriptionsProvider().scaledFont(DreloFontTextStyle::text1));
    setTextColor(style_ == TextFieldStyle::enabled ? palette.labelColor.primary.onSurface
                                                   : palette.labelColor.tertiary.onSurface);
    setBackgroundColor(style_ == TextFieldStyle::enabled ? palette.background.surface
                                                         : palette.background.inactiveSurface);
    setCornerRadius(theme->cornerRadiusProvider().small());
    // The error image is resolved when shown, from the theme in force then.
    errorImage_->setHidden(!hasError_);
    errorImage_->setImage(hasError_ ? theme->assets().uiErrorTriangle.image() : nullptr);
    errorImage_->setTintColor(palette.specialForeground.negative);
}

bool TextField::shouldChangeCharacters(platform::ui::TextRange range,
                                       const std::string& replacement) {
    return style_ != TextFieldStyle::readOnly &&
           platform::ui::TextField::shouldChangeCharacters(range, replacement);
}

void TextField::appendSnapshot(std::vector<std::string>& lines) const {
    platform::ui::TextField::appendSnapshot(lines);
    if (hasError_)
        lines.push_back(errorText_ && !errorText_->empty() ? "error: " + *errorText_ : "error");
    else if (helperText_ && !helperText_->empty())
        lines.push_back("helper: " + *helperText_);
}

}  // namespace corvend::components
