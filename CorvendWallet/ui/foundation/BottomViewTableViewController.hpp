#pragma once

#include <memory>
#include <type_traits>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "platform/ui/LayoutConstraint.hpp"
#include "platform/ui/StackView.hpp"
#include "platform/ui/TableView.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// The base of the table screens: a table filling the screen over a bottom area holding one view
// of type `BottomView`, inset 16 points at its sides and bottom, the whole clear of the
// safe-area bottom. The table, the container and the stack are made on first use (a subclass
// may register cells before the view loads) and kept.
template <class BottomView>
requires std::is_base_of_v<platform::ui::View, BottomView>
class BottomViewTableViewController : public platform::ui::ViewController {
  public:
    explicit BottomViewTableViewController(std::shared_ptr<BottomView> bottomView)
        : bottomView_(std::move(bottomView)) {}

    const std::shared_ptr<platform::ui::TableView>& tableView() {
        if (!tableView_) {
            tableView_ = std::make_shared<platform::ui::TableView>();
            tableView_->setSeparatorStyle(platform::ui::TableView::SeparatorStyle::none);
            tableView_->setBackgroundColor(components::BaseTheme::background());
            tableView_->setTranslatesAutoresizingMaskIntoConstraints(false);
        }
        return tableView_;
    }

    const platform::ui::ViewPtr& bottomViewContainer() {
        if (!bottomViewContainer_) bottomViewContainer_ = components::Views::container(bottomView_);
        return bottomViewContainer_;
    }

    const std::shared_ptr<BottomView>& bottomView() const { return bottomView_; }

    const std::shared_ptr<platform::ui::StackView>& stackView() {
        if (!stackView_)
            stackView_ = components::Views::vStack({tableView(), bottomViewContainer()});
        return stackView_;
    }

    bool isBottomViewHidden() { return bottomViewContainer()->isHidden(); }
    void setBottomViewHidden(bool hidden) { bottomViewContainer()->setHidden(hidden); }

  protected:
    void loadView() override {
        platform::ui::ViewController::loadView();
        const platform::ui::ViewPtr root = view();
        root->addSubview(stackView());
        root->setBackgroundColor(components::BaseTheme::background());
        setupLayout();
    }

    virtual void setupLayout() {
        using components::Spacing;
        using platform::ui::LayoutAttribute;
        const platform::ui::ViewPtr root = view();
        const platform::ui::ViewPtr& container = bottomViewContainer();
        auto pin = [](const platform::ui::ViewPtr& view, const platform::ui::ViewPtr& to,
                      LayoutAttribute attribute, double constant = 0) {
            return view->anchor(attribute).constraint(to->anchor(attribute), constant);
        };
        platform::ui::LayoutConstraint::activate({
            pin(stackView(), root, LayoutAttribute::leading),
            pin(stackView(), root, LayoutAttribute::trailing),
            pin(stackView(), root, LayoutAttribute::top),
            stackView()
                ->anchor(LayoutAttribute::bottom)
                .constraint(root->safeAreaAnchor(LayoutAttribute::bottom)),
            pin(bottomView_, container, LayoutAttribute::top),
            pin(bottomView_, container, LayoutAttribute::leading, Spacing::regular),
            pin(bottomView_, container, LayoutAttribute::trailing, -Spacing::regular),
            pin(bottomView_, container, LayoutAttribute::bottom, -Spacing::regular),
        });
        updateContentInset();
    }

    // A visible bottom area pulls the table's bottom inset 16 points in (a negative inset).
    virtual void updateContentInset() {
        platform::ui::EdgeInsets inset = tableView()->contentInset();
        inset.bottom = bottomViewContainer()->isHidden() ? 0 : -components::Spacing::regular;
        tableView()->setContentInset(inset);
    }

  private:
    std::shared_ptr<platform::ui::TableView> tableView_;
    platform::ui::ViewPtr bottomViewContainer_;
    std::shared_ptr<BottomView> bottomView_;
    std::shared_ptr<platform::ui::StackView> stackView_;
};

}  // namespace corvend
