// The list view's contract: selection moves reported row by row, silence while rows are
// added, filled and deleted, cells that do not exist, drops and the pointer.
#include "ContractFixture.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::contract {
namespace {

class ListViewContract : public Contract {
protected:
    ListViewContract() : list(window->AddListView()) {
        list.SetBounds({0, 0, 300, 200});
        list.SetStyle({.fullRowSelect = true, .singleSelection = true});
        list.AddColumn({"Имя файла", 100, Alignment::Left});
        list.AddColumn({"Размер (байт)", 100, Alignment::Left});
        for (const char* name : {"a", "b", "c"}) {
            list.AddRow(name);
        }
        list.onItemChanged = [this](int row) { changes.push_back(row); };
    }

    ListView& list;
    std::vector<int> changes;
};

TEST_F(ListViewContract, SelectionMovesReportTheRowThatLostItThenTheRowThatGainedIt) {
    driver->SelectRow(list, 1);
    driver->SelectRow(list, 2);
    driver->SelectRow(list, 2);
    list.SelectRow(0);
    list.SelectRow(-1);
    list.SelectRow(9);
    EXPECT_EQ(changes, (std::vector<int>{1, 1, 2, 2, 0, 0}));
    EXPECT_EQ(list.SelectedRow(), -1);
}

TEST_F(ListViewContract, RowsComeAndGoSilentlyAndTheSelectionStaysOnItsRow) {
    list.SetCellText(2, 1, "1,000");
    list.SetCellText(2, 7, "no such column");
    list.SetCellText(7, 0, "no such row");
    list.SetRowImage(2, 1);
    list.SelectRow(2);
    changes.clear();

    list.AddRow("d");
    list.DeleteRow(0);
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_EQ(list.CellText(1, 0), "c");
    EXPECT_EQ(list.CellText(1, 1), "1,000");
    EXPECT_EQ(list.RowImage(1), 1);
    EXPECT_EQ(list.RowImage(0), 0);
    EXPECT_EQ(list.CellText(1, 7), "");
    EXPECT_EQ(list.CellText(0, 1), "");
    EXPECT_EQ(list.CellText(7, 0), "");
    EXPECT_EQ(list.RowImage(7), 0);

    list.DeleteRow(1);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(0);
    changes.clear();
    list.DeleteAllRows();
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.Columns().size(), 2u);
}

TEST_F(ListViewContract, OnlyAnEnabledListThatAcceptsFilesTakesDrops) {
    std::vector<std::string> dropped;
    list.onDropFiles = [&](const std::vector<std::string>& paths) { dropped = paths; };
    const std::vector<std::string> files{"/music/a b.mp3", "/music/Альбом"};

    EXPECT_FALSE(driver->DropFiles(list, files));
    list.SetAcceptsFiles(true);
    EXPECT_TRUE(driver->DropFiles(list, files));
    EXPECT_EQ(dropped, files);

    dropped.clear();
    list.SetEnabled(false);
    EXPECT_FALSE(driver->DropFiles(list, files));
    EXPECT_TRUE(dropped.empty());
}

TEST_F(ListViewContract, ThePointerEnteringTheListIsReported) {
    int entered = 0;
    list.onMouseEnter = [&] { ++entered; };
    driver->MouseEnter(list);
    EXPECT_EQ(entered, 1);
}

}  // namespace
}  // namespace kestrune::toolkit::contract
