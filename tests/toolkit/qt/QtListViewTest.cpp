// The Qt list view reports selection changes row by row, user drops of files and the
// pointer entering it, and stays silent while rows are added or deleted.
#include "QtTestWindow.h"

#include "toolkit/qt/QtListView.h"

#include <QDropEvent>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

class ListViewTest : public QtTestWindow {
protected:
    ListViewTest() : list(window->AddListView()) {
        list.SetBounds({0, 0, 300, 200});
        ListViewStyle style;
        style.fullRowSelect = true;
        style.singleSelection = true;
        style.gridLines = true;
        list.SetStyle(style);
        list.AddColumn({"Имя файла", 100, Alignment::Left});
        list.AddColumn({"Размер (байт)", 100, Alignment::Left});
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            list.AddRow(name);
        }
        list.onItemChanged = [this](int row) { changes.push_back(row); };
    }

    QTableWidget& Table() { return WidgetOf<QTableWidget>(list); }

    void ClickRow(int row) {
        Table().scrollToItem(Table().item(row, 0));
        const QRect cell = Table().visualItemRect(Table().item(row, 0));
        QTest::mouseClick(Table().viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Sends a drag of the files over the list and drops it; answers whether it was taken.
    bool Drop(const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        }
        data.setUrls(urls);
        const QPoint at(20, 40);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Table().viewport(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Table().viewport(), &drop);
        return drop.isAccepted();
    }

    ListView& list;
    std::vector<int> changes;
};

TEST_F(ListViewTest, AUserClickReportsTheRowThatLostAndThenTheRowThatGained) {
    ClickRow(1);
    EXPECT_EQ(list.SelectedRow(), 1);
    ClickRow(2);
    ClickRow(2);
    EXPECT_EQ(changes, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(list.SelectedRow(), 2);
}

TEST_F(ListViewTest, SelectRowReportsLikeTheUserAndMinusOneClearsTheSelection) {
    list.SelectRow(0);
    list.SelectRow(2);
    list.SelectRow(-1);
    list.SelectRow(9);
    EXPECT_EQ(changes, (std::vector<int>{0, 0, 2, 2}));
    EXPECT_EQ(list.SelectedRow(), -1);
}

TEST_F(ListViewTest, AddingAndDeletingRowsReportsNothing) {
    list.SelectRow(1);
    changes.clear();
    list.AddRow("d.mp3");
    list.DeleteRow(0);
    EXPECT_EQ(list.SelectedRow(), 0);
    list.DeleteRow(0);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(1);
    changes.clear();
    list.DeleteAllRows();
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(ListViewTest, CellsAndImagesThatDoNotExistReadAsEmptyAndZero) {
    list.SetCellText(0, 1, "4096");
    list.SetCellText(0, 5, "lost");
    list.SetCellText(7, 0, "lost");
    list.SetRowImage(1, 1);
    EXPECT_EQ(list.CellText(0, 0), "a.mp3");
    EXPECT_EQ(list.CellText(0, 1), "4096");
    EXPECT_EQ(list.CellText(1, 1), "");
    EXPECT_EQ(list.CellText(0, 5), "");
    EXPECT_EQ(list.CellText(7, 0), "");
    EXPECT_EQ(list.RowImage(1), 1);
    EXPECT_EQ(list.RowImage(0), 0);
    EXPECT_EQ(list.RowImage(7), 0);
    EXPECT_EQ(list.Columns().size(), 2u);
    EXPECT_EQ(Table().horizontalHeaderItem(1)->text().toStdString(), "Размер (байт)");
}

TEST_F(ListViewTest, DroppedFilesReachOnDropFilesOnlyWhileTheListAcceptsThem) {
    std::vector<std::string> dropped;
    list.onDropFiles = [&](const std::vector<std::string>& paths) { dropped = paths; };
    const std::vector<std::string> paths{"/music/a b.mp3", "/music/Альбом"};

    EXPECT_FALSE(Drop(paths));
    EXPECT_TRUE(dropped.empty());

    list.SetAcceptsFiles(true);
    EXPECT_TRUE(Drop(paths));
    EXPECT_EQ(dropped, paths);

    dropped.clear();
    list.SetEnabled(false);
    EXPECT_FALSE(Drop(paths));
    EXPECT_TRUE(dropped.empty());
}

TEST_F(ListViewTest, AnInfoTipShowsTheWholeTextOfACutCellOnly) {
    const std::string whole = "Очень длинное имя файла, которое не помещается";
    list.SetCellText(0, 1, whole);
    list.SetCellText(1, 1, "4096");
    // The tip the list shows for a rest of the pointer over the cell; empty for none.
    const auto tipOver = [&](int row) {
        const QPoint at = Table().visualItemRect(Table().item(row, 1)).center();
        QHelpEvent rest(QEvent::ToolTip, at, Table().viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(Table().viewport(), &rest);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
    };

    EXPECT_EQ(tipOver(0), "");
    ListViewStyle style = list.Style();
    style.infoTips = true;
    list.SetStyle(style);
    EXPECT_EQ(tipOver(1), "");
    EXPECT_EQ(tipOver(0), whole);
}

TEST_F(ListViewTest, ThePointerEnteringTheListIsReported) {
    int entered = 0;
    list.onMouseEnter = [&] { ++entered; };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&Table(), &enter);
    EXPECT_EQ(entered, 1);
}

}  // namespace
}  // namespace kestrune::toolkit::qt
