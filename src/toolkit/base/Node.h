// What every control of every back end shares: its place in the tree of controls, the state
// behind the Control interface, the docking of its children, the copy of font and colour a
// child takes from its parent when it is created, and the keyboard focus.
// A back end draws what the node holds: it overrides the Show hooks, which run after the
// state has changed, and reports what the user did through the protected entry points.
#pragma once

#include "toolkit/Control.h"

#include <memory>
#include <vector>

namespace kestrune::toolkit::base {

class Node {
public:
    Node(Node* parent, const Size& defaultSize);
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node();

    virtual Control& Self() = 0;
    virtual const Control& Self() const = 0;

    Node* ParentNode() const { return parent_; }
    // The children from the bottom of the stack to its top (in creation order at first).
    const std::vector<std::unique_ptr<Node>>& Children() const { return children_; }
    // The control that was last given the keyboard focus, of any window; null once it goes.
    // There is one focus, as on the platforms: everything runs on the GUI thread.
    static const Node* FocusedNode() { return focused_; }

    // The area docked children are arranged in; a window's is its client area.
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
    // Bounds the platform gave the node (the user moved or resized a window): taken as they
    // are, the children placed and the change of size reported, but nothing shown again.
    void TakePlatformBounds(const Rect& bounds);
    // Gives the node the keyboard focus when it takes input.
    void TakeFocus();
    // Moves this node to the top of its parent's stack of children.
    void RaiseAboveSiblings();
    // Frees the children now, before a back end frees what shows this node.
    void DestroyChildren() { children_.clear(); }

    // Hooks of the back end, run after the state changed.
    virtual void ShowBounds() {}
    virtual void ShowEnabled() {}
    virtual void ShowVisible() {}
    virtual void ShowFont() {}
    virtual void ShowBackground() {}
    virtual void ShowFocus() {}
    virtual void ShowRaised() {}
    // The size changed; the children have been placed.
    virtual void OnSizeChanged() {}

    Rect bounds_;
    bool enabled_ = true;
    bool visible_ = true;
    Font font_;
    Colour background_ = Colour::FromSystem(SystemColour::ButtonFace);
    Dock dock_ = Dock::None;

private:
    static inline const Node* focused_ = nullptr;

    Node* parent_;
    std::vector<std::unique_ptr<Node>> children_;
};

}  // namespace kestrune::toolkit::base
