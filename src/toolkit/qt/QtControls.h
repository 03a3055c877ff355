// The Qt leaf controls that map one to one onto a Qt widget: labels, buttons, image
// buttons, check boxes, radio buttons, the drop-down list, the track bar and the
// progress bar.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/RadioButton.h"
#include "toolkit/TrackBar.h"
#include "toolkit/qt/QtControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <string>

namespace kestrune::toolkit::qt {

class QtLabel final : public QtControl<Label, QLabel> {
public:
    QtLabel(QtNode& parent, const std::string& text);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;
    Alignment TextAlignment() const override { return alignment_; }
    void SetTextAlignment(Alignment alignment) override;
    void SetFont(const Font& font) override;

private:
    void FitToText();

    bool autoSize_ = false;
    Alignment alignment_ = Alignment::Left;
};

class QtButton final : public QtControl<Button, QPushButton> {
public:
    QtButton(QtNode& parent, const std::string& text);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool IsFlat() const override { return View().isFlat(); }
    void SetFlat(bool flat) override { View().setFlat(flat); }
};

class QtImageButton final : public QtControl<ImageButton, QToolButton> {
public:
    QtImageButton(QtNode& parent, const ImageList& images, int imageIndex);
    const ImageList& Images() const override { return images_; }
    int ImageIndex() const override { return imageIndex_; }
    // A raised-on-hover tool button is the flat look: a frame only under the pointer. Like
    // the buttons of a toolbar, a flat one takes no keyboard focus.
    bool IsFlat() const override { return View().autoRaise(); }
    void SetFlat(bool flat) override {
        View().setAutoRaise(flat);
        View().setFocusPolicy(flat ? Qt::NoFocus : Qt::TabFocus);
    }

private:
    const ImageList& images_;
    int imageIndex_;
};

class QtCheckBox final : public QtControl<CheckBox, QCheckBox> {
public:
    QtCheckBox(QtNode& parent, const std::string& text);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool IsChecked() const override { return View().isChecked(); }
    void SetChecked(bool checked) override { View().setChecked(checked); }
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;
    void SetFont(const Font& font) override;

private:
    void FitToText();

    bool autoSize_ = false;
};

class QtRadioButton final : public QtControl<RadioButton, QRadioButton> {
public:
    QtRadioButton(QtNode& parent, const std::string& text);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool IsChecked() const override { return View().isChecked(); }
    void SetChecked(bool checked) override;
};

class QtComboBox final : public QtControl<ComboBox, QComboBox> {
public:
    explicit QtComboBox(QtNode& parent);
    void AddItem(const std::string& text) override;
    int ItemCount() const override { return View().count(); }
    std::string ItemText(int index) const override;
    void ClearItems() override { View().clear(); }
    int SelectedIndex() const override { return View().currentIndex(); }
    void SetSelectedIndex(int index) override;
};

class QtTrackBar final : public QtControl<TrackBar, QSlider> {
public:
    explicit QtTrackBar(QtNode& parent);
    int Minimum() const override { return View().minimum(); }
    int Maximum() const override { return View().maximum(); }
    void SetRange(int minimum, int maximum) override { View().setRange(minimum, maximum); }
    int Position() const override { return View().value(); }
    void SetPosition(int position) override { View().setValue(position); }
    int PageSize() const override { return View().pageStep(); }
    void SetPageSize(int pageSize) override { View().setPageStep(pageSize); }
    int TickFrequency() const override { return View().tickInterval(); }
    void SetTickFrequency(int frequency) override { View().setTickInterval(frequency); }
    // Qt's styles size the thumb themselves; the length is kept for the caller only.
    int ThumbLength() const override { return thumbLength_; }
    void SetThumbLength(int pixels) override { thumbLength_ = pixels; }
    bool HasValueTip() const override { return valueTip_; }
    void SetValueTip(bool valueTip) override { valueTip_ = valueTip; }

private:
    int thumbLength_ = 20;
    bool valueTip_ = false;
};

class QtProgressBar final : public QtControl<ProgressBar, QProgressBar> {
public:
    explicit QtProgressBar(QtNode& parent);
    int Minimum() const override { return View().minimum(); }
    int Maximum() const override { return View().maximum(); }
    void SetRange(int minimum, int maximum) override;
    int Position() const override { return View().value(); }
    void SetPosition(int position) override;
    // Qt's bars always fill continuously; the flag is kept for the caller only.
    bool IsSmooth() const override { return smooth_; }
    void SetSmooth(bool smooth) override { smooth_ = smooth; }

private:
    bool smooth_ = false;
};

}  // namespace kestrune::toolkit::qt
