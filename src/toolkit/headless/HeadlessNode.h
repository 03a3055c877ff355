// The state every headless control keeps, and the tree of parents and owned children.
// Kept apart from the interface classes so that the tree can be walked without knowing
// each control's kind.
#pragma once

#include "toolkit/Control.h"

#include <memory>
#include <vector>

namespace kestrune::toolkit::headless {

class HeadlessNode {
public:
    // A child starts with a copy of its parent's font and background colour.
    HeadlessNode(HeadlessNode* parent, const Size& defaultSize);
    HeadlessNode(const HeadlessNode&) = delete;
    HeadlessNode& operator=(const HeadlessNode&) = delete;
    virtual ~HeadlessNode();

    virtual Control& Self() = 0;
    virtual const Control& Self() const = 0;

    HeadlessNode* ParentNode() const { return parent_; }
    // The children from the bottom of the stack to its top (in creation order at first).
    const std::vector<std::unique_ptr<HeadlessNode>>& Children() const { return children_; }

    // The area docked children are arranged in.
    virtual Size ClientArea() const { return {bounds_.width, bounds_.height}; }

protected:
    template <class Child>
    Child& Adopt(std::unique_ptr<Child> child) {
        Child& added = *child;
        children_.push_back(std::move(child));
        return added;
    }

    // Places the docked children again, after a change of the client area or of a child.
    void ArrangeChildren();
    // Applies new bounds; a docked control asks its parent to place it.
    void ApplyBounds(const Rect& bounds);
    // Called when the bounds changed, after the children have been placed.
    virtual void OnSizeChanged() {}
    void TakeFocus();
    // Moves this node to the top of its parent's stack of children.
    void RaiseAboveSiblings();

    Rect bounds_;
    bool enabled_ = true;
    bool visible_ = true;
    Font font_;
    Colour background_ = Colour::FromSystem(SystemColour::ButtonFace);
    Dock dock_ = Dock::None;

private:
    HeadlessNode* parent_;
    std::vector<std::unique_ptr<HeadlessNode>> children_;
};

}  // namespace kestrune::toolkit::headless
