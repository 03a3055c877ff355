// The Control interface implemented once over a Node: ControlBase<Label> is a Label whose
// common part keeps its state in the node and lets the back end draw it.
#pragma once

#include "toolkit/base/Node.h"

namespace kestrune::toolkit::base {

template <class Interface>
class ControlBase : public Interface, public Node {
public:
    ControlBase(Node* parent, const Size& defaultSize) : Node(parent, defaultSize) {}

    Control& Self() override { return *this; }
    const Control& Self() const override { return *this; }

    Control* Parent() const override {
        return ParentNode() != nullptr ? &ParentNode()->Self() : nullptr;
    }
    Rect Bounds() const override { return bounds_; }
    void SetBounds(const Rect& bounds) override { ApplyBounds(bounds); }
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override {
        enabled_ = enabled;
        ShowEnabled();
    }
    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override {
        visible_ = visible;
        ShowVisible();
    }
    Font GetFont() const override { return font_; }
    void SetFont(const Font& font) override {
        font_ = font;
        ShowFont();
    }
    Colour BackgroundColour() const override { return background_; }
    void SetBackgroundColour(const Colour& colour) override {
        background_ = colour;
        ShowBackground();
    }
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

}  // namespace kestrune::toolkit::base
