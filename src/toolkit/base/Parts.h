// The non-visual parts a window owns, with what every back end shares: the timer's interval
// and state, the tips of the hints, and the settings of the two dialogs, kept from one use
// to the next. A back end draws or runs them through the Show hooks and Execute.
#pragma once

#include "toolkit/FolderDialog.h"
#include "toolkit/Hints.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Timer.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit {
class Window;
}

namespace kestrune::toolkit::base {

class TimerBase : public Timer {
public:
    explicit TimerBase(int interval);
    int Interval() const override { return interval_; }
    void SetInterval(int milliseconds) override;
    bool IsEnabled() const override { return enabled_; }
    // Enabling a running timer changes nothing; enabling a stopped one starts an interval.
    void SetEnabled(bool enabled) override;
    void TickedByPlatform();

protected:
    // A stopped timer started (or its interval changed while it runs).
    virtual void ShowStarted() {}
    virtual void ShowStopped() {}

private:
    int interval_;
    bool enabled_ = false;
};

struct HintsSettings {
    bool balloon = false;
    bool alwaysTip = false;
    int automaticDelay = 500;
};

class HintsBase : public Hints {
public:
    explicit HintsBase(const Window& owner) : owner_(owner) {}
    void SetBalloon(bool balloon) override;
    void SetAlwaysTip(bool alwaysTip) override;
    void SetAutomaticDelay(int milliseconds) override;
    void AddTip(const Control& control, const std::string& text) override;
    std::string TipOf(const Control& control) const override;

protected:
    const Window& Owner() const { return owner_; }
    const HintsSettings& Settings() const { return settings_; }
    virtual void ShowSettings() {}
    virtual void ShowTip(const Control& /*control*/, const std::string& /*text*/) {}

private:
    const Window& owner_;
    HintsSettings settings_;
    std::map<const Control*, std::string> tips_;
};

// The open dialog's settings as they stand when it is shown.
struct OpenDialogSettings {
    const Window* owner = nullptr;
    std::vector<FileFilter> filters;
    std::string initialFolder;
    std::string title;
    std::string fileName;
    bool multipleSelection = false;
    bool hideReadOnly = false;
    bool createPrompt = false;
};

class OpenDialogBase : public OpenDialog {
public:
    explicit OpenDialogBase(const Window& owner) { settings_.owner = &owner; }
    void SetFilters(const std::vector<FileFilter>& filters) override;
    void SetInitialFolder(const std::string& folder) override;
    void SetTitle(const std::string& title) override;
    void SetFileName(const std::string& fileName) override;
    void SetMultipleSelection(bool multiple) override;
    void SetHideReadOnly(bool hide) override;
    void SetCreatePrompt(bool prompt) override;

protected:
    const OpenDialogSettings& Settings() const { return settings_; }

private:
    OpenDialogSettings settings_;
};

struct FolderDialogSettings {
    const Window* owner = nullptr;
    std::string title;
    std::string initialFolder;
};

class FolderDialogBase : public FolderDialog {
public:
    explicit FolderDialogBase(const Window& owner) { settings_.owner = &owner; }
    void SetTitle(const std::string& title) override;
    void SetInitialFolder(const std::string& folder) override;

protected:
    const FolderDialogSettings& Settings() const { return settings_; }

private:
    FolderDialogSettings settings_;
};

}  // namespace kestrune::toolkit::base
