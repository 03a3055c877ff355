// The Qt kinds of the simple controls: each shows its portable state on one Qt widget and
// reports the user's clicks, picks and drags; calls from code never emit the signals used.
#pragma once

#include "toolkit/base/Controls.h"
#include "toolkit/base/EditBase.h"
#include "toolkit/qt/QtControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <functional>
#include <string>

namespace kestrune::toolkit::qt {

class QtLabel final : public QtControl<base::LabelBase, QLabel> {
public:
    QtLabel(base::Node& parent, const std::string& text);

private:
    void ShowText() override;
    void ShowAlignment() override;
    Size FittedSize() const override;
};

class QtButton final : public QtControl<base::ButtonBase, QPushButton> {
public:
    QtButton(base::Node& parent, const std::string& text);

private:
    void ShowText() override;
    void ShowFlat() override;
};

// A tool button whose control may answer the user's request for a context menu, by mouse or
// by the menu key; a request it leaves unanswered goes on to the parent, as Qt passes on an
// ignored one.
class ContextMenuToolButton final : public QToolButton {
public:
    // True when the request was answered.
    std::function<bool()> onContextMenu;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

class QtImageButton final : public QtControl<base::ImageButtonBase, ContextMenuToolButton> {
public:
    QtImageButton(base::Node& parent, const ImageList& images, int imageIndex);

private:
    // A raised-on-hover tool button is the flat look: a frame only under the pointer. Like
    // the buttons of a toolbar, a flat one takes no keyboard focus.
    void ShowFlat() override;
};

class QtCheckBox final : public QtControl<base::CheckBoxBase, QCheckBox> {
public:
    QtCheckBox(base::Node& parent, const std::string& text);

private:
    void ShowText() override;
    void ShowChecked() override;
    Size FittedSize() const override;
};

class QtRadioButton final : public QtControl<base::RadioButtonBase, QRadioButton> {
public:
    QtRadioButton(base::Node& parent, const std::string& text);

private:
    void ShowText() override;
    void ShowChecked() override;
};

class QtEdit final : public QtControl<base::EditBase, QLineEdit> {
public:
    explicit QtEdit(base::Node& parent);

private:
    void ShowText() override;
    void ShowCaret() override;
    void ShowNumbersOnly() override;
    void ShowBorder() override;
};

class QtComboBox final : public QtControl<base::ComboBoxBase, QComboBox> {
public:
    explicit QtComboBox(base::Node& parent);

private:
    void ShowItems() override;
    void ShowSelection() override;
};

class QtTrackBar final : public QtControl<base::TrackBarBase, QSlider> {
public:
    explicit QtTrackBar(base::Node& parent);

private:
    // Qt's styles size the thumb themselves; the thumb length is not shown.
    void ShowValue() override;
};

class QtProgressBar final : public QtControl<base::ProgressBarBase, QProgressBar> {
public:
    explicit QtProgressBar(base::Node& parent);

private:
    // Qt's bars always fill continuously; the smooth flag is not shown.
    void ShowValue() override;
};

// Two arrow buttons, one above the other, with no text field (Qt's spin box always has
// one). An arrow held down steps on by itself.
class QtUpDown final : public QtControl<base::UpDownBase, QWidget> {
public:
    explicit QtUpDown(base::Node& parent);

    QToolButton& UpArrow() const { return *up_; }
    QToolButton& DownArrow() const { return *down_; }

private:
    QToolButton* AddArrow(Qt::ArrowType direction, int sign);

    QToolButton* up_;    // owned by the widget
    QToolButton* down_;  // owned by the widget
};

}  // namespace kestrune::toolkit::qt
