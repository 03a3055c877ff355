// Tree and geometry of controls: docking after every change of size, focus forgotten when
// its control goes.
#include "toolkit/base/Node.h"

#include "toolkit/DockLayout.h"

#include <algorithm>

namespace kestrune::toolkit::base {

Node::Node(Node* parent, const Size& defaultSize)
    : bounds_{0, 0, defaultSize.width, defaultSize.height}, parent_(parent) {
    if (parent != nullptr) {
        font_ = parent->font_;
        background_ = parent->background_;
    }
}

Node::~Node() {
    // Children go first, while their parent is still whole.
    children_.clear();
    if (focused_ == this) {
        focused_ = nullptr;
    }
}

void Node::ArrangeChildren() {
    std::vector<DockedBounds> entries;
    entries.reserve(children_.size());
    for (const auto& child : children_) {
        entries.push_back({child->dock_, child->bounds_});
    }
    ArrangeDocked(ClientArea(), entries);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        Node& child = *children_[i];
        if (child.dock_ == Dock::None || child.bounds_ == entries[i].bounds) {
            continue;
        }
        const Size oldSize{child.bounds_.width, child.bounds_.height};
        child.bounds_ = entries[i].bounds;
        child.ShowBounds();
        if (!(oldSize == Size{child.bounds_.width, child.bounds_.height})) {
            child.ArrangeChildren();
            child.OnSizeChanged();
        }
    }
}

void Node::ApplyBounds(const Rect& bounds) {
    const Size oldSize{bounds_.width, bounds_.height};
    bounds_ = {bounds.left, bounds.top, std::max(0, bounds.width), std::max(0, bounds.height)};
    ShowBounds();
    if (dock_ != Dock::None && parent_ != nullptr) {
        parent_->ArrangeChildren();
    }
    if (!(oldSize == Size{bounds_.width, bounds_.height})) {
        ArrangeChildren();
        OnSizeChanged();
    }
}

void Node::TakePlatformBounds(const Rect& bounds) {
    const Size oldSize{bounds_.width, bounds_.height};
    bounds_ = bounds;
    if (!(oldSize == Size{bounds_.width, bounds_.height})) {
        ArrangeChildren();
        OnSizeChanged();
    }
}

void Node::TakeFocus() {
    if (Self().IsEffectivelyEnabled()) {
        focused_ = this;
        ShowFocus();
    }
}

void Node::RaiseAboveSiblings() {
    if (parent_ == nullptr) {
        return;
    }
    auto& siblings = parent_->children_;
    const auto self = std::find_if(siblings.begin(), siblings.end(),
                                   [this](const auto& child) { return child.get() == this; });
    std::rotate(self, self + 1, siblings.end());
    ShowRaised();
}

}  // namespace kestrune::toolkit::base
