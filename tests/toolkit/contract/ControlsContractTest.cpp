// The controls' contract: the tree and what a child copies from its parent, enabled state,
// clicks, context menus, radio groups, edit fields, drop-down lists, ranges, arrows and auto-size.
#include "ContractFixture.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit::contract {
namespace {

TEST_F(Contract, ChildrenCopyTheParentsFontAndColourWhenCreatedOnly) {
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
    EXPECT_EQ(window->GetFont(), blue);
}

TEST_F(Contract, ADisabledAncestorStopsEveryClickBelowItAndChildrenKeepTheirFlag) {
    Panel& panel = window->AddPanel();
    panel.SetBounds({0, 0, 300, 200});
    Button& button = panel.AddButton("b");
    CheckBox& box = panel.AddCheckBox("c");
    box.SetTop(40);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    panel.SetEnabled(false);
    EXPECT_TRUE(button.IsEnabled());
    EXPECT_FALSE(button.IsEffectivelyEnabled());
    EXPECT_FALSE(driver->Click(button));
    EXPECT_FALSE(driver->Click(box));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(box.IsChecked());

    panel.SetEnabled(true);
    EXPECT_TRUE(driver->Click(button));
    EXPECT_TRUE(driver->Click(box));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.IsChecked());

    button.SetEnabled(false);
    panel.SetEnabled(false);
    panel.SetEnabled(true);
    EXPECT_FALSE(button.IsEnabled());
}

TEST_F(Contract, UserClicksReportTheNewStateAndTheProgramsChangesReportNothing) {
    Button& button = window->AddButton("Go");
    const ImageList& images =
        window->AddImageList("NO_SUCH_STRIP", {16, 16}, Colour::FromRgb(0, 0, 0));
    ImageButton& imageButton = window->AddImageButton(images, 2);
    CheckBox& box = window->AddCheckBox("Box");
    imageButton.SetTop(30);
    box.SetTop(60);
    std::vector<std::string> clicks;
    button.onClick = [&] { clicks.push_back("button"); };
    imageButton.onClick = [&] { clicks.push_back("image"); };
    box.onClick = [&] { clicks.push_back(box.IsChecked() ? "box checked" : "box unchecked"); };

    box.SetChecked(true);
    box.SetChecked(false);
    driver->Click(button);
    driver->Click(imageButton);
    driver->Click(box);
    driver->Click(box);
    EXPECT_EQ(clicks,
              (std::vector<std::string>{"button", "image", "box checked", "box unchecked"}));
    EXPECT_EQ(images.ImageWidth(), 16);  // a missing strip still has its image size
}

TEST_F(Contract, RightClickShowsTheButtonsMenuAsGivenAndAnswersTheUsersChoice) {
    const ImageList& images =
        window->AddImageList("NO_SUCH_STRIP", {16, 16}, Colour::FromRgb(0, 0, 0));
    ImageButton& button = window->AddImageButton(images, 0);
    const std::vector<MenuItem> items{{"Сжимать по одному", true}, {"Все сразу", false}};
    std::vector<std::optional<int>> answers;
    button.onContextMenu = [&] { answers.push_back(ShowContextMenu(button, items)); };

    const std::vector<std::optional<int>> choices{1, std::nullopt, 0};
    for (const std::optional<int> choice : choices) {
        driver->QueueMenuChoice(choice);
        EXPECT_TRUE(driver->RightClick(button));
    }
    EXPECT_EQ(answers, choices);
    EXPECT_EQ(driver->ShownMenus(), std::vector<std::vector<MenuItem>>(choices.size(), items));
}

TEST_F(Contract, RightClickOnADisabledButtonOrOneWithoutMenuDoesNothing) {
    const ImageList& images =
        window->AddImageList("NO_SUCH_STRIP", {16, 16}, Colour::FromRgb(0, 0, 0));
    ImageButton& disabled = window->AddImageButton(images, 0);
    ImageButton& plain = window->AddImageButton(images, 1);
    plain.SetTop(30);
    int requests = 0;
    disabled.onContextMenu = [&] { ++requests; };
    disabled.SetEnabled(false);

    EXPECT_FALSE(driver->RightClick(disabled));
    EXPECT_FALSE(driver->RightClick(plain));
    EXPECT_EQ(requests, 0);
    EXPECT_TRUE(driver->ShownMenus().empty());
}

