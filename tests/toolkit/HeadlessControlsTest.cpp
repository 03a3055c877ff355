// The behaviour of headless controls that the program's tests build on: ownership and
// inheritance, enabled state, text changes, radio groups, arrows, lists and drops.
#include "toolkit/Toolkit.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrune::toolkit::headless {
namespace {

class HeadlessControls : public ::testing::Test {
protected:
    HeadlessDriver driver;
    std::unique_ptr<Window> window = CreateTopLevelWindow("Kestrune");
};

TEST_F(HeadlessControls, ChildrenCopyTheParentsFontAndColourWhenCreatedOnly) {
    Font blue;
    blue.colour = Colour::FromRgb(0, 0, 255);
    blue.charset = 204;
    window->SetFont(blue);
    window->SetBackgroundColour(Colour::FromRgb(166, 202, 240));
    Panel& panel = window->AddPanel();
    GroupBox& group = panel.AddGroupBox("g");
    Label& early = group.AddLabel("early");

    Font red = blue;
    red.colour = Colour::FromRgb(255, 0, 0);
    group.SetFont(red);
    Label& late = group.AddLabel("late");

    EXPECT_EQ(panel.Parent(), window.get());
    EXPECT_EQ(early.Parent(), &group);
    EXPECT_EQ(early.GetFont(), blue);
    EXPECT_EQ(late.GetFont(), red);
    EXPECT_EQ(late.BackgroundColour(), Colour::FromRgb(166, 202, 240));
}

TEST_F(HeadlessControls, ADisabledAncestorStopsEveryClickBelowIt) {
    Panel& panel = window->AddPanel();
    GroupBox& group = panel.AddGroupBox("g");
    Button& button = group.AddButton("b");
    CheckBox& box = group.AddCheckBox("c");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    panel.SetEnabled(false);
    EXPECT_TRUE(button.IsEnabled());
    EXPECT_FALSE(button.IsEffectivelyEnabled());
    EXPECT_FALSE(driver.Click(button));
    EXPECT_FALSE(driver.Click(box));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(box.IsChecked());

    panel.SetEnabled(true);
    EXPECT_TRUE(driver.Click(button));
    EXPECT_TRUE(driver.Click(box));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.IsChecked());
}

TEST_F(HeadlessControls, RadioButtonsOfOneParentExcludeEachOtherAndOnlyThose) {
    GroupBox& first = window->AddGroupBox("1");
    RadioButton& cbr = first.AddRadioButton("CBR");
    RadioButton& vbr = first.AddRadioButton("VBR");
    RadioButton& elsewhere = window->AddRadioButton("other");
    std::vector<std::string> clicked;
    vbr.onClick = [&] { clicked.push_back(cbr.IsChecked() ? "cbr still on" : "vbr alone"); };

    cbr.SetChecked(true);
    elsewhere.SetChecked(true);
    driver.Click(vbr);
    EXPECT_EQ(clicked, std::vector<std::string>{"vbr alone"});
    EXPECT_TRUE(vbr.IsChecked());
    EXPECT_FALSE(cbr.IsChecked());
    EXPECT_TRUE(elsewhere.IsChecked());

    cbr.SetChecked(true);
    EXPECT_FALSE(vbr.IsChecked());
}

