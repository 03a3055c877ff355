// The toolkit's free functions on Qt: windows, message boxes, the beep, the event loop,
// finding our windows by caption and opening files with the desktop's programs.
#include "toolkit/qt/QtApplication.h"

#include "toolkit/Application.h"
#include "toolkit/qt/QtWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

#include <memory>

namespace kestrune::toolkit {

namespace qt {

void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argumentCount = 1;
    static char programName[] = "kestrune";
    static char* arguments[] = {programName, nullptr};
    // Never destroyed: Qt makes statics of its own lazily, after the application, and at
    // exit they are gone before any static destructor of ours would run, so destroying
    // the application then crashes. The process ends with it instead.
    new QApplication(argumentCount, arguments);
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    const QString icon = QStringLiteral(":/icons/kestrune.png");
    if (QFile::exists(icon)) {
        QApplication::setWindowIcon(QIcon(icon));
    }
}

}  // namespace qt

using qt::EnsureApplication;
using qt::QtWindow;

std::unique_ptr<Window> CreateTopLevelWindow(const std::string& caption, Window* owner) {
    EnsureApplication();
    return std::make_unique<QtWindow>(caption, dynamic_cast<QtWindow*>(owner));
}

MessageAnswer ShowMessage(const Window* owner, const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) {
    EnsureApplication();
    const auto* window = dynamic_cast<const QtWindow*>(owner);
    QMessageBox box(
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        QString::fromStdString(caption),
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), "\n"),
        buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        window != nullptr ? &window->Widget() : nullptr);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

std::vector<Rect> ScreenWorkAreas() {
    EnsureApplication();
    std::vector<Rect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const Rect rect{area.x(), area.y(), area.width(), area.height()};
        areas.insert(screen == primary ? areas.begin() : areas.end(), rect);
    }
    return areas;
}

void Beep() {
    EnsureApplication();
    QApplication::beep();
}

void ProcessMessages() {
    EnsureApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
}

void RunMessageLoop(Window& mainWindow) {
    EnsureApplication();
    auto& window = dynamic_cast<QtWindow&>(mainWindow);
    QEventLoop loop;
    window.afterClose = [&loop] { loop.quit(); };
    window.Show();
    if (!window.IsClosed()) {
        loop.exec();
    }
    window.afterClose = nullptr;
}

bool FindTopLevelWindow(const std::string& caption) {
    EnsureApplication();
    // Qt sees only this program's windows: its own and the help viewer.
    const QString title = QString::fromStdString(caption);
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const auto* window = dynamic_cast<const qt::WindowWidget*>(widget);
        const bool open = window != nullptr ? !window->closed : widget->isVisible();
        if (open && widget->windowTitle() == title) {
            return true;
        }
    }
    return false;
}

bool ShowHelp(const std::string& path) {
    EnsureApplication();
    if (!QFile::exists(QString::fromStdString(path))) {
        return false;
    }
    // A window of its own that goes when the user closes it; it takes the help's title.
    auto* viewer = new QTextBrowser();
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setOpenExternalLinks(true);
    viewer->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    viewer->setWindowTitle(viewer->documentTitle());
    viewer->resize(720, 560);
    viewer->show();
    return true;
}

bool ShellOpen(const std::string& path) {
    EnsureApplication();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace kestrune::toolkit
