// What only the Qt back end does: the font and colours on the widgets, empty images of a
// missing strip, the tip of a cut cell, an arrow that repeats while held, and a window's
// size limits handed to its widget.
#include "QtTestWindow.h"

#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtServices.h"

#include <QHelpEvent>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

using QtDrawing = QtTestWindow;

TEST_F(QtDrawing, WidgetsShowTheFontAndColoursOfTheirControls) {
    Font blue;
    blue.colour = Colour::FromRgb(0, 0, 255);
    blue.height = 11;
    window->SetFont(blue);
    window->SetBackgroundColour(Colour::FromRgb(166, 202, 240));
    Label& label = window->AddLabel("32");
    Font fixed = blue;
    fixed.pitch = Pitch::Fixed;
    fixed.height = 13;
    Label& own = window->AddLabel("Ниже");
    own.SetFont(fixed);

    const QWidget& shown = WidgetOf(label);
    EXPECT_EQ(shown.palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(shown.palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(shown.font().pixelSize(), 11);
    EXPECT_EQ(WidgetOf(own).font().pixelSize(), 13);
}

TEST_F(QtDrawing, AMissingBitmapResourceGivesEmptyImagesOfTheAskedSize) {
    const ImageList& images =
        window->AddImageList("FORMP3_MISSING", {24, 24}, Colour::FromRgb(0, 0, 0));
    EXPECT_EQ(images.ImageHeight(), 24);
    EXPECT_TRUE(dynamic_cast<const QtImageList&>(images).Icon(3).isNull());
}

TEST_F(QtDrawing, AnInfoTipShowsTheWholeTextOfACutCellOnly) {
    ListView& list = window->AddListView();
    list.SetBounds({0, 0, 300, 200});
    list.AddColumn({"Имя файла", 100, Alignment::Left});
    list.AddColumn({"Размер (байт)", 100, Alignment::Left});
    list.AddRow("a.mp3");
    list.AddRow("b.mp3");
    const std::string whole = "Очень длинное имя файла, которое не помещается";
    list.SetCellText(0, 1, whole);
    list.SetCellText(1, 1, "4096");
    auto& table = WidgetOf<QTableWidget>(list);
    // The tip the list shows for a rest of the pointer over the cell; empty for none.
    const auto tipOver = [&](int row) {
        const QPoint at = table.visualItemRect(table.item(row, 1)).center();
        QHelpEvent rest(QEvent::ToolTip, at, table.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(table.viewport(), &rest);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
    };

    EXPECT_EQ(tipOver(0), "");
    ListViewStyle style = list.Style();
    style.infoTips = true;
    list.SetStyle(style);
    EXPECT_EQ(tipOver(1), "");
    EXPECT_EQ(tipOver(0), whole);
}

TEST_F(QtDrawing, AnArrowHeldDownStepsOnAndOnlyItsReleaseIsReported) {
    UpDown& upDown = window->AddUpDown();
    upDown.SetRange(0, 11);
    std::vector<int> released;
    upDown.onMouseUp = [&] { released.push_back(upDown.Position()); };
    QToolButton& up = dynamic_cast<QtUpDown&>(upDown).UpArrow();

    QTest::mousePress(&up, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return upDown.Position() >= 3; }, 5000));
    EXPECT_TRUE(released.empty());
    QTest::mouseRelease(&up, Qt::LeftButton);
    const int position = upDown.Position();
    QTest::qWait(2 * up.autoRepeatInterval());

    EXPECT_EQ(upDown.Position(), position);
    EXPECT_EQ(released, std::vector<int>{position});
}

TEST_F(QtDrawing, TheWindowsSizeLimitsReachItsWidget) {
    window->SetMinimumSize({555, 260});
    const QWidget& widget = WidgetOf(*window);
    EXPECT_EQ(widget.minimumSize().width() + window->Width() - window->ClientSize().width, 555);
    window->SetResizable(false);
    window->SetClientSize({283, 84});
    EXPECT_EQ(widget.minimumSize(), widget.maximumSize());
}

}  // namespace
}  // namespace kestrune::toolkit::qt
