// The Qt parts a window owns: the timer, the image list, the hints and the two dialogs.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/ImageList.h"
#include "toolkit/Layout.h"
#include "toolkit/base/Parts.h"

#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace kestrune::toolkit::qt {

class QtTimer final : public base::TimerBase {
public:
    explicit QtTimer(int interval);

private:
    void ShowStarted() override;
    void ShowStopped() override;

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

// Qt draws its own tip shape and derives the delays from its style, so only the tips and
// whether they show while the window is inactive are shown.
class QtHints final : public base::HintsBase {
public:
    using HintsBase::HintsBase;

private:
    void ShowSettings() override;
    void ShowTip(const Control& control, const std::string& text) override;
};

// Qt's own dialogs, the same on every desktop. Qt's dialog has no read-only check box to
// hide, and no creation prompt: names picked from it exist.
class QtOpenDialog final : public base::OpenDialogBase {
public:
    using OpenDialogBase::OpenDialogBase;
    std::optional<std::string> Execute() override;
};

class QtFolderDialog final : public base::FolderDialogBase {
public:
    using FolderDialogBase::FolderDialogBase;
    std::optional<std::string> Execute() override;
};

}  // namespace kestrune::toolkit::qt
