// The headless implementation of the Control base, shared by every kind of control:
// HeadlessControl<Label> is a Label whose common part keeps its state in memory.
#pragma once

#include "toolkit/headless/HeadlessNode.h"

namespace kestrune::toolkit::headless {

template <class Interface>
class HeadlessControl : public Interface, public HeadlessNode {
public:
    HeadlessControl(HeadlessNode* parent, const Size& defaultSize)
        : HeadlessNode(parent, defaultSize) {}

    Control& Self() override { return *this; }
    const Control& Self() const override { return *this; }

    Control* Parent() const override {
        return ParentNode() != nullptr ? &ParentNode()->Self() : nullptr;
    }
    Rect Bounds() const override { return bounds_; }
    void SetBounds(const Rect& bounds) override { ApplyBounds(bounds); }
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    Font GetFont() const override { return font_; }
    void SetFont(const Font& font) override { font_ = font; }
    Colour BackgroundColour() const override { return background_; }
    void SetBackgroundColour(const Colour& colour) override { background_ = colour; }
    Dock Docking() const override { return dock_; }
    void SetDocking(Dock dock) override {
        dock_ = dock;
        if (ParentNode() != nullptr) {
            ApplyBounds(bounds_);
        }
    }
    void SetFocus() override { TakeFocus(); }
    void BringToFront() override { RaiseAboveSiblings(); }
};

}  // namespace kestrune::toolkit::headless
