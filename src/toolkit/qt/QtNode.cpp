// Tree and geometry of Qt controls. Docked children are placed by the toolkit's own rule,
// not by a Qt layout, so that every back end places them alike.
#include "toolkit/qt/QtNode.h"

#include "toolkit/DockLayout.h"
#include "toolkit/qt/QtLook.h"

#include <QCheckBox>
#include <QRadioButton>

namespace kestrune::toolkit::qt {

QtNode::QtNode(QtNode* parent, std::unique_ptr<QWidget> widget, const Size& defaultSize)
    : parent_(parent), widget_(std::move(widget)) {
    if (parent != nullptr) {
        font_ = parent->font_;
        background_ = parent->background_;
        widget_->setParent(&parent->Widget());
        widget_->setGeometry(0, 0, defaultSize.width, defaultSize.height);
        widget_->show();
    } else {
        widget_->resize(defaultSize.width, defaultSize.height);
    }
    ApplyFont(*widget_, font_);
    ShowBackground();
}

QtNode::~QtNode() {
    children_.clear();
}

void QtNode::ArrangeChildren() {
    std::vector<DockedBounds> entries;
    entries.reserve(children_.size());
    for (const auto& child : children_) {
        const QRect g = child->Widget().geometry();
        entries.push_back({child->dock_, {g.x(), g.y(), g.width(), g.height()}});
    }
    const QSize client = widget_->size();
    ArrangeDocked({client.width(), client.height()}, entries);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i]->dock_ != Dock::None) {
            const Rect& b = entries[i].bounds;
            children_[i]->SetGeometry({b.left, b.top, b.width, b.height});
        }
    }
}

void QtNode::ApplyBounds(const Rect& bounds) {
    SetGeometry({bounds.left, bounds.top, std::max(0, bounds.width), std::max(0, bounds.height)});
    if (dock_ != Dock::None && parent_ != nullptr) {
        parent_->ArrangeChildren();
    }
}

void QtNode::ApplyBackgroundColour(const Colour& colour) {
    background_ = colour;
    ShowBackground();
    for (const auto& child : children_) {
        child->ShowBackground();
    }
}

void QtNode::ShowBackground() {
    const bool markAndCaption = qobject_cast<const QCheckBox*>(widget_.get()) != nullptr ||
                                qobject_cast<const QRadioButton*>(widget_.get()) != nullptr;
    const bool parentColour = parent_ != nullptr && background_ == parent_->background_;
    ApplyBackground(*widget_, background_, !(markAndCaption && parentColour));
}

void QtNode::SetGeometry(const QRect& geometry) {
    const QSize oldSize = widget_->size();
    widget_->setGeometry(geometry);
    // A hidden widget gets its resize event only when shown; its children are placed now.
    if (widget_->size() != oldSize) {
        ArrangeChildren();
    }
}

}  // namespace kestrune::toolkit::qt
