// Qt timers, image lists, hints and dialogs. Images come from the program's compiled-in
// resources under ":/images/"; the dialogs are Qt's own, the same on every desktop.
#include "toolkit/qt/QtServices.h"

#include "toolkit/qt/OpenDialogResult.h"
#include "toolkit/qt/QtLook.h"
#include "toolkit/qt/QtNode.h"

#include <QBitmap>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <algorithm>

namespace kestrune::toolkit::qt {

namespace {

// Qt's own dialog, the same on every desktop, listing names only as the classic Windows
// dialogs do. Its detailed view writes sizes and dates in the system locale's words,
// which the program cannot make Russian.
void ShowNamesOnly(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::List);
}

}  // namespace

QtTimer::QtTimer(int interval) : timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(std::max(1, interval));
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        if (onTick) {
            onTick();
        }
    });
}

void QtTimer::SetInterval(int milliseconds) {
    timer_->setInterval(std::max(1, milliseconds));
}

void QtTimer::SetEnabled(bool enabled) {
    if (!enabled) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

QtImageList::QtImageList(const std::string& resourceName, const Size& imageSize,
                         const Colour& transparent)
    : imageSize_(imageSize),
      strip_(QStringLiteral(":/images/") + QString::fromStdString(resourceName) + ".bmp") {
    if (!strip_.isNull()) {
        strip_.setMask(strip_.createMaskFromColor(ToQColor(transparent)));
    }
}

QIcon QtImageList::Icon(int index) const {
    const QRect image(index * imageSize_.width, 0, imageSize_.width, imageSize_.height);
    if (strip_.isNull() || index < 0 || !strip_.rect().contains(image)) {
        return {};
    }
    return QIcon(strip_.copy(image));
}

void QtHints::SetAlwaysTip(bool alwaysTip) {
    window_.setAttribute(Qt::WA_AlwaysShowToolTips, alwaysTip);
}

void QtHints::AddTip(const Control& control, const std::string& text) {
    tips_[&control] = text;
    dynamic_cast<const QtNode&>(control).Widget().setToolTip(QString::fromStdString(text));
}

std::string QtHints::TipOf(const Control& control) const {
    const auto tip = tips_.find(&control);
    return tip != tips_.end() ? tip->second : std::string();
}

void QtOpenDialog::SetFilters(const std::vector<FileFilter>& filters) {
    QStringList entries;
    for (const FileFilter& filter : filters) {
        // Several patterns are separated by ";" in the toolkit and by blanks in Qt.
        const QString patterns = QString::fromStdString(filter.pattern).replace(';', ' ');
        entries << QString::fromStdString(filter.description) + " (" + patterns + ")";
    }
    filters_ = entries.join(";;");
}

void QtOpenDialog::SetInitialFolder(const std::string& folder) {
    folder_ = QString::fromStdString(folder);
}

void QtOpenDialog::SetTitle(const std::string& title) {
    title_ = QString::fromStdString(title);
}

void QtOpenDialog::SetFileName(const std::string& fileName) {
    fileName_ = QString::fromStdString(fileName);
}

std::optional<std::string> QtOpenDialog::Execute() {
    QFileDialog dialog(&owner_, title_, folder_, filters_);
    ShowNamesOnly(dialog);
    dialog.setFileMode(multiple_ ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!fileName_.isEmpty()) {
        dialog.selectFile(fileName_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    for (const QString& file : dialog.selectedFiles()) {
        paths.push_back(QDir::toNativeSeparators(file).toStdString());
    }
    return OpenDialogResultText(paths);
}

void QtFolderDialog::SetTitle(const std::string& title) {
    title_ = QString::fromStdString(title);
}

void QtFolderDialog::SetInitialFolder(const std::string& folder) {
    folder_ = QString::fromStdString(folder);
}

std::optional<std::string> QtFolderDialog::Execute() {
    QFileDialog dialog(&owner_, title_, folder_);
    ShowNamesOnly(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString folder = dialog.selectedFiles().constFirst();
    // cleanPath drops a final separator and keeps the root's.
    return QDir::toNativeSeparators(QDir::cleanPath(folder)).toStdString();
}

}  // namespace kestrune::toolkit::qt
