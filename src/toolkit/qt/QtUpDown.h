// The Qt up-down control: two arrow buttons, one above the other, with no text field.
// Pressing an arrow steps the position, again and again while it is held; releasing the
// mouse button reports onMouseUp.
#pragma once

#include "toolkit/UpDown.h"
#include "toolkit/qt/QtControl.h"

#include <QToolButton>
#include <QWidget>

namespace kestrune::toolkit::qt {

class QtUpDown final : public QtControl<UpDown, QWidget> {
public:
    explicit QtUpDown(QtNode& parent);
    int Minimum() const override { return minimum_; }
    int Maximum() const override { return maximum_; }
    void SetRange(int minimum, int maximum) override;
    int Position() const override { return position_; }
    void SetPosition(int position) override;
    int Step() const override { return step_; }
    void SetStep(int step) override { step_ = step; }

    QToolButton& UpArrow() const { return *up_; }
    QToolButton& DownArrow() const { return *down_; }

private:
    QToolButton* AddArrow(Qt::ArrowType direction, int sign);

    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int step_ = 1;
    QToolButton* up_;    // owned by the widget
    QToolButton* down_;  // owned by the widget
};

}  // namespace kestrune::toolkit::qt
