// The toolkit's free functions on Qt: windows, message boxes, context menus, the beep, the
// event loop, finding our windows by caption and opening files with the desktop's programs.
#include "toolkit/qt/QtApplication.h"

#include "toolkit/Application.h"
#include "toolkit/qt/QtStyle.h"
#include "toolkit/qt/QtWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTextBrowser>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
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
    QApplication::setStyle(new ClassicStyle());  // the application takes it
    // The program speaks Russian whatever the user's locale, Qt's own texts included.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* translator = new QTranslator(qApp);  // owned by the application
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
    const QString icon = QStringLiteral(":/icons/kestrune.png");
    if (QFile::exists(icon)) {
        QApplication::setWindowIcon(QIcon(icon));
    }
}

}  // namespace qt

using qt::EnsureApplication;
using qt::QtWindow;

namespace {

constexpr QSize kHelpWindowSize{720, 560};

// Places a new window one caption below and one border right of its owner, the way
// windows cascade, and within the owner's screen. The new window is not framed yet; its
// frame will be as wide as the owner's.
void CascadeFrom(const QWidget& owner, QWidget& window) {
    QPoint at = owner.geometry().topLeft();  // the owner's client area, inside its frame
    if (const QScreen* screen = owner.screen()) {
        const QRect area = screen->availableGeometry();
        const QSize outer = window.size() + owner.frameGeometry().size() - owner.size();
        at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - outer.width())));
        at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - outer.height())));
    }
    window.move(at);
}

}  // namespace

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
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
        ok->setText(QStringLiteral("ОК"));  // Qt's translation keeps the Latin letters
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

std::optional<int> ShowContextMenu(const Control& control, const std::vector<MenuItem>& items) {
    EnsureApplication();
    QWidget& widget = qt::WidgetOf(control);
    QMenu menu(&widget);
    // A pop-up is a window of its own and takes no font from the control: it is given the
    // one the control shows, so the menu reads like the window it belongs to.
    menu.setFont(widget.font());
    for (const MenuItem& item : items) {
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setCheckable(true);
        action->setChecked(item.checked);
    }
    QPoint at = QCursor::pos();
    if (!widget.rect().contains(widget.mapFromGlobal(at))) {
        at = widget.mapToGlobal(QPoint(0, widget.height()));
    }
    QAction* chosen = menu.exec(at);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return static_cast<int>(menu.actions().indexOf(chosen));
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
        if (widget == nullptr) {
            continue;
        }
        const auto* window = dynamic_cast<const qt::WindowWidget*>(widget);
        const bool open = window != nullptr ? !window->closed : widget->isVisible();
        if (open && widget->windowTitle() == title) {
            return true;
        }
    }
    return false;
}

bool ShowHelp(const Window* owner, const std::string& path) {
    EnsureApplication();
    if (!QFile::exists(QString::fromStdString(path))) {
        return false;
    }
    // A window of its own, above its owner, that goes when the user closes it or with the
    // owner; it takes the help's title. X11 records the owner of dialogs only.
    const auto* ownerWindow = dynamic_cast<const QtWindow*>(owner);
    auto* viewer = new QTextBrowser(ownerWindow != nullptr ? &ownerWindow->Widget() : nullptr);
    viewer->setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setOpenExternalLinks(true);
    viewer->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    viewer->setWindowTitle(viewer->documentTitle());
    viewer->resize(kHelpWindowSize);
    if (ownerWindow != nullptr) {
        CascadeFrom(ownerWindow->Widget(), *viewer);
    }
    viewer->show();
    return true;
}

bool ShellOpen(const std::string& path) {
    EnsureApplication();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace kestrune::toolkit
