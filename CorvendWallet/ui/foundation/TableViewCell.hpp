#pragma once

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/ViewWithPreferredMaxLayoutWidth.hpp"
#include "platform/ui/LayoutConstraint.hpp"
#include "platform/ui/TableViewCell.hpp"

namespace corvend {

// The one table cell of the screens: hosts one view of type `HostedView`, pinned into the
// content view with `insets`, over a one-point separator along the bottom edge.
//
//   table->registerCell<TableViewCell<CardNumberInputView>>(
//       TableViewCell<CardNumberInputView>::cellReuseIdentifier());
template <class HostedView>
requires std::is_base_of_v<platform::ui::View, HostedView>
class TableViewCell : public platform::ui::TableViewCell {
  public:
    explicit TableViewCell(std::string reuseIdentifier = cellReuseIdentifier())
        : platform::ui::TableViewCell(std::move(reuseIdentifier)),
          view_(std::make_shared<HostedView>()),
          separatorView_(std::make_shared<platform::ui::View>()),
          separatorColor_(components::BaseTheme::divider()) {
        separatorView_->setBackgroundColor(separatorColor_);
        setupLayout();
    }

    // The cell type's own name, so each hosted view type has its own identifier.
    static const std::string& cellReuseIdentifier() {
        static const std::string identifier = [] {
            int status = 0;
            char* name =
                abi::__cxa_demangle(typeid(TableViewCell).name(), nullptr, nullptr, &status);
            std::string readable = status == 0 && name ? name : typeid(TableViewCell).name();
            std::free(name);
            return readable;
        }();
        return identifier;
    }

    const std::shared_ptr<HostedView>& view() const { return view_; }
    const platform::ui::ViewPtr& separatorView() const { return separatorView_; }
    const std::vector<platform::ui::LayoutConstraintPtr>& embeddedViewConstraints() const {
        return embeddedViewConstraints_;
    }

    platform::ui::EdgeInsets insets() const { return insets_; }
    // Embeds the view again when any inset changes.
    void setInsets(platform::ui::EdgeInsets insets) {
        if (insets == insets_) return;
        insets_ = insets;
        embed(insets_);
    }

    bool isSeparatorVisible() const { return separatorVisible_; }
    void setSeparatorVisible(bool visible) {
        separatorVisible_ = visible;
        separatorView_->setHidden(!visible);
    }

    const platform::ui::ColorPtr& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(platform::ui::ColorPtr color) { separatorColor_ = std::move(color); }

    virtual void setup() {
        updateSeparatorColor();
        setupLayout();
    }

    virtual void setupLayout() {
        setBackgroundColor(components::BaseTheme::background());
        embed({});
    }

    virtual void updateSeparatorColor() { separatorView_->setBackgroundColor(separatorColor_); }

    // A hosted view that wraps its text learns the width it gets first.
    platform::ui::Size systemLayoutSizeFitting(platform::ui::Size target, float horizontalPriority,
                                               float verticalPriority) override {
        if constexpr (std::is_base_of_v<components::ViewWithPreferredMaxLayoutWidth, HostedView>) {
            view_->setPreferredMaxLayoutWidth(target.width - insets_.left - insets_.right);
        }
        return platform::ui::TableViewCell::systemLayoutSizeFitting(target, horizontalPriority,
                                                                    verticalPriority);
    }

  private:
    // Replaces the constraints placing the view and the separator; the separator spans the
    // content view's full width whatever the insets.
    void embed(platform::ui::EdgeInsets insets) {
        using platform::ui::LayoutAttribute;
        const platform::ui::ViewPtr& content = contentView();
        for (const platform::ui::ViewPtr& view : {platform::ui::ViewPtr(view_), separatorView_}) {
            content->addSubview(view);
            view->setTranslatesAutoresizingMaskIntoConstraints(false);
        }
        platform::ui::LayoutConstraint::deactivate(embeddedViewConstraints_);
        auto pin = [&content](const platform::ui::ViewPtr& view, LayoutAttribute attribute,
                              double constant) {
            return view->anchor(attribute).constraint(content->anchor(attribute), constant);
        };
        embeddedViewConstraints_ = {
            pin(view_, LayoutAttribute::leading, insets.left),
            pin(view_, LayoutAttribute::top, insets.top),
            pin(view_, LayoutAttribute::trailing, -insets.right),
            pin(view_, LayoutAttribute::bottom, -insets.bottom),
            pin(separatorView_, LayoutAttribute::leading, 0),
            pin(separatorView_, LayoutAttribute::trailing, 0),
            pin(separatorView_, LayoutAttribute::bottom, 0),
            separatorView_->anchor(LayoutAttribute::height).constraint(1),
        };
        platform::ui::LayoutConstraint::activate(embeddedViewConstraints_);
    }

    std::shared_ptr<HostedView> view_;
    platform::ui::ViewPtr separatorView_;
    std::vector<platform::ui::LayoutConstraintPtr> embeddedViewConstraints_;
    platform::ui::EdgeInsets insets_;
    platform::ui::ColorPtr separatorColor_;
    bool separatorVisible_ = false;
};

}  // namespace corvend
