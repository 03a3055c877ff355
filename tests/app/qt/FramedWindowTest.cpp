// The main window under a window manager that frames it, on an X display of its own (see
// with-window-manager): the first start opens it at its place with its client area, and
// closing and starting again keeps its geometry to the pixel. The client area is measured
// as the X server reports it, in screen pixels: the program's scaled by Qt's factor, so that
// under QT_SCALE_FACTOR=1.5 it is 962 by 369; the window's place and outer size stay in the
// program's own terms, as the settings keep them.
#include "Unit1/BuildMainWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "toolkit/qt/QtControl.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {
namespace {

constexpr int kStarts = 4;  // the first start, then three more

// A length of the program's on the screen, as Qt scales it.
int Scaled(int length, qreal factor) {
    return qRound(length * factor);
}

QRect Scaled(const QRect& r, qreal factor) {
    return {Scaled(r.x(), factor), Scaled(r.y(), factor), Scaled(r.width(), factor),
            Scaled(r.height(), factor)};
}

// "641x246+186+104", as X11 writes a geometry.
std::string Text(const QRect& r) {
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" +
           std::to_string(r.x()) + "+" + std::to_string(r.y());
}

// The client area of an X window on the screen, from xwininfo.
std::optional<QRect> ClientOnScreen(WId window) {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    if (!xwininfo.waitForFinished() || xwininfo.exitCode() != 0) {
        return std::nullopt;
    }
    const QString report = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
    const auto value = [&](const char* name) {
        const QRegularExpression line(QString(name) + QStringLiteral(":\\s*(-?\\d+)"));
        return line.match(report).captured(1).toInt();
    };
    return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                 value("Height"));
}

// Dispatches until the window manager has framed the window and its client area has
// stayed where it is for a tenth of a second; where it stands then. A loaded machine gets
// ten seconds for it.
std::optional<QRect> SettledClientArea(const QWidget& window) {
    std::optional<QRect> last;
    int unchanged = 0;
    for (int poll = 0; poll < 500 && unchanged < 5; ++poll) {
        toolkit::ProcessMessages();
        QThread::msleep(20);
        const std::optional<QRect> now = ClientOnScreen(window.winId());
        const bool framed = window.frameGeometry() != window.geometry();
        unchanged = framed && now && now == last ? unchanged + 1 : 0;
        last = now;
    }
    return unchanged == 5 ? last : std::nullopt;
}

TEST(FramedWindow, OpensAtItsPlaceAndKeepsItsGeometryThroughRestarts) {
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs the display and window manager of with-window-manager";
    }
    test::TempDir dir;
    test::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    environment.Set("HOME", dir.Path().string());

    // Qt's factor from the program's pixels to the screen's: its own, QT_SCALE_FACTOR's.
    const qreal factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    std::vector<std::string> clients;  // the client area of each start, on the screen
    std::vector<std::string> outers;   // with the frame, in the program's terms
    for (int start = 0; start < kStarts; ++start) {
        auto w = unit1::BuildMainWindow();
        w->window->Show();
        const QWidget& window = toolkit::qt::WidgetOf(*w->window);
        const std::optional<QRect> client = SettledClientArea(window);
        ASSERT_TRUE(client) << "start " << start << " never settled";
        const toolkit::Rect bounds = w->window->Bounds();
        const QRect outer(bounds.left, bounds.top, bounds.width, bounds.height);
        EXPECT_TRUE(Scaled(outer, factor).contains(*client) && Scaled(outer, factor) != *client)
            << "not framed: " << Text(outer);
        clients.push_back(Text(*client));
        outers.push_back(Text(outer));
        if (start == 0) {
            std::filesystem::create_directories(KESTRUNE_SCREENSHOTS);
            const std::string name =
                factor == 1 ? "main-window-framed"
                            : "main-window-framed-" + std::to_string(Scaled(100, factor));
            QGuiApplication::primaryScreen()
                ->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height())
                .save(QString::fromStdString(KESTRUNE_SCREENSHOTS "/" + name + ".png"));
        }
        w->window->PostClose();
        toolkit::ProcessMessages();
        ASSERT_TRUE(w->window->IsClosed());
    }

    const std::string clientSize =
        std::to_string(Scaled(641, factor)) + "x" + std::to_string(Scaled(246, factor)) + "+";
    EXPECT_TRUE(clients.front().starts_with(clientSize)) << clients.front();
    EXPECT_TRUE(outers.front().ends_with("+185+84")) << outers.front();
    EXPECT_EQ(clients, std::vector<std::string>(kStarts, clients.front()));
    EXPECT_EQ(outers, std::vector<std::string>(kStarts, outers.front()));
}

}  // namespace
}  // namespace kestrune
