// Tree and geometry of headless controls: docking after every change of size, focus
// forgotten when its control goes.
#include "toolkit/headless/HeadlessNode.h"

#include "toolkit/DockLayout.h"
#include "toolkit/headless/HeadlessSession.h"

#include <algorithm>

namespace kestrune::toolkit::headless {

HeadlessNode::HeadlessNode(HeadlessNode* parent, const Size& defaultSize)
    : bounds_{0, 0, defaultSize.width, defaultSize.height}, parent_(parent) {
    if (parent != nullptr) {
        font_ = parent->font_;
        background_ = parent->background_;
    }
}

HeadlessNode::~HeadlessNode() {
    // Children go first, while their parent is still whole.
    children_.clear();
    Session& session = TheSession();
    if (session.focused == this) {
        session.focused = nullptr;
    }
}

void HeadlessNode::ArrangeChildren() {
    std::vector<DockedBounds> entries;
    entries.reserve(children_.size());
    for (const auto& child : children_) {
        entries.push_back({child->dock_, child->bounds_});
    }
    ArrangeDocked(ClientArea(), entries);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        HeadlessNode& child = *children_[i];
        if (child.dock_ != Dock::None && !(child.bounds_ == entries[i].bounds)) {
            const Size oldSize{child.bounds_.width, child.bounds_.height};
            child.bounds_ = entries[i].bounds;
            if (!(oldSize == Size{child.bounds_.width, child.bounds_.height})) {
                child.ArrangeChildren();
                child.OnSizeChanged();
            }
        }
    }
}

void HeadlessNode::ApplyBounds(const Rect& bounds) {
    const Size oldSize{bounds_.width, bounds_.height};
    bounds_ = bounds;
    if (dock_ != Dock::None && parent_ != nullptr) {
        parent_->ArrangeChildren();
    }
    if (!(oldSize == Size{bounds_.width, bounds_.height})) {
        ArrangeChildren();
        OnSizeChanged();
    }
}

void HeadlessNode::TakeFocus() {
    if (Self().IsEffectivelyEnabled()) {
        TheSession().focused = this;
    }
}

void HeadlessNode::RaiseAboveSiblings() {
    if (parent_ == nullptr) {
        return;
    }
    auto& siblings = parent_->children_;
    const auto self = std::find_if(siblings.begin(), siblings.end(),
                                   [this](const auto& child) { return child.get() == this; });
    std::rotate(self, self + 1, siblings.end());
}

}  // namespace kestrune::toolkit::headless
