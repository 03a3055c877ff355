// Qt leaf controls. Default sizes resemble those of classic Windows controls; user clicks
// come from the widgets' clicked and activated signals, which calls from code never emit.
#include "toolkit/qt/QtControls.h"

#include "toolkit/qt/QtServices.h"

#include <QButtonGroup>
#include <QCursor>
#include <QToolTip>

#include <algorithm>

namespace kestrune::toolkit::qt {
namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

Qt::Alignment ToQtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return Qt::AlignLeft;
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// Reports a user click (not a change made by code) to the event set by the program.
template <class Interface>
void ForwardClicks(QAbstractButton& button, Interface& control) {
    QObject::connect(&button, &QAbstractButton::clicked, [&control] {
        if (control.onClick) {
            control.onClick();
        }
    });
}

// Gives an auto-sized control the size its widget needs for its text, where it stands.
void FitToContents(Control& control, const QWidget& widget) {
    const QSize hint = widget.sizeHint();
    control.SetBounds({control.Left(), control.Top(), hint.width(), hint.height()});
}

}  // namespace

QtLabel::QtLabel(QtNode& parent, const std::string& text) : QtControl(&parent, {64, 17}) {
    View().setText(ToQString(text));
    View().setTextFormat(Qt::PlainText);
    SetTextAlignment(Alignment::Left);
}

std::string QtLabel::Text() const {
    return View().text().toStdString();
}

void QtLabel::SetText(const std::string& text) {
    View().setText(ToQString(text));
    FitToText();
}

void QtLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void QtLabel::SetTextAlignment(Alignment alignment) {
    alignment_ = alignment;
    View().setAlignment(ToQtAlignment(alignment) | Qt::AlignTop);
}

void QtLabel::SetFont(const Font& font) {
    QtControl::SetFont(font);
    FitToText();
}

void QtLabel::FitToText() {
    if (autoSize_) {
        FitToContents(*this, View());
    }
}

QtButton::QtButton(QtNode& parent, const std::string& text) : QtControl(&parent, {75, 23}) {
    View().setText(ToQString(text));
    ForwardClicks(View(), *this);
}

std::string QtButton::Text() const {
    return View().text().toStdString();
}

void QtButton::SetText(const std::string& text) {
    View().setText(ToQString(text));
}

QtImageButton::QtImageButton(QtNode& parent, const ImageList& images, int imageIndex)
    : QtControl(&parent, {23, 23}), images_(images), imageIndex_(imageIndex) {
    View().setIcon(dynamic_cast<const QtImageList&>(images).Icon(imageIndex));
    View().setIconSize({images.ImageWidth(), images.ImageHeight()});
    View().setToolButtonStyle(Qt::ToolButtonIconOnly);
    ForwardClicks(View(), *this);
}

QtCheckBox::QtCheckBox(QtNode& parent, const std::string& text) : QtControl(&parent, {97, 17}) {
    View().setText(ToQString(text));
    ForwardClicks(View(), *this);
}

std::string QtCheckBox::Text() const {
    return View().text().toStdString();
}

void QtCheckBox::SetText(const std::string& text) {
    View().setText(ToQString(text));
    FitToText();
}

void QtCheckBox::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void QtCheckBox::SetFont(const Font& font) {
    QtControl::SetFont(font);
    FitToText();
}

void QtCheckBox::FitToText() {
    if (autoSize_) {
        FitToContents(*this, View());
    }
}

QtRadioButton::QtRadioButton(QtNode& parent, const std::string& text)
    : QtControl(&parent, {113, 17}) {
    View().setText(ToQString(text));
    // Qt's automatic exclusivity also spans radio buttons of nested containers, so each
    // parent holds an explicit group of its own radio buttons.
    QWidget& container = parent.Widget();
    auto* group = container.findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (group == nullptr) {
        group = new QButtonGroup(&container);  // owned by the container's widget
    }
    group->addButton(&View());
    ForwardClicks(View(), *this);
}

std::string QtRadioButton::Text() const {
    return View().text().toStdString();
}

void QtRadioButton::SetText(const std::string& text) {
    View().setText(ToQString(text));
}

void QtRadioButton::SetChecked(bool checked) {
    // Qt refuses to uncheck the checked button of an exclusive group, so exclusivity is
    // lifted for the moment; checking still unchecks the siblings.
    QButtonGroup& group = *View().group();
    group.setExclusive(checked);
    View().setChecked(checked);
    group.setExclusive(true);
}

QtComboBox::QtComboBox(QtNode& parent) : QtControl(&parent, {145, 21}) {
    View().setEditable(false);
    QObject::connect(&View(), &QComboBox::activated, [this] {
        if (onSelect) {
            onSelect();
        }
    });
}

void QtComboBox::AddItem(const std::string& text) {
    View().addItem(ToQString(text));
}

std::string QtComboBox::ItemText(int index) const {
    return View().itemText(index).toStdString();
}

void QtComboBox::SetSelectedIndex(int index) {
    View().setCurrentIndex(index >= 0 && index < ItemCount() ? index : -1);
}

QtTrackBar::QtTrackBar(QtNode& parent) : QtControl(&parent, {150, 45}) {
    View().setOrientation(Qt::Horizontal);
    View().setTickPosition(QSlider::TicksBelow);
    View().setTickInterval(1);
    View().setPageStep(20);
    QObject::connect(&View(), &QSlider::sliderMoved, [this](int value) {
        if (valueTip_) {
            QToolTip::showText(QCursor::pos(), QString::number(value), &View());
        }
    });
}

QtProgressBar::QtProgressBar(QtNode& parent) : QtControl(&parent, {150, 17}) {
    View().setTextVisible(false);
    View().setRange(0, 100);
    View().setValue(0);
}

void QtProgressBar::SetRange(int minimum, int maximum) {
    const int position = Position();
    View().setRange(minimum, maximum);
    SetPosition(position);
}

void QtProgressBar::SetPosition(int position) {
    // Qt ignores a value outside the range, where the toolkit keeps it inside.
    View().setValue(std::clamp(position, Minimum(), Maximum()));
}

}  // namespace kestrune::toolkit::qt
