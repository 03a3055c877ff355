// The headless leaf controls that hold simple state: labels, buttons, check boxes, radio
// buttons, the drop-down list, the track bar, the up-down arrows and the progress bar.
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
#include "toolkit/headless/HeadlessControl.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::headless {

class HeadlessLabel final : public HeadlessControl<Label> {
public:
    HeadlessLabel(HeadlessNode& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;
    Alignment TextAlignment() const override { return alignment_; }
    void SetTextAlignment(Alignment alignment) override { alignment_ = alignment; }

private:
    void FitToText();

    std::string text_;
    bool autoSize_ = false;
    Alignment alignment_ = Alignment::Left;
};

class HeadlessButton final : public HeadlessControl<Button> {
public:
    HeadlessButton(HeadlessNode& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    bool IsFlat() const override { return flat_; }
    void SetFlat(bool flat) override { flat_ = flat; }

private:
    std::string text_;
    bool flat_ = false;
};

class HeadlessImageButton final : public HeadlessControl<ImageButton> {
public:
    HeadlessImageButton(HeadlessNode& parent, const ImageList& images, int imageIndex);
    const ImageList& Images() const override { return images_; }
    int ImageIndex() const override { return imageIndex_; }
    bool IsFlat() const override { return flat_; }
    void SetFlat(bool flat) override { flat_ = flat; }

private:
    const ImageList& images_;
    int imageIndex_;
    bool flat_ = false;
};

class HeadlessCheckBox final : public HeadlessControl<CheckBox> {
public:
    HeadlessCheckBox(HeadlessNode& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override { checked_ = checked; }
    bool IsAutoSize() const override { return autoSize_; }
    void SetAutoSize(bool autoSize) override;

private:
    void FitToText();

    std::string text_;
    bool checked_ = false;
    bool autoSize_ = false;
};

class HeadlessRadioButton final : public HeadlessControl<RadioButton> {
public:
    HeadlessRadioButton(HeadlessNode& parent, const std::string& text);
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override;

private:
    std::string text_;
    bool checked_ = false;
};

class HeadlessComboBox final : public HeadlessControl<ComboBox> {
public:
    explicit HeadlessComboBox(HeadlessNode& parent);
    void AddItem(const std::string& text) override { items_.push_back(text); }
    int ItemCount() const override { return static_cast<int>(items_.size()); }
    std::string ItemText(int index) const override;
    void ClearItems() override;
    int SelectedIndex() const override { return selected_; }
    void SetSelectedIndex(int index) override;

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

// The range and position shared by the track bar, the up-down arrows and the progress bar.
struct BoundedPosition {
    int minimum;
    int maximum;
    int position;

    void SetRange(int newMinimum, int newMaximum);
    void SetPosition(int newPosition);
};

class HeadlessTrackBar final : public HeadlessControl<TrackBar> {
public:
    explicit HeadlessTrackBar(HeadlessNode& parent);
    int Minimum() const override { return range_.minimum; }
    int Maximum() const override { return range_.maximum; }
    void SetRange(int minimum, int maximum) override { range_.SetRange(minimum, maximum); }
    int Position() const override { return range_.position; }
    void SetPosition(int position) override { range_.SetPosition(position); }
    int PageSize() const override { return pageSize_; }
    void SetPageSize(int pageSize) override { pageSize_ = pageSize; }
    int TickFrequency() const override { return tickFrequency_; }
    void SetTickFrequency(int frequency) override { tickFrequency_ = frequency; }
    int ThumbLength() const override { return thumbLength_; }
    void SetThumbLength(int pixels) override { thumbLength_ = pixels; }
    bool HasValueTip() const override { return valueTip_; }
    void SetValueTip(bool valueTip) override { valueTip_ = valueTip; }

private:
    BoundedPosition range_{0, 100, 0};
    int pageSize_ = 20;
    int tickFrequency_ = 1;
    int thumbLength_ = 20;
    bool valueTip_ = false;
};

class HeadlessUpDown final : public HeadlessControl<UpDown> {
public:
    explicit HeadlessUpDown(HeadlessNode& parent);
    int Minimum() const override { return range_.minimum; }
    int Maximum() const override { return range_.maximum; }
    void SetRange(int minimum, int maximum) override { range_.SetRange(minimum, maximum); }
    int Position() const override { return range_.position; }
    void SetPosition(int position) override { range_.SetPosition(position); }
    int Step() const override { return step_; }
    void SetStep(int step) override { step_ = step; }

private:
    BoundedPosition range_{0, 100, 0};
    int step_ = 1;
};

class HeadlessProgressBar final : public HeadlessControl<ProgressBar> {
public:
    explicit HeadlessProgressBar(HeadlessNode& parent);
    int Minimum() const override { return range_.minimum; }
    int Maximum() const override { return range_.maximum; }
    void SetRange(int minimum, int maximum) override { range_.SetRange(minimum, maximum); }
    int Position() const override { return range_.position; }
    void SetPosition(int position) override { range_.SetPosition(position); }
    bool IsSmooth() const override { return smooth_; }
    void SetSmooth(bool smooth) override { smooth_ = smooth; }

private:
    BoundedPosition range_{0, 100, 0};
    bool smooth_ = false;
};

}  // namespace kestrune::toolkit::headless
