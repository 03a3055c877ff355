// The headless non-visual parts a window owns: timers on the virtual clock, image lists,
// hints, and the two dialogs, which take their answers from the session's queues.
#pragma once

#include "toolkit/FolderDialog.h"
#include "toolkit/Hints.h"
#include "toolkit/ImageList.h"
#include "toolkit/Layout.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Timer.h"
#include "toolkit/headless/HeadlessRecords.h"

#include <cstdint>
#include <map>
#include <string>

namespace kestrune::toolkit::headless {

class HeadlessTimer final : public Timer {
public:
    explicit HeadlessTimer(int interval);
    ~HeadlessTimer() override;

    int Interval() const override { return interval_; }
    void SetInterval(int milliseconds) override;
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;

    // When the next tick is due on the virtual clock (meaningful while enabled).
    std::int64_t Due() const { return due_; }
    // Starts the next interval, then reports the tick.
    void Tick();

private:
    int interval_;
    bool enabled_ = false;
    std::int64_t due_ = 0;
};

class HeadlessImageList final : public ImageList {
public:
    explicit HeadlessImageList(const Size& imageSize) : imageSize_(imageSize) {}
    int ImageWidth() const override { return imageSize_.width; }
    int ImageHeight() const override { return imageSize_.height; }

private:
    Size imageSize_;
};

class HeadlessHints final : public Hints {
public:
    // Nothing is shown, so only the tip texts are kept.
    void SetBalloon(bool) override {}
    void SetAlwaysTip(bool) override {}
    void SetAutomaticDelay(int) override {}
    void AddTip(const Control& control, const std::string& text) override;
    std::string TipOf(const Control& control) const override;

private:
    std::map<const Control*, std::string> tips_;
};

class HeadlessOpenDialog final : public OpenDialog {
public:
    explicit HeadlessOpenDialog(const Window& owner) { settings_.owner = &owner; }
    void SetFilters(const std::vector<FileFilter>& filters) override;
    void SetInitialFolder(const std::string& folder) override;
    void SetTitle(const std::string& title) override { settings_.title = title; }
    void SetFileName(const std::string& fileName) override { settings_.fileName = fileName; }
    void SetMultipleSelection(bool multiple) override;
    void SetHideReadOnly(bool hide) override { settings_.hideReadOnly = hide; }
    void SetCreatePrompt(bool prompt) override { settings_.createPrompt = prompt; }
    std::optional<std::string> Execute() override;

private:
    OpenDialogRequest settings_;
};

class HeadlessFolderDialog final : public FolderDialog {
public:
    explicit HeadlessFolderDialog(const Window& owner) { settings_.owner = &owner; }
    void SetTitle(const std::string& title) override { settings_.title = title; }
    void SetInitialFolder(const std::string& folder) override;
    std::optional<std::string> Execute() override;

private:
    FolderDialogRequest settings_;
};

}  // namespace kestrune::toolkit::headless
