// Qt up-down control. Qt's spin box always has a text field, so the two arrows are tool
// buttons in a column that fills the control; an arrow held down steps on by itself.
#include "toolkit/qt/QtUpDown.h"

#include <QVBoxLayout>

#include <algorithm>

namespace kestrune::toolkit::qt {

QtUpDown::QtUpDown(QtNode& parent) : QtControl(&parent, {17, 23}) {
    auto* column = new QVBoxLayout(&View());  // owned by the widget
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = AddArrow(Qt::UpArrow, +1);
    down_ = AddArrow(Qt::DownArrow, -1);
    column->addWidget(up_);
    column->addWidget(down_);
}

QToolButton* QtUpDown::AddArrow(Qt::ArrowType direction, int sign) {
    auto* arrow = new QToolButton(&View());  // owned by the widget
    arrow->setArrowType(direction);
    arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    arrow->setFocusPolicy(Qt::NoFocus);
    // Held down, an arrow repeats its step: Qt then reports a press and a release for every
    // repeat, with the button still down, and the user's release with the button up.
    arrow->setAutoRepeat(true);
    QObject::connect(arrow, &QToolButton::pressed,
                     [this, sign] { SetPosition(position_ + sign * step_); });
    QObject::connect(arrow, &QToolButton::released, [this, arrow] {
        if (!arrow->isDown() && onMouseUp) {
            onMouseUp();
        }
    });
    return arrow;
}

void QtUpDown::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    SetPosition(position_);
}

void QtUpDown::SetPosition(int position) {
    position_ = std::clamp(position, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
}

}  // namespace kestrune::toolkit::qt
