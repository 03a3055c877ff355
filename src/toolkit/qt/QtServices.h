// The Qt non-visual parts a window owns: the timer, the image list, the hints and the two
// dialogs.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/FolderDialog.h"
#include "toolkit/Hints.h"
#include "toolkit/ImageList.h"
#include "toolkit/Layout.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Timer.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace kestrune::toolkit::qt {

class QtTimer final : public Timer {
public:
    explicit QtTimer(int interval);
    int Interval() const override { return timer_->interval(); }
    void SetInterval(int milliseconds) override;
    bool IsEnabled() const override { return timer_->isActive(); }
    void SetEnabled(bool enabled) override;

private:
    std::unique_ptr<QTimer> timer_;
};

class QtImageList final : public ImageList {
public:
    // A missing resource gives empty images of the same size.
    QtImageList(const std::string& resourceName, const Size& imageSize, const Colour& transparent);
    int ImageWidth() const override { return imageSize_.width; }
    int ImageHeight() const override { return imageSize_.height; }

    // The image at the index; empty for an index past the strip.
    QIcon Icon(int index) const;

private:
    Size imageSize_;
    QPixmap strip_;
};

class QtHints final : public Hints {
public:
    explicit QtHints(QWidget& window) : window_(window) {}
    // Qt draws its own tip shape and derives the delays from its style.
    void SetBalloon(bool) override {}
    void SetAutomaticDelay(int) override {}
    void SetAlwaysTip(bool alwaysTip) override;
    void AddTip(const Control& control, const std::string& text) override;
    std::string TipOf(const Control& control) const override;

private:
    QWidget& window_;
    std::map<const Control*, std::string> tips_;
};

class QtOpenDialog final : public OpenDialog {
public:
    explicit QtOpenDialog(QWidget& owner) : owner_(owner) {}
    void SetFilters(const std::vector<FileFilter>& filters) override;
    void SetInitialFolder(const std::string& folder) override;
    void SetTitle(const std::string& title) override;
    void SetFileName(const std::string& fileName) override;
    void SetMultipleSelection(bool multiple) override { multiple_ = multiple; }
    // Qt's dialog has no read-only check box to hide, and no creation prompt: names picked
    // from it exist.
    void SetHideReadOnly(bool) override {}
    void SetCreatePrompt(bool) override {}
    std::optional<std::string> Execute() override;

private:
    QWidget& owner_;
    QString filters_;
    QString folder_;
    QString title_;
    QString fileName_;
    bool multiple_ = false;
};

class QtFolderDialog final : public FolderDialog {
public:
    explicit QtFolderDialog(QWidget& owner) : owner_(owner) {}
    void SetTitle(const std::string& title) override;
    void SetInitialFolder(const std::string& folder) override;
    std::optional<std::string> Execute() override;

private:
    QWidget& owner_;
    QString title_;
    QString folder_;
};

}  // namespace kestrune::toolkit::qt
