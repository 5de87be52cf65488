#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/AssociatedObjects.hpp"
#include "platform/ui/Color.hpp"
#include "platform/ui/Geometry.hpp"
#include "platform/ui/LayoutConstraint.hpp"
#include "platform/ui/Traits.hpp"
#include "platform/ui/ViewHandle.hpp"

namespace corvend::platform::ui {

class TapGestureRecognizer;
class View;
using ViewPtr = std::shared_ptr<View>;

enum class ContentMode { scaleToFill, scaleAspectFit, scaleAspectFill, center };
enum class LayoutAxis { horizontal, vertical };

// A rectangle of the screen with subviews and properties, used on the main thread. Nothing is
// drawn: what a person would see is read back as text with snapshot().
class View : public AssociatedObjects, public std::enable_shared_from_this<View> {
  public:
    View();
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // --- Hierarchy. A view has at most one superview, which it refers to weakly.
    const std::vector<ViewPtr>& subviews() const { return subviews_; }
    View* superview() const;
    // Adds `view` on top of the others, taking it from its old superview first.
    void addSubview(const ViewPtr& view);
    void removeFromSuperview();

    // --- Properties.
    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden) { hidden_ = hidden; }
    // Neither this view nor a superview is hidden.
    bool isVisible() const;
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    const ColorPtr& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(ColorPtr color) { backgroundColor_ = std::move(color); }
    // The own tint, else the nearest superview's.
    ColorPtr tintColor() const;
    void setTintColor(ColorPtr color) { tintColor_ = std::move(color); }
    ContentMode contentMode() const { return contentMode_; }
    void setContentMode(ContentMode mode) { contentMode_ = mode; }
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius) { cornerRadius_ = radius; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
    Rect frame() const { return frame_; }
    void setFrame(Rect frame) { frame_ = frame; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isAccessibilityElement() const { return accessibilityElement_; }
    void setAccessibilityElement(bool element) { accessibilityElement_ = element; }
    float contentHuggingPriority(LayoutAxis axis) const;
    void setContentHuggingPriority(float priority, LayoutAxis axis);

    // --- Traits: the own override, else the superview's.
    Traits traits() const;
    // Overrides the traits of this view and every subview without an override of its own,
    // telling each view whose traits change.
    void setOverrideTraits(std::optional<Traits> traits);
    // Called after the traits changed; `previous` is absent the first time.
    virtual void traitCollectionDidChange(std::optional<Traits> previous);

    // --- Layout, recorded and never solved.
    bool translatesAutoresizingMaskIntoConstraints() const { return autoresizing_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
        autoresizing_ = translates;
    }
    LayoutAnchor anchor(LayoutAttribute attribute) const;
    LayoutAnchor safeAreaAnchor(LayoutAttribute attribute) const;
    // The active constraints whose first item is this view, in activation order.
    const std::vector<LayoutConstraintPtr>& constraints() const { return constraints_; }
    // Asks for a new layout; counts the requests, as nothing is solved.
    void setNeedsLayout() { ++layoutRequests_; }
    int layoutRequests() const { return layoutRequests_; }
    // The size that fits `target`; without a solver the view takes the target itself.
    virtual Size systemLayoutSizeFitting(Size target, float horizontalPriority,
                                         float verticalPriority);

    // --- Editing and touches.
    virtual bool isFirstResponder() const { return false; }
    virtual bool resignFirstResponder() { return true; }
    // Makes the first responder among this view and its subviews resign; true when none is
    // left. Without `force` a responder may refuse.
    bool endEditing(bool force);
    void addGestureRecognizer(const std::shared_ptr<TapGestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<TapGestureRecognizer>>& gestureRecognizers() const {
        return gestureRecognizers_;
    }
    // A person's tap on this view: the tap recognisers of the view and its superviews fire
    // (innermost first); returns false when one of them keeps the touch from the view.
    virtual bool tap();

    // Lays out this view and its subviews where they wait for it (a table loads its rows).
    virtual void layoutIfNeeded();

    // --- Reading what is shown: lays out, then the lines of every visible view, top to bottom.
    std::vector<std::string> snapshotLines();
    void appendSnapshotTree(std::vector<std::string>& lines) const;

    // Used by LayoutConstraint: an active constraint is kept by its first view.
    void keepConstraint(const LayoutConstraintPtr& constraint, bool active);

  protected:
    // This view's own lines of a snapshot (its subviews add theirs after it).
    virtual void appendSnapshot(std::vector<std::string>& lines) const;
    // Called before `subview` leaves this view.
    virtual void willRemoveSubview(View& subview);

  private:
    void announceTraits();

    std::shared_ptr<ViewHandle> handle_;
    std::weak_ptr<const ViewHandle> superview_;
    std::vector<ViewPtr> subviews_;
    std::vector<LayoutConstraintPtr> constraints_;
    std::vector<std::shared_ptr<TapGestureRecognizer>> gestureRecognizers_;
    std::optional<Traits> overrideTraits_;
    std::optional<Traits> announcedTraits_;
    ColorPtr backgroundColor_;
    ColorPtr tintColor_;
    Rect frame_;
    ContentMode contentMode_ = ContentMode::scaleToFill;
    double cornerRadius_ = 0;
    float horizontalHugging_ = 250;
    float verticalHugging_ = 250;
    int tag_ = 0;
    int layoutRequests_ = 0;
    bool hidden_ = false;
    bool opaque_ = true;
    bool masksToBounds_ = false;
    bool autoresizing_ = true;
    bool accessibilityElement_ = false;
};

}  // namespace corvend::platform::ui