TEST_F(Contract, RadioButtonsOfOneParentExcludeEachOtherAndOnlyThose) {
    GroupBox& group = window->AddGroupBox("1");
    group.SetBounds({0, 0, 200, 100});
    RadioButton& cbr = group.AddRadioButton("CBR");
    RadioButton& vbr = group.AddRadioButton("VBR");
    vbr.SetTop(40);
    RadioButton& elsewhere = window->AddRadioButton("other");
    elsewhere.SetTop(150);
    std::vector<std::string> clicked;
    vbr.onClick = [&] { clicked.push_back(cbr.IsChecked() ? "cbr still on" : "vbr alone"); };

    cbr.SetChecked(true);
    elsewhere.SetChecked(true);
    driver->Click(vbr);
    EXPECT_EQ(clicked, std::vector<std::string>{"vbr alone"});
    EXPECT_TRUE(vbr.IsChecked());
    EXPECT_FALSE(cbr.IsChecked());
    EXPECT_TRUE(elsewhere.IsChecked());

    cbr.SetChecked(true);
    EXPECT_FALSE(vbr.IsChecked());
    cbr.SetChecked(false);
    EXPECT_FALSE(cbr.IsChecked());
}

TEST_F(Contract, EditReportsEveryRealChangeOfItsTextWhoeverMadeIt) {
    Edit& edit = window->AddEdit();
    std::vector<std::string> seen;
    edit.onChange = [&] { seen.push_back(edit.Text()); };

    edit.SetText("ab");
    edit.SetText("ab");
    EXPECT_EQ(edit.CaretPosition(), 2);
    driver->TypeText(edit, "Жы");
    EXPECT_TRUE(driver->Paste(edit, "cd"));
    edit.SetCaretPosition(1);
    driver->TypeText(edit, "-");
    edit.SetText("");

    EXPECT_EQ(seen, (std::vector<std::string>{"ab", "abЖ", "abЖы", "abЖыcd", "a-bЖыcd", ""}));
}

TEST_F(Contract, NumberOnlyEditTakesDigitsFromTheUserButAnyTextFromTheProgram) {
    Edit& year = window->AddEdit();
    year.SetNumbersOnly(true);
    driver->TypeText(year, "1a9x");
    EXPECT_EQ(year.Text(), "19");
    EXPECT_FALSE(driver->Paste(year, "7b"));
    EXPECT_TRUE(driver->Paste(year, "84"));
    EXPECT_EQ(year.Text(), "1984");
    year.SetText("abc");
    EXPECT_EQ(year.Text(), "abc");

    year.SetNumbersOnly(false);
    year.SetText("");
    driver->TypeText(year, "7b");
    EXPECT_EQ(year.Text(), "7b");
}

TEST_F(Contract, ChangeHandlerMaySetTheTextAgainWhileReporting) {
    Edit& title = window->AddEdit();
    int reports = 0;
    title.onChange = [&] {
        ++reports;
        if (title.Text().size() > 3) {
            title.SetText(title.Text().substr(0, 3));
            title.SetCaretPosition(3);
        }
    };
    driver->Paste(title, "abcdef");
    EXPECT_EQ(title.Text(), "abc");
    EXPECT_EQ(title.CaretPosition(), 3);
    EXPECT_EQ(reports, 2);
}

TEST_F(Contract, DisabledEditTakesNoInput) {
    Edit& edit = window->AddEdit();
    edit.SetEnabled(false);
    driver->TypeText(edit, "12");
    EXPECT_FALSE(driver->Paste(edit, "34"));
    EXPECT_EQ(edit.Text(), "");
}

TEST_F(Contract, ComboSelectionByTheUserIsReportedButNotByTheProgram) {
    ComboBox& genres = window->AddComboBox();
    for (const char* item : {"", "Blues", "Classic Rock"}) {
        genres.AddItem(item);
    }
    int picks = 0;
    genres.onSelect = [&] { ++picks; };
    EXPECT_EQ(genres.SelectedIndex(), -1);

    genres.SetSelectedIndex(1);
    EXPECT_TRUE(driver->SelectComboItem(genres, 2));
    EXPECT_EQ(genres.SelectedIndex(), 2);
    EXPECT_EQ(picks, 1);
    genres.SetSelectedIndex(3);
    EXPECT_EQ(genres.SelectedIndex(), -1);
    EXPECT_EQ(genres.ItemText(3), "");
}

