// Headless leaf controls. Default sizes resemble those of classic Windows controls.
#include "toolkit/headless/HeadlessControls.h"

#include "toolkit/headless/TextMetrics.h"

#include <algorithm>

namespace kestrune::toolkit::headless {
namespace {

constexpr int kCheckMarkWidth = 17;  // the box in front of a check box's caption

}  // namespace

HeadlessLabel::HeadlessLabel(HeadlessNode& parent, const std::string& text)
    : HeadlessControl(&parent, {64, 17}), text_(text) {}

void HeadlessLabel::SetText(const std::string& text) {
    text_ = text;
    if (autoSize_) {
        FitToText();
    }
}

void HeadlessLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        FitToText();
    }
}

void HeadlessLabel::FitToText() {
    const Size extent = TextExtent(text_, font_);
    SetBounds({bounds_.left, bounds_.top, extent.width, extent.height});
}

HeadlessButton::HeadlessButton(HeadlessNode& parent, const std::string& text)
    : HeadlessControl(&parent, {75, 23}), text_(text) {}

HeadlessImageButton::HeadlessImageButton(HeadlessNode& parent, const ImageList& images,
                                         int imageIndex)
    : HeadlessControl(&parent, {23, 23}), images_(images), imageIndex_(imageIndex) {}

HeadlessCheckBox::HeadlessCheckBox(HeadlessNode& parent, const std::string& text)
    : HeadlessControl(&parent, {97, 17}), text_(text) {}

void HeadlessCheckBox::SetText(const std::string& text) {
    text_ = text;
    if (autoSize_) {
        FitToText();
    }
}

void HeadlessCheckBox::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        FitToText();
    }
}

void HeadlessCheckBox::FitToText() {
    const Size extent = TextExtent(text_, font_);
    SetBounds({bounds_.left, bounds_.top, kCheckMarkWidth + extent.width,
               std::max(kCheckMarkWidth, extent.height)});
}

HeadlessRadioButton::HeadlessRadioButton(HeadlessNode& parent, const std::string& text)
    : HeadlessControl(&parent, {113, 17}), text_(text) {}

void HeadlessRadioButton::SetChecked(bool checked) {
    if (checked) {
        for (const auto& sibling : ParentNode()->Children()) {
            if (auto* radio = dynamic_cast<HeadlessRadioButton*>(sibling.get())) {
                radio->checked_ = false;
            }
        }
    }
    checked_ = checked;
}

HeadlessComboBox::HeadlessComboBox(HeadlessNode& parent) : HeadlessControl(&parent, {145, 21}) {}

std::string HeadlessComboBox::ItemText(int index) const {
    return index >= 0 && index < ItemCount() ? items_[index] : std::string();
}

void HeadlessComboBox::ClearItems() {
    items_.clear();
    selected_ = -1;
}

void HeadlessComboBox::SetSelectedIndex(int index) {
    selected_ = index >= 0 && index < ItemCount() ? index : -1;
}

void BoundedPosition::SetRange(int newMinimum, int newMaximum) {
    minimum = newMinimum;
    maximum = newMaximum;
    SetPosition(position);
}

void BoundedPosition::SetPosition(int newPosition) {
    position = std::clamp(newPosition, std::min(minimum, maximum), std::max(minimum, maximum));
}

HeadlessTrackBar::HeadlessTrackBar(HeadlessNode& parent) : HeadlessControl(&parent, {150, 45}) {}

HeadlessUpDown::HeadlessUpDown(HeadlessNode& parent) : HeadlessControl(&parent, {17, 23}) {}

HeadlessProgressBar::HeadlessProgressBar(HeadlessNode& parent)
    : HeadlessControl(&parent, {150, 17}) {}

}  // namespace kestrune::toolkit::headless
