// The Qt implementation of the Control base, shared by every kind of control:
// QtControl<Label, QLabel> is a Label shown by a QLabel.
#pragma once

#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtNode.h"

#include <memory>

namespace kestrune::toolkit::qt {

template <class Interface, class QtWidget>
class QtControl : public Interface, public QtNode {
public:
    QtControl(QtNode* parent, const Size& defaultSize)
        : QtNode(parent, std::make_unique<QtWidget>(), defaultSize) {}
    QtControl(QtNode* parent, std::unique_ptr<QtWidget> widget, const Size& defaultSize)
        : QtNode(parent, std::move(widget), defaultSize) {}

    Control& Self() override { return *this; }
    const Control& Self() const override { return *this; }

    Control* Parent() const override {
        return ParentNode() != nullptr ? &ParentNode()->Self() : nullptr;
    }
    Rect Bounds() const override {
        const QRect g = Widget().geometry();
        return {g.x(), g.y(), g.width(), g.height()};
    }
    void SetBounds(const Rect& bounds) override { ApplyBounds(bounds); }
    // Qt's own flag of a widget disabled by a call, not by its parent.
    bool IsEnabled() const override { return !Widget().testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled) override { Widget().setEnabled(enabled); }
    bool IsVisible() const override { return !Widget().isHidden(); }
    void SetVisible(bool visible) override { Widget().setVisible(visible); }
    Font GetFont() const override { return font_; }
    void SetFont(const Font& font) override {
        font_ = font;
        ApplyFont(Widget(), font_);
    }
    Colour BackgroundColour() const override { return background_; }
    void SetBackgroundColour(const Colour& colour) override { ApplyBackgroundColour(colour); }
    Dock Docking() const override { return dock_; }
    void SetDocking(Dock dock) override {
        dock_ = dock;
        ApplyBounds(Bounds());
    }
    void SetFocus() override { Widget().setFocus(); }
    void BringToFront() override { Widget().raise(); }

protected:
    // The widget as its own kind.
    QtWidget& View() const { return static_cast<QtWidget&>(Widget()); }
};

}  // namespace kestrune::toolkit::qt
