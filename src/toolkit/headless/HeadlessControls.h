// The headless back end's kinds of control. Nothing is drawn, so most kinds are the
// portable bases as they stand; labels and check boxes measure their text with the
// deterministic headless metrics, timers run on the session's virtual clock, and the
// dialogs take their answers from the session's queues.
#pragma once

#include "toolkit/ImageList.h"
#include "toolkit/base/ContainerBase.h"
#include "toolkit/base/Controls.h"
#include "toolkit/base/EditBase.h"
#include "toolkit/base/ListViewBase.h"
#include "toolkit/base/Parts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kestrune::toolkit::headless {

class HeadlessLabel final : public base::LabelBase {
public:
    using LabelBase::LabelBase;

private:
    Size FittedSize() const override;
};

class HeadlessCheckBox final : public base::CheckBoxBase {
public:
    using CheckBoxBase::CheckBoxBase;

private:
    Size FittedSize() const override;
};

class HeadlessTimer final : public base::TimerBase {
public:
    explicit HeadlessTimer(int interval);
    ~HeadlessTimer() override;
    HeadlessTimer(const HeadlessTimer&) = delete;
    HeadlessTimer& operator=(const HeadlessTimer&) = delete;

    // When the next tick is due on the virtual clock (meaningful while enabled).
    std::int64_t Due() const { return due_; }
    // Starts the next interval, then reports the tick.
    void Tick();

private:
    void ShowStarted() override;

    std::int64_t due_ = 0;
};

class HeadlessImageList final : public ImageList {
public:
    HeadlessImageList(const std::string&, const Size& imageSize, const Colour&)
        : imageSize_(imageSize) {}
    int ImageWidth() const override { return imageSize_.width; }
    int ImageHeight() const override { return imageSize_.height; }

private:
    Size imageSize_;
};

// A dialog shown with no answer queued fails loudly, after its settings have been recorded.
class HeadlessOpenDialog final : public base::OpenDialogBase {
public:
    using OpenDialogBase::OpenDialogBase;
    std::optional<std::string> Execute() override;
};

class HeadlessFolderDialog final : public base::FolderDialogBase {
public:
    using FolderDialogBase::FolderDialogBase;
    std::optional<std::string> Execute() override;
};

struct HeadlessKinds {
    using Panel = base::PanelBase<HeadlessKinds>;
    using GroupBox = base::GroupBoxBase<HeadlessKinds>;
    using Label = HeadlessLabel;
    using Button = base::ButtonBase;
    using ImageButton = base::ImageButtonBase;
    using CheckBox = HeadlessCheckBox;
    using RadioButton = base::RadioButtonBase;
    using Edit = base::EditBase;
    using ComboBox = base::ComboBoxBase;
    using ListView = base::ListViewBase;
    using TrackBar = base::TrackBarBase;
    using UpDown = base::UpDownBase;
    using ProgressBar = base::ProgressBarBase;
    using Timer = HeadlessTimer;
    using ImageList = HeadlessImageList;
    using Hints = base::HintsBase;
    using OpenDialog = HeadlessOpenDialog;
    using FolderDialog = HeadlessFolderDialog;
};

}  // namespace kestrune::toolkit::headless
