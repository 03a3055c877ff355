// What every Qt control adds to its portable state: the widget that shows it. QtControl
// draws the state every control has (place, enabled, visible, font, colour, focus, stacking)
// on its widget; a kind of control adds what its own widget shows.
#pragma once

#include "toolkit/base/Node.h"
#include "toolkit/qt/QtLook.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QWidget>

#include <memory>
#include <utility>

namespace kestrune::toolkit::qt {

class QtWidgetOwner {
public:
    virtual ~QtWidgetOwner() = default;
    virtual QWidget& Widget() const = 0;
    // Paints the background again, after a change of this control's colour or its parent's.
    virtual void RefreshBackground() = 0;
};

// The widget that shows a control of the Qt back end.
inline QWidget& WidgetOf(const Control& control) {
    return dynamic_cast<const QtWidgetOwner&>(control).Widget();
}

template <class Base, class WidgetType>
class QtControl : public Base, public QtWidgetOwner {
public:
    // A child control, its widget a child of its parent's.
    template <class... Arguments>
    explicit QtControl(base::Node& parent, Arguments&&... arguments)
        : Base(parent, std::forward<Arguments>(arguments)...),
          widget_(std::make_unique<WidgetType>()) {
        widget_->setParent(&WidgetOf(parent.Self()));
        Start();
        widget_->show();
    }
    // A top-level control with the widget given.
    template <class... Arguments>
    explicit QtControl(std::unique_ptr<WidgetType> widget, Arguments&&... arguments)
        : Base(std::forward<Arguments>(arguments)...), widget_(std::move(widget)) {
        Start();
    }
    // The children go first: their widgets belong to this one.
    ~QtControl() override { this->DestroyChildren(); }
    QtControl(const QtControl&) = delete;
    QtControl& operator=(const QtControl&) = delete;

    QWidget& Widget() const override { return *widget_; }

    // A check box or radio button of its parent's colour lets the parent show through.
    void RefreshBackground() override {
        const bool markAndCaption = qobject_cast<const QCheckBox*>(widget_.get()) != nullptr ||
                                    qobject_cast<const QRadioButton*>(widget_.get()) != nullptr;
        const base::Node* parent = this->ParentNode();
        const bool parentColour =
            parent != nullptr && this->background_ == parent->Self().BackgroundColour();
        ApplyBackground(*widget_, this->background_, !(markAndCaption && parentColour));
    }

protected:
    WidgetType& View() const { return *widget_; }

    void ShowBounds() override {
        const Rect& b = this->bounds_;
        widget_->setGeometry(b.left, b.top, b.width, b.height);
    }
    void ShowEnabled() override { widget_->setEnabled(this->enabled_); }
    void ShowVisible() override { widget_->setVisible(this->visible_); }
    void ShowFont() override { ApplyFont(*widget_, this->font_); }
    void ShowBackground() override {
        RefreshBackground();
        for (const auto& child : this->Children()) {
            dynamic_cast<QtWidgetOwner&>(*child).RefreshBackground();
        }
    }
    void ShowFocus() override { widget_->setFocus(); }
    void ShowRaised() override { widget_->raise(); }

private:
    void Start() {
        ShowBounds();
        ShowFont();
        RefreshBackground();
    }

    std::unique_ptr<WidgetType> widget_;
};

}  // namespace kestrune::toolkit::qt
