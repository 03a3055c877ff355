// Qt leaf controls. User actions come from signals that calls from code never emit
// (clicked, activated, textEdited, actionTriggered) and from context menu events, so the state the
// program sets is never reported back as the user's.
#include "toolkit/qt/QtControls.h"

#include "toolkit/qt/QtServices.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>

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

Size SizeOf(const QSize& size) {
    return {size.width(), size.height()};
}

}  // namespace

QtLabel::QtLabel(base::Node& parent, const std::string& text) : QtControl(parent, text) {
    View().setTextFormat(Qt::PlainText);
    ShowText();
    ShowAlignment();
}

void QtLabel::ShowText() {
    View().setText(ToQString(Text()));
}

void QtLabel::ShowAlignment() {
    View().setAlignment(ToQtAlignment(TextAlignment()) | Qt::AlignTop);
}

Size QtLabel::FittedSize() const {
    return SizeOf(View().sizeHint());
}

QtButton::QtButton(base::Node& parent, const std::string& text) : QtControl(parent, text) {
    ShowText();
    QObject::connect(&View(), &QPushButton::clicked, [this] { PressedByUser(); });
}

void QtButton::ShowText() {
    View().setText(ToQString(Text()));
}

void QtButton::ShowFlat() {
    View().setFlat(IsFlat());
}

void ContextMenuToolButton::contextMenuEvent(QContextMenuEvent* event) {
    event->setAccepted(onContextMenu && onContextMenu());
}

QtImageButton::QtImageButton(base::Node& parent, const ImageList& images, int imageIndex)
    : QtControl(parent, images, imageIndex) {
    View().setIcon(dynamic_cast<const QtImageList&>(images).Icon(imageIndex));
    View().setIconSize({images.ImageWidth(), images.ImageHeight()});
    View().setToolButtonStyle(Qt::ToolButtonIconOnly);
    QObject::connect(&View(), &QToolButton::clicked, [this] { PressedByUser(); });
    View().onContextMenu = [this] { return ContextMenuRequestedByUser(); };
}

void QtImageButton::ShowFlat() {
    View().setAutoRaise(IsFlat());
    View().setFocusPolicy(IsFlat() ? Qt::NoFocus : Qt::TabFocus);
}

QtCheckBox::QtCheckBox(base::Node& parent, const std::string& text) : QtControl(parent, text) {
    ShowText();
    QObject::connect(&View(), &QCheckBox::clicked,
                     [this](bool checked) { ToggledByUser(checked); });
}

void QtCheckBox::ShowText() {
    View().setText(ToQString(Text()));
}

void QtCheckBox::ShowChecked() {
    View().setChecked(IsChecked());
}

Size QtCheckBox::FittedSize() const {
    return SizeOf(View().sizeHint());
}

QtRadioButton::QtRadioButton(base::Node& parent, const std::string& text)
    : QtControl(parent, text) {
    // The group's exclusion is the toolkit's rule, kept by the portable state.
    View().setAutoExclusive(false);
    ShowText();
    QObject::connect(&View(), &QRadioButton::clicked, [this] { CheckedByUser(); });
}

void QtRadioButton::ShowText() {
    View().setText(ToQString(Text()));
}

void QtRadioButton::ShowChecked() {
    View().setChecked(IsChecked());
}

QtEdit::QtEdit(base::Node& parent) : QtControl(parent) {
    QObject::connect(&View(), &QLineEdit::textEdited, [this](const QString& text) {
        EditedByUser(text.toStdString(), View().cursorPosition());
    });
    QObject::connect(&View(), &QLineEdit::cursorPositionChanged,
                     [this](int, int position) { CaretMovedByUser(position); });
}

void QtEdit::ShowText() {
    const QSignalBlocker quiet(&View());
    View().setText(ToQString(Text()));
}

void QtEdit::ShowCaret() {
    const QSignalBlocker quiet(&View());
    View().setCursorPosition(CaretPosition());
}

void QtEdit::ShowNumbersOnly() {
    // The line edit takes no ownership of its validator: the widget is its QObject parent.
    delete View().validator();
    View().setValidator(IsNumbersOnly()
                            ? new QRegularExpressionValidator(QRegularExpression("[0-9]*"), &View())
                            : nullptr);
}

void QtEdit::ShowBorder() {
    View().setFrame(HasBorder());
}

QtComboBox::QtComboBox(base::Node& parent) : QtControl(parent) {
    View().setEditable(false);
    QObject::connect(&View(), &QComboBox::activated, [this](int index) { SelectedByUser(index); });
}

void QtComboBox::ShowItems() {
    const QSignalBlocker quiet(&View());
    View().clear();
    for (const std::string& item : Items()) {
        View().addItem(ToQString(item));
    }
    View().setCurrentIndex(SelectedIndex());
}

void QtComboBox::ShowSelection() {
    const QSignalBlocker quiet(&View());
    View().setCurrentIndex(SelectedIndex());
}

QtTrackBar::QtTrackBar(base::Node& parent) : QtControl(parent) {
    View().setOrientation(Qt::Horizontal);
    View().setTickPosition(QSlider::TicksBelow);
    ShowValue();
    QObject::connect(&View(), &QSlider::valueChanged, [this](int value) {
        if (value != Position()) {
            MovedByUser(value);
        }
    });
    QObject::connect(&View(), &QSlider::sliderMoved, [this](int value) {
        if (HasValueTip()) {
            QToolTip::showText(QCursor::pos(), QString::number(value), &View());
        }
    });
}

void QtTrackBar::ShowValue() {
    const QSignalBlocker quiet(&View());
    View().setRange(Minimum(), Maximum());
    View().setValue(Position());
    View().setPageStep(PageSize());
    View().setTickInterval(TickFrequency());
}

QtProgressBar::QtProgressBar(base::Node& parent) : QtControl(parent) {
    View().setTextVisible(false);
    ShowValue();
}

void QtProgressBar::ShowValue() {
    View().setRange(Minimum(), Maximum());
    View().setValue(Position());
}

QtUpDown::QtUpDown(base::Node& parent) : QtControl(parent) {
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
    QObject::connect(arrow, &QToolButton::pressed, [this, sign] { SteppedByUser(sign); });
    QObject::connect(arrow, &QToolButton::released, [this, arrow] {
        if (!arrow->isDown()) {
            ReleasedByUser();
        }
    });
    return arrow;
}

}  // namespace kestrune::toolkit::qt
