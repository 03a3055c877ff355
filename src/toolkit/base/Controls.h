// The state and rules of the simple controls, the same on every back end: labels, buttons,
// image buttons, check boxes, radio buttons, the drop-down list, the track bar, the up-down
// arrows and the progress bar. A back end derives from these, draws in the Show hooks and
// reports the user's actions through the ...ByUser entry points, which the headless test
// driver also uses.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/RadioButton.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"
#include "toolkit/base/BoundedValue.h"
#include "toolkit/base/ControlBase.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::base {

class LabelBase : public ControlBase<Label> {
public:
    LabelBase(Node& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;
    Alignment TextAlignment() const override { return alignment_; }
    void SetTextAlignment(Alignment alignment) override;
    void SetFont(const Font& font) override;

protected:
    virtual void ShowText() {}
    virtual void ShowAlignment() {}
    // The size the text needs in the label's font.
    virtual Size FittedSize() const = 0;

private:
    void FitToText();

    std::string text_;
    bool autoSize_ = false;
    Alignment alignment_ = Alignment::Left;
};

class ButtonBase : public ControlBase<Button> {
public:
    ButtonBase(Node& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsFlat() const override { return flat_; }
    void SetFlat(bool flat) override;
    void PressedByUser();

protected:
    virtual void ShowText() {}
    virtual void ShowFlat() {}

private:
    std::string text_;
    bool flat_ = false;
};

class ImageButtonBase : public ControlBase<ImageButton> {
public:
    ImageButtonBase(Node& parent, const ImageList& images, int imageIndex);
    const ImageList& Images() const override { return images_; }
    int ImageIndex() const override { return imageIndex_; }
    bool IsFlat() const override { return flat_; }
    void SetFlat(bool flat) override;
    void PressedByUser();
    // The user asked for the context menu; false when the button has none, so that the
    // request goes on to the parent as an unanswered one does.
    bool ContextMenuRequestedByUser();

protected:
    virtual void ShowFlat() {}

private:
    const ImageList& images_;
    int imageIndex_;
    bool flat_ = false;
};

class CheckBoxBase : public ControlBase<CheckBox> {
public:
    CheckBoxBase(Node& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override;
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;
    void SetFont(const Font& font) override;
    // A click of the user: the box takes the state and reports the click.
    void ToggledByUser(bool checked);

protected:
    virtual void ShowText() {}
    virtual void ShowChecked() {}
    // The size the box and its caption need in the box's font.
    virtual Size FittedSize() const = 0;

private:
    void FitToText();

    std::string text_;
    bool checked_ = false;
    bool autoSize_ = false;
};

class RadioButtonBase : public ControlBase<RadioButton> {
public:
    RadioButtonBase(Node& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsChecked() const override { return checked_; }
    // Checking unchecks the radio buttons of the same parent.
    void SetChecked(bool checked) override;
    void CheckedByUser();

protected:
    virtual void ShowText() {}
    virtual void ShowChecked() {}

private:
    std::string text_;
    bool checked_ = false;
};

class ComboBoxBase : public ControlBase<ComboBox> {
public:
    explicit ComboBoxBase(Node& parent);
    void AddItem(const std::string& text) override;
    int ItemCount() const override { return static_cast<int>(items_.size()); }
    std::string ItemText(int index) const override;
    void ClearItems() override;
    int SelectedIndex() const override { return selected_; }
    void SetSelectedIndex(int index) override;
    void SelectedByUser(int index);

protected:
    const std::vector<std::string>& Items() const { return items_; }
    virtual void ShowItems() {}
    virtual void ShowSelection() {}

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

class TrackBarBase : public ControlBase<TrackBar> {
public:
    explicit TrackBarBase(Node& parent);
    int Minimum() const override { return value_.minimum; }
    int Maximum() const override { return value_.maximum; }
    void SetRange(int minimum, int maximum) override;
    int Position() const override { return value_.position; }
    void SetPosition(int position) override;
    int PageSize() const override { return pageSize_; }
    void SetPageSize(int pageSize) override;
    int TickFrequency() const override { return tickFrequency_; }
    void SetTickFrequency(int frequency) override;
    int ThumbLength() const override { return thumbLength_; }
    void SetThumbLength(int pixels) override;
    bool HasValueTip() const override { return valueTip_; }
    void SetValueTip(bool valueTip) override {
        valueTip_ = valueTip;
        ShowValueTip();
    }
    void MovedByUser(int position) { SetPosition(position); }

protected:
    // Range, position, page size, tick frequency or thumb length changed.
    virtual void ShowValue() {}
    virtual void ShowValueTip() {}

private:
    BoundedValue value_;
    int pageSize_ = 20;
    int tickFrequency_ = 1;
    int thumbLength_ = 20;
    bool valueTip_ = false;
};

class UpDownBase : public ControlBase<UpDown> {
public:
    explicit UpDownBase(Node& parent);
    int Minimum() const override { return value_.minimum; }
    int Maximum() const override { return value_.maximum; }
    void SetRange(int minimum, int maximum) override;
    int Position() const override { return value_.position; }
    void SetPosition(int position) override;
    int Step() const override { return step_; }
    void SetStep(int step) override;
    // One step up (direction 1) or down (-1), never past the range's ends.
    void SteppedByUser(int direction);
    void ReleasedByUser();

protected:
    // Range, position or step changed.
    virtual void ShowValue() {}

private:
    BoundedValue value_;
    int step_ = 1;
};

class ProgressBarBase : public ControlBase<ProgressBar> {
public:
    explicit ProgressBarBase(Node& parent);
    int Minimum() const override { return value_.minimum; }
    int Maximum() const override { return value_.maximum; }
    void SetRange(int minimum, int maximum) override;
    int Position() const override { return value_.position; }
    void SetPosition(int position) override;
    bool IsSmooth() const override { return smooth_; }
    void SetSmooth(bool smooth) override;

protected:
    virtual void ShowValue() {}
    virtual void ShowSmooth() {}

private:
    BoundedValue value_;
    bool smooth_ = false;
};

}  // namespace kestrune::toolkit::base
