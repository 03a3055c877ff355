// Qt timers, image lists, hints and dialogs. Images come from the program's compiled-in
// resources under ":/images/".
#include "toolkit/qt/QtServices.h"

#include "platform/Paths.h"
#include "toolkit/OpenDialogResult.h"
#include "toolkit/Window.h"
#include "toolkit/qt/QtControl.h"
#include "toolkit/qt/QtLook.h"

#include <QBitmap>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <algorithm>

namespace kestrune::toolkit::qt {

namespace {

QWidget& OwnerWidget(const Window* owner) {
    return WidgetOf(*owner);
}

// Qt's own dialog, the same on every desktop, listing names only as the classic Windows
// dialogs do. Its detailed view writes sizes and dates in the system locale's words,
// which the program cannot make Russian.
void ShowNamesOnly(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::List);
}

QString FilterText(const std::vector<FileFilter>& filters) {
    QStringList entries;
    for (const FileFilter& filter : filters) {
        // Several patterns are separated by ";" in the toolkit and by blanks in Qt.
        const QString patterns = QString::fromStdString(filter.pattern).replace(';', ' ');
        entries << QString::fromStdString(filter.description) + " (" + patterns + ")";
    }
    return entries.join(";;");
}

}  // namespace

QtTimer::QtTimer(int interval) : TimerBase(interval), timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { TickedByPlatform(); });
}

void QtTimer::ShowStarted() {
    timer_->start(Interval());
}

void QtTimer::ShowStopped() {
    timer_->stop();
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

void QtHints::ShowSettings() {
    OwnerWidget(&Owner()).setAttribute(Qt::WA_AlwaysShowToolTips, Settings().alwaysTip);
}

void QtHints::ShowTip(const Control& control, const std::string& text) {
    WidgetOf(control).setToolTip(QString::fromStdString(text));
}

std::optional<std::string> QtOpenDialog::Execute() {
    const base::OpenDialogSettings& settings = Settings();
    QFileDialog dialog(&OwnerWidget(settings.owner), QString::fromStdString(settings.title),
                       QString::fromStdString(settings.initialFolder),
                       FilterText(settings.filters));
    ShowNamesOnly(dialog);
    dialog.setFileMode(settings.multipleSelection ? QFileDialog::ExistingFiles
                                                  : QFileDialog::ExistingFile);
    if (!settings.fileName.empty()) {
        dialog.selectFile(QString::fromStdString(settings.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    const std::string first = QDir::toNativeSeparators(files.constFirst()).toStdString();
    if (files.size() == 1) {
        return OpenDialogResultText(first);
    }
    // The picked files of one folder: the folder without its final separator, which only
    // the root keeps, and their names.
    const std::string_view folder = platform::FolderOf(first);
    std::vector<std::string> names;
    for (const QString& file : files) {
        names.emplace_back(platform::FileNameOf(QDir::toNativeSeparators(file).toStdString()));
    }
    return OpenDialogResultText(
        folder.size() > 1 ? platform::WithoutTrailingSeparator(folder) : folder, names);
}

std::optional<std::string> QtFolderDialog::Execute() {
    const base::FolderDialogSettings& settings = Settings();
    QFileDialog dialog(&OwnerWidget(settings.owner), QString::fromStdString(settings.title),
                       QString::fromStdString(settings.initialFolder));
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