TEST_F(HeadlessControls, EditReportsEveryRealChangeOfItsText) {
    Edit& edit = window->AddEdit();
    std::vector<std::string> seen;
    edit.onChange = [&] { seen.push_back(edit.Text()); };

    edit.SetText("ab");
    edit.SetText("ab");
    driver.TypeText(edit, "Жы");
    EXPECT_TRUE(driver.Paste(edit, "cd"));
    edit.SetCaretPosition(1);
    driver.TypeText(edit, "-");

    const std::vector<std::string> expected{"ab", "abЖ", "abЖы", "abЖыcd", "a-bЖыcd"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(edit.CaretPosition(), 2);
}

TEST_F(HeadlessControls, NumberOnlyEditTakesDigitsFromTheUserButAnyTextFromTheProgram) {
    Edit& year = window->AddEdit();
    year.SetNumbersOnly(true);
    int changes = 0;
    year.onChange = [&] { ++changes; };

    driver.TypeText(year, "1a9x");
    EXPECT_EQ(year.Text(), "19");
    EXPECT_FALSE(driver.Paste(year, "7b"));
    EXPECT_TRUE(driver.Paste(year, "84"));
    EXPECT_EQ(year.Text(), "1984");
    EXPECT_EQ(changes, 3);

    year.SetText("abc");
    EXPECT_EQ(year.Text(), "abc");
}

TEST_F(HeadlessControls, ChangeHandlerMaySetTheTextAgainWhileReporting) {
    Edit& title = window->AddEdit();
    int reports = 0;
    title.onChange = [&] {
        ++reports;
        if (title.Text().size() > 3) {
            title.SetText(title.Text().substr(0, 3));
            title.SetCaretPosition(3);
        }
    };
    driver.Paste(title, "abcdef");
    EXPECT_EQ(title.Text(), "abc");
    EXPECT_EQ(title.CaretPosition(), 3);
    EXPECT_EQ(reports, 2);
}

TEST_F(HeadlessControls, UpDownStepsWithinItsRangeAndReportsEveryRelease) {
    UpDown& upDown = window->AddUpDown();
    upDown.SetRange(0, 11);
    upDown.SetStep(1);
    std::vector<int> released;
    upDown.onMouseUp = [&] { released.push_back(upDown.Position()); };

    struct Press {
        Arrow arrow;
        int startAt;
        int expected;
    };
    const Press presses[] = {
        {Arrow::Up, 0, 1}, {Arrow::Up, 11, 11}, {Arrow::Down, 0, 0}, {Arrow::Down, 5, 4}};
    for (const auto& press : presses) {
        upDown.SetPosition(press.startAt);
        released.clear();
        driver.ReleaseUpDown(upDown, press.arrow);
        EXPECT_EQ(released, std::vector<int>{press.expected}) << "from " << press.startAt;
    }

    upDown.SetEnabled(false);
    released.clear();
    EXPECT_FALSE(driver.ReleaseUpDown(upDown, Arrow::Up));
    EXPECT_TRUE(released.empty());
}

TEST_F(HeadlessControls, RangedControlsKeepTheirPositionInsideTheRange) {
    ProgressBar& bar = window->AddProgressBar();
    EXPECT_EQ(bar.Maximum(), 100);
    bar.SetPosition(101);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetRange(0, 12);
    EXPECT_EQ(bar.Position(), 12);

    TrackBar& quality = window->AddTrackBar();
    quality.SetRange(0, 9);
    EXPECT_TRUE(driver.DragTrackBar(quality, 15));
    EXPECT_EQ(quality.Position(), 9);
}

TEST_F(HeadlessControls, ListViewReportsTheRowThatLostTheSelectionThenTheRowThatGainedIt) {
    ListView& list = window->AddListView();
    for (const char* name : {"a", "b", "c"}) {
        list.AddRow(name);
    }
    std::vector<int> changed;
    list.onItemChanged = [&](int row) { changed.push_back(row); };

    driver.SelectRow(list, 0);
    driver.SelectRow(list, 2);
    driver.SelectRow(list, -1);
    EXPECT_EQ(changed, (std::vector<int>{0, 0, 2, 2}));
    EXPECT_EQ(list.SelectedRow(), -1);
}

TEST_F(HeadlessControls, ListViewKeepsItsSelectionOnItsRowWhenRowsGo) {
    ListView& list = window->AddListView();
    list.AddColumn({"Имя файла", 100, Alignment::Left});
    list.AddColumn({"Размер (байт)", 100, Alignment::Left});
    for (const char* name : {"a", "b", "c"}) {
        list.AddRow(name);
    }
    list.SetCellText(2, 1, "1,000");
    list.SetCellText(2, 7, "no such column");
    list.SetRowImage(2, 1);
    list.SelectRow(2);
    int reports = 0;
    list.onItemChanged = [&](int) { ++reports; };

    list.DeleteRow(0);
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_EQ(list.CellText(1, 0), "c");
    EXPECT_EQ(list.CellText(1, 1), "1,000");
    EXPECT_EQ(list.RowImage(1), 1);
    EXPECT_EQ(list.CellText(1, 7), "");
    EXPECT_EQ(list.CellText(5, 0), "");

    list.DeleteRow(1);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(reports, 0);
}

TEST_F(HeadlessControls, OnlyAListThatAcceptsFilesTakesDrops) {
    ListView& list = window->AddListView();
    std::vector<std::string> dropped;
    list.onDropFiles = [&](const std::vector<std::string>& paths) { dropped = paths; };
    const std::vector<std::string> files{"/music/a.mp3", "/music/b.MP3"};

    EXPECT_FALSE(driver.DropFiles(list, files));
    list.SetAcceptsFiles(true);
    EXPECT_TRUE(driver.DropFiles(list, files));
    EXPECT_EQ(dropped, files);
}

TEST_F(HeadlessControls, ComboSelectionByTheUserIsReportedButNotByTheProgram) {
    ComboBox& genres = window->AddComboBox();
    for (const char* item : {"", "Blues", "Classic Rock"}) {
        genres.AddItem(item);
    }
    int picks = 0;
    genres.onSelect = [&] { ++picks; };
    EXPECT_EQ(genres.SelectedIndex(), -1);

    genres.SetSelectedIndex(1);
    driver.SelectComboItem(genres, 2);
    EXPECT_EQ(genres.SelectedIndex(), 2);
    EXPECT_EQ(picks, 1);
    genres.SetSelectedIndex(3);
    EXPECT_EQ(genres.SelectedIndex(), -1);
}

TEST_F(HeadlessControls, ResizingPlacesDockedChildrenBeforeTheResizeHandlerRuns) {
    window->SetClientSize({641, 246});
    window->SetMinimumSize({555, 260});
    Panel& left = window->AddPanel();
    left.SetWidth(329);
    left.SetDocking(Dock::Left);
    Panel& right = window->AddPanel();
    right.SetWidth(307);
    right.SetDocking(Dock::Right);
    std::vector<int> seenLeftHeights;
    window->onResize = [&] { seenLeftHeights.push_back(left.Height()); };

    window->Show();
    EXPECT_TRUE(driver.ResizeByUser(*window, {500, window->Height() + 100}));
    EXPECT_EQ(window->Width(), 555);
    EXPECT_EQ(seenLeftHeights, (std::vector<int>{246, 346}));
    EXPECT_EQ(right.Left(), window->ClientSize().width - 307);

    window->SetResizable(false);
    EXPECT_FALSE(driver.ResizeByUser(*window, {900, 600}));
    EXPECT_EQ(window->Width(), 555);
}

TEST_F(HeadlessControls, ButtonDockedToTheBottomOfItsGroupFollowsTheGroupsSize) {
    GroupBox& group = window->AddGroupBox("  Редактирование тэгов  ");
    group.SetBounds({4, 92, 299, 135});
    Button& save = group.AddButton("Сохранить изменения");
    save.SetHeight(18);
    save.SetDocking(Dock::Bottom);
    EXPECT_EQ(save.Bounds(), (Rect{0, 117, 299, 18}));

    group.SetWidth(200);
    EXPECT_EQ(save.Bounds(), (Rect{0, 117, 200, 18}));
}

TEST_F(HeadlessControls, DisabledEditTakesNoInput) {
    Edit& edit = window->AddEdit();
    edit.SetEnabled(false);
    driver.TypeText(edit, "12");
    EXPECT_FALSE(driver.Paste(edit, "34"));
    EXPECT_EQ(edit.Text(), "");
}

TEST_F(HeadlessControls, AutoSizedLabelFollowsItsText) {
    Label& label = window->AddLabel(" ");
    label.SetAutoSize(true);
    const int blankWidth = label.Width();
    label.SetText("Обрабатывается: a");
    EXPECT_GT(label.Width(), blankWidth);
}

TEST_F(HeadlessControls, FocusGoesOnlyToControlsThatTakeInput) {
    ListView& list = window->AddListView();
    list.onMouseEnter = [&] { list.SetFocus(); };
    list.SetEnabled(false);
    list.SetFocus();
    EXPECT_EQ(driver.FocusedControl(), nullptr);

    list.SetEnabled(true);
    driver.MouseEnter(list);
    EXPECT_EQ(driver.FocusedControl(), &list);

    window.reset();
    EXPECT_EQ(driver.FocusedControl(), nullptr);
}

}  // namespace
}  // namespace kestrune::toolkit::headless