TEST_F(Contract, RangedControlsKeepTheirPositionInsideTheRange) {
    ProgressBar& bar = window->AddProgressBar();
    TrackBar& track = window->AddTrackBar();
    UpDown& upDown = window->AddUpDown();
    track.SetTop(30);
    upDown.SetTop(80);
    EXPECT_EQ(bar.Maximum(), 100);
    struct Case {
        int minimum, maximum, position, expected;
    };
    const auto check = [](auto& control, const Case& c) {
        control.SetRange(c.minimum, c.maximum);
        control.SetPosition(c.position);
        EXPECT_EQ(control.Position(), c.expected)
            << c.position << " in " << c.minimum << ".." << c.maximum;
    };
    for (const Case c : {Case{0, 9, 12, 9}, Case{0, 9, -3, 0}, Case{5, 20, 7, 7}}) {
        check(bar, c);
        check(track, c);
        check(upDown, c);
    }
    bar.SetPosition(8);
    bar.SetRange(0, 4);
    EXPECT_EQ(bar.Position(), 4);

    track.SetRange(0, 9);
    EXPECT_TRUE(driver->DragTrackBar(track, 15));
    EXPECT_EQ(track.Position(), 9);
}

TEST_F(Contract, UpDownStepsWithinItsRangeAndReportsEveryRelease) {
    UpDown& upDown = window->AddUpDown();
    upDown.SetRange(0, 11);
    upDown.SetStep(2);
    std::vector<int> released;
    upDown.onMouseUp = [&] { released.push_back(upDown.Position()); };

    struct Press {
        Arrow arrow;
        int startAt;
        int expected;
    };
    for (const Press press : {Press{Arrow::Up, 0, 2}, Press{Arrow::Up, 10, 11},
                              Press{Arrow::Down, 1, 0}, Press{Arrow::Down, 5, 3}}) {
        upDown.SetPosition(press.startAt);
        released.clear();
        driver->ReleaseUpDown(upDown, press.arrow);
        EXPECT_EQ(released, std::vector<int>{press.expected}) << "from " << press.startAt;
    }

    upDown.SetEnabled(false);
    released.clear();
    EXPECT_FALSE(driver->ReleaseUpDown(upDown, Arrow::Up));
    EXPECT_TRUE(released.empty());
}

TEST_F(Contract, AutoSizedLabelsAndCheckBoxesFollowTheirTextWhereTheyStand) {
    Label& label = window->AddLabel("Год");
    CheckBox& box = window->AddCheckBox("ID3v1");
    label.SetLeft(4);
    label.SetAutoSize(true);
    box.SetAutoSize(true);
    const int labelWidth = label.Width();
    const int boxWidth = box.Width();
    label.SetText("Название альбома");
    box.SetText("ID3v1 и ещё");
    EXPECT_GT(label.Width(), labelWidth);
    EXPECT_GT(box.Width(), boxWidth);
    EXPECT_EQ(label.Left(), 4);
}

TEST_F(Contract, HintsGiveEachControlItsTip) {
    Hints& hints = window->AddHints();
    Button& button = window->AddButton("Go");
    Label& label = window->AddLabel("x");
    hints.AddTip(button, "Сжать MP3");
    hints.AddTip(button, "Помощь");
    EXPECT_EQ(hints.TipOf(button), "Помощь");
    EXPECT_EQ(hints.TipOf(label), "");
}

TEST_F(Contract, FocusGoesOnlyToControlsThatTakeInput) {
    ListView& list = window->AddListView();
    list.onMouseEnter = [&] { list.SetFocus(); };
    list.SetEnabled(false);
    list.SetFocus();
    EXPECT_NE(driver->FocusedControl(), &list);

    list.SetEnabled(true);
    driver->MouseEnter(list);
    EXPECT_EQ(driver->FocusedControl(), &list);

    window.reset();
    EXPECT_EQ(driver->FocusedControl(), nullptr);
}

}  // namespace
}  // namespace kestrune::toolkit::contract
