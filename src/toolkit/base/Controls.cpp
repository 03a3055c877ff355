// The simple controls' rules: auto-size after every change of text or font, radio buttons
// that exclude their siblings, positions kept inside their range, and user actions
// reported after the state has changed.
#include "toolkit/base/Controls.h"

#include "toolkit/base/DefaultSizes.h"

namespace kestrune::toolkit::base {

namespace {

void Fire(const std::function<void()>& event) {
    if (event) {
        event();
    }
}

}  // namespace

LabelBase::LabelBase(Node& parent, const std::string& text)
    : ControlBase(&parent, kLabelSize), text_(text) {}

void LabelBase::SetText(const std::string& text) {
    text_ = text;
    ShowText();
    FitToText();
}

void LabelBase::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void LabelBase::SetTextAlignment(Alignment alignment) {
    alignment_ = alignment;
    ShowAlignment();
}

void LabelBase::SetFont(const Font& font) {
    ControlBase::SetFont(font);
    FitToText();
}

void LabelBase::FitToText() {
    if (autoSize_) {
        const Size fitted = FittedSize();
        ApplyBounds({bounds_.left, bounds_.top, fitted.width, fitted.height});
    }
}

ButtonBase::ButtonBase(Node& parent, const std::string& text)
    : ControlBase(&parent, kButtonSize), text_(text) {}

void ButtonBase::SetText(const std::string& text) {
    text_ = text;
    ShowText();
}

void ButtonBase::SetFlat(bool flat) {
    flat_ = flat;
    ShowFlat();
}

void ButtonBase::PressedByUser() {
    Fire(onClick);
}

ImageButtonBase::ImageButtonBase(Node& parent, const ImageList& images, int imageIndex)
    : ControlBase(&parent, kImageButtonSize), images_(images), imageIndex_(imageIndex) {}

void ImageButtonBase::SetFlat(bool flat) {
    flat_ = flat;
    ShowFlat();
}

void ImageButtonBase::PressedByUser() {
    Fire(onClick);
}

bool ImageButtonBase::ContextMenuRequestedByUser() {
    if (!onContextMenu) {
        return false;
    }
    onContextMenu();
    return true;
}

CheckBoxBase::CheckBoxBase(Node& parent, const std::string& text)
    : ControlBase(&parent, kCheckBoxSize), text_(text) {}

void CheckBoxBase::SetText(const std::string& text) {
    text_ = text;
    ShowText();
    FitToText();
}

void CheckBoxBase::SetChecked(bool checked) {
    checked_ = checked;
    ShowChecked();
}

void CheckBoxBase::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void CheckBoxBase::SetFont(const Font& font) {
    ControlBase::SetFont(font);
    FitToText();
}

void CheckBoxBase::ToggledByUser(bool checked) {
    SetChecked(checked);
    Fire(onClick);
}

void CheckBoxBase::FitToText() {
    if (autoSize_) {
        const Size fitted = FittedSize();
        ApplyBounds({bounds_.left, bounds_.top, fitted.width, fitted.height});
    }
}

RadioButtonBase::RadioButtonBase(Node& parent, const std::string& text)
    : ControlBase(&parent, kRadioButtonSize), text_(text) {}

void RadioButtonBase::SetText(const std::string& text) {
    text_ = text;
    ShowText();
}

void RadioButtonBase::SetChecked(bool checked) {
    if (checked) {
        for (const auto& sibling : ParentNode()->Children()) {
            auto* radio = dynamic_cast<RadioButtonBase*>(sibling.get());
            if (radio != nullptr && radio != this && radio->checked_) {
                radio->checked_ = false;
                radio->ShowChecked();
            }
        }
    }
    checked_ = checked;
    ShowChecked();
}

void RadioButtonBase::CheckedByUser() {
    SetChecked(true);
    Fire(onClick);
}

ComboBoxBase::ComboBoxBase(Node& parent) : ControlBase(&parent, kComboBoxSize) {}

void ComboBoxBase::AddItem(const std::string& text) {
    items_.push_back(text);
    ShowItems();
}

std::string ComboBoxBase::ItemText(int index) const {
    return index >= 0 && index < ItemCount() ? items_[index] : std::string();
}

void ComboBoxBase::ClearItems() {
    items_.clear();
    selected_ = -1;
    ShowItems();
}

void ComboBoxBase::SetSelectedIndex(int index) {
    selected_ = index >= 0 && index < ItemCount() ? index : -1;
    ShowSelection();
}

void ComboBoxBase::SelectedByUser(int index) {
    SetSelectedIndex(index);
    Fire(onSelect);
}

TrackBarBase::TrackBarBase(Node& parent) : ControlBase(&parent, kTrackBarSize) {}

void TrackBarBase::SetRange(int minimum, int maximum) {
    value_.SetRange(minimum, maximum);
    ShowValue();
}

void TrackBarBase::SetPosition(int position) {
    value_.SetPosition(position);
    ShowValue();
}

void TrackBarBase::SetPageSize(int pageSize) {
    pageSize_ = pageSize;
    ShowValue();
}

void TrackBarBase::SetTickFrequency(int frequency) {
    tickFrequency_ = frequency;
    ShowValue();
}

void TrackBarBase::SetThumbLength(int pixels) {
    thumbLength_ = pixels;
    ShowValue();
}

UpDownBase::UpDownBase(Node& parent) : ControlBase(&parent, kUpDownSize) {}

void UpDownBase::SetRange(int minimum, int maximum) {
    value_.SetRange(minimum, maximum);
    ShowValue();
}

void UpDownBase::SetPosition(int position) {
    value_.SetPosition(position);
    ShowValue();
}

void UpDownBase::SetStep(int step) {
    step_ = step;
    ShowValue();
}

void UpDownBase::SteppedByUser(int direction) {
    SetPosition(Position() + (direction >= 0 ? step_ : -step_));
}

void UpDownBase::ReleasedByUser() {
    Fire(onMouseUp);
}

ProgressBarBase::ProgressBarBase(Node& parent) : ControlBase(&parent, kProgressBarSize) {}

void ProgressBarBase::SetRange(int minimum, int maximum) {
    value_.SetRange(minimum, maximum);
    ShowValue();
}

void ProgressBarBase::SetPosition(int position) {
    value_.SetPosition(position);
    ShowValue();
}

void ProgressBarBase::SetSmooth(bool smooth) {
    smooth_ = smooth;
    ShowSmooth();
}

}  // namespace kestrune::toolkit::base
