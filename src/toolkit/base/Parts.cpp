// Settings kept, tips remembered, timers started and stopped; the platform's part is drawn
// or run by the back end.
#include "toolkit/base/Parts.h"

#include <algorithm>

namespace kestrune::toolkit::base {

TimerBase::TimerBase(int interval) : interval_(std::max(1, interval)) {}

void TimerBase::SetInterval(int milliseconds) {
    interval_ = std::max(1, milliseconds);
    if (enabled_) {
        ShowStarted();
    }
}

void TimerBase::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        ShowStarted();
    } else {
        ShowStopped();
    }
}

void TimerBase::TickedByPlatform() {
    if (enabled_ && onTick) {
        onTick();
    }
}

void HintsBase::SetBalloon(bool balloon) {
    settings_.balloon = balloon;
    ShowSettings();
}

void HintsBase::SetAlwaysTip(bool alwaysTip) {
    settings_.alwaysTip = alwaysTip;
    ShowSettings();
}

void HintsBase::SetAutomaticDelay(int milliseconds) {
    settings_.automaticDelay = milliseconds;
    ShowSettings();
}

void HintsBase::AddTip(const Control& control, const std::string& text) {
    tips_[&control] = text;
    ShowTip(control, text);
}

std::string HintsBase::TipOf(const Control& control) const {
    const auto tip = tips_.find(&control);
    return tip != tips_.end() ? tip->second : std::string();
}

void OpenDialogBase::SetFilters(const std::vector<FileFilter>& filters) {
    settings_.filters = filters;
}

void OpenDialogBase::SetInitialFolder(const std::string& folder) {
    settings_.initialFolder = folder;
}

void OpenDialogBase::SetTitle(const std::string& title) {
    settings_.title = title;
}

void OpenDialogBase::SetFileName(const std::string& fileName) {
    settings_.fileName = fileName;
}

void OpenDialogBase::SetMultipleSelection(bool multiple) {
    settings_.multipleSelection = multiple;
}

void OpenDialogBase::SetHideReadOnly(bool hide) {
    settings_.hideReadOnly = hide;
}

void OpenDialogBase::SetCreatePrompt(bool prompt) {
    settings_.createPrompt = prompt;
}

void FolderDialogBase::SetTitle(const std::string& title) {
    settings_.title = title;
}

void FolderDialogBase::SetInitialFolder(const std::string& folder) {
    settings_.initialFolder = folder;
}

}  // namespace kestrune::toolkit::base
