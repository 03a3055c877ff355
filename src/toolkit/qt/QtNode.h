// The part every Qt control shares: its widget, its parent and owned children, and the
// docking of those children. Kept apart from the interface classes so that the tree can
// be walked without knowing each control's kind.
#pragma once

#include "toolkit/Control.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace kestrune::toolkit::qt {

class QtNode {
public:
    // The widget becomes a child of the parent's widget; a child starts with a copy of its
    // parent's font and background colour, visible, at the left top with defaultSize.
    QtNode(QtNode* parent, std::unique_ptr<QWidget> widget, const Size& defaultSize);
    QtNode(const QtNode&) = delete;
    QtNode& operator=(const QtNode&) = delete;
    virtual ~QtNode();

    virtual Control& Self() = 0;
    virtual const Control& Self() const = 0;

    QWidget& Widget() const { return *widget_; }
    QtNode* ParentNode() const { return parent_; }

    // Places the docked children in the widget's area again.
    void ArrangeChildren();

protected:
    template <class Child>
    Child& Adopt(std::unique_ptr<Child> child) {
        Child& added = *child;
        children_.push_back(std::move(child));
        return added;
    }

    // Moves and sizes a child control's widget; a docked one is placed by its parent.
    void ApplyBounds(const Rect& bounds);
    void ApplyBackgroundColour(const Colour& colour);

    Font font_;
    Colour background_ = Colour::FromSystem(SystemColour::ButtonFace);
    Dock dock_ = Dock::None;

private:
    void SetGeometry(const QRect& geometry);
    // A check box or radio button of its parent's colour paints no background of its own:
    // the parent's shows the same, and a sibling that the empty part beyond its caption
    // overlaps stays visible.
    void ShowBackground();

    QtNode* parent_;
    std::unique_ptr<QWidget> widget_;
    // Declared after the widget, so the children's widgets go before their parent's.
    std::vector<std::unique_ptr<QtNode>> children_;
};

}  // namespace kestrune::toolkit::qt
