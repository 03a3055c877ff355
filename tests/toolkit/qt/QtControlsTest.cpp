// The Qt back end maps user actions on controls to the toolkit's events, and calls from
// code to state without events, as the toolkit interface promises.
#include "QtTestWindow.h"

#include "toolkit/qt/QtServices.h"
#include "toolkit/qt/QtUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

using ControlsTest = QtTestWindow;

// Clicks where a check box or radio button has its mark, as a user aims.
void ClickOnMark(const Control& control) {
    QWidget& widget = WidgetOf(control);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, widget.height() / 2));
}

TEST_F(ControlsTest, UserClicksReachOnClickWithTheNewStateAlreadySet) {
    Button& button = window->AddButton("Go");
    const ImageList& images =
        window->AddImageList("NO_SUCH_STRIP", {16, 16}, Colour::FromRgb(0, 0, 0));
    ImageButton& imageButton = window->AddImageButton(images, 2);
    CheckBox& checkBox = window->AddCheckBox("Box");
    std::vector<std::string> clicks;
    button.onClick = [&] { clicks.push_back("button"); };
    imageButton.onClick = [&] { clicks.push_back("image"); };
    checkBox.onClick = [&] {
        clicks.push_back(checkBox.IsChecked() ? "box checked" : "box unchecked");
    };

    QTest::mouseClick(&WidgetOf(button), Qt::LeftButton);
    QTest::mouseClick(&WidgetOf(imageButton), Qt::LeftButton);
    ClickOnMark(checkBox);
    ClickOnMark(checkBox);

    EXPECT_EQ(clicks,
              (std::vector<std::string>{"button", "image", "box checked", "box unchecked"}));
}

TEST_F(ControlsTest, RadioButtonsOfOneParentFormAGroupAndOnlyUserClicksAreReported) {
    Panel& other = window->AddPanel();
    RadioButton& first = window->AddRadioButton("CBR");
    RadioButton& second = window->AddRadioButton("VBR");
    RadioButton& elsewhere = other.AddRadioButton("Other");
    first.SetTop(0);
    second.SetTop(20);
    int clicks = 0;
    first.onClick = second.onClick = [&] { ++clicks; };

    first.SetChecked(true);
    elsewhere.SetChecked(true);
    EXPECT_EQ(clicks, 0);

    ClickOnMark(second);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(second.IsChecked());
    EXPECT_FALSE(first.IsChecked());
    EXPECT_TRUE(elsewhere.IsChecked());

    second.SetChecked(false);
    EXPECT_FALSE(second.IsChecked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, SetCheckedNeverReportsAClick) {
    CheckBox& checkBox = window->AddCheckBox("Box");
    int clicks = 0;
    checkBox.onClick = [&] { ++clicks; };
    checkBox.SetChecked(true);
    checkBox.SetChecked(false);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ControlsTest, ADisabledPanelDisablesItsChildrenWhoKeepTheirOwnFlag) {
    Panel& panel = window->AddPanel();
    Button& button = panel.AddButton("Go");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    panel.SetEnabled(false);
    QTest::mouseClick(&WidgetOf(button), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(button.IsEnabled());
    EXPECT_FALSE(button.IsEffectivelyEnabled());
    EXPECT_FALSE(WidgetOf(button).isEnabled());

    panel.SetEnabled(true);
    QTest::mouseClick(&WidgetOf(button), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    button.SetEnabled(false);
    panel.SetEnabled(false);
    panel.SetEnabled(true);
    EXPECT_FALSE(button.IsEnabled());
}

TEST_F(ControlsTest, EditReportsEveryChangeOfItsTextButNotTheSameTextAgain) {
    Edit& edit = window->AddEdit();
    std::vector<std::string> seen;
    edit.onChange = [&] { seen.push_back(edit.Text()); };

    edit.SetText("Title");
    edit.SetText("Title");
    EXPECT_EQ(edit.CaretPosition(), 5);
    QTest::keyClicks(&WidgetOf(edit), "!");
    edit.SetText("");

    EXPECT_EQ(seen, (std::vector<std::string>{"Title", "Title!", ""}));
}

TEST_F(ControlsTest, NumberOnlyEditTakesDigitsFromTheUserAndAnyTextFromTheProgram) {
    Edit& edit = window->AddEdit();
    edit.SetNumbersOnly(true);
    QTest::keyClicks(&WidgetOf(edit), "19a8");
    EXPECT_EQ(edit.Text(), "198");
    edit.SetText("abc");
    EXPECT_EQ(edit.Text(), "abc");

    edit.SetNumbersOnly(false);
    edit.SetText("");
    QTest::keyClicks(&WidgetOf(edit), "7b");
    EXPECT_EQ(edit.Text(), "7b");
}

TEST_F(ControlsTest, ComboBoxReportsOnlyAPickByTheUser) {
    ComboBox& combo = window->AddComboBox();
    for (const char* item : {"", "Blues", "Rock"}) {
        combo.AddItem(item);
    }
    int picks = 0;
    combo.onSelect = [&] { ++picks; };

    combo.SetSelectedIndex(1);
    EXPECT_EQ(picks, 0);
    QTest::keyClick(&WidgetOf(combo), Qt::Key_Down);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(combo.SelectedIndex(), 2);

    combo.SetSelectedIndex(7);
    EXPECT_EQ(combo.SelectedIndex(), -1);
    EXPECT_EQ(combo.ItemText(7), "");
}

TEST_F(ControlsTest, UpDownStepsWithinItsRangeAndReportsTheRelease) {
    UpDown& upDown = window->AddUpDown();
    upDown.SetRange(0, 11);
    upDown.SetStep(2);
    upDown.SetPosition(9);
    std::vector<int> released;
    upDown.onMouseUp = [&] { released.push_back(upDown.Position()); };
    auto& arrows = dynamic_cast<QtUpDown&>(upDown);

    QTest::mouseClick(&arrows.UpArrow(), Qt::LeftButton);
    QTest::mouseClick(&arrows.UpArrow(), Qt::LeftButton);
    QTest::mouseClick(&arrows.DownArrow(), Qt::LeftButton);

    EXPECT_EQ(released, (std::vector<int>{11, 11, 9}));
}

TEST_F(ControlsTest, AnArrowHeldDownStepsOnAndOnlyItsReleaseIsReported) {
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

TEST_F(ControlsTest, PositionsAreKeptInsideTheRange) {
    ProgressBar& bar = window->AddProgressBar();
    TrackBar& track = window->AddTrackBar();
    UpDown& upDown = window->AddUpDown();
    EXPECT_EQ(bar.Position(), 0);
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
}

TEST_F(ControlsTest, ChildrenTakeACopyOfTheParentsFontAndColours) {
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

    EXPECT_EQ(label.GetFont(), blue);
    EXPECT_EQ(label.BackgroundColour(), Colour::FromRgb(166, 202, 240));
    const QWidget& shown = WidgetOf(label);
    EXPECT_EQ(shown.palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(shown.palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(shown.font().pixelSize(), 11);
    EXPECT_EQ(WidgetOf(own).font().pixelSize(), 13);
    EXPECT_EQ(window->GetFont(), blue);
}

TEST_F(ControlsTest, AutoSizedLabelsAndCheckBoxesFollowTheirText) {
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

TEST_F(ControlsTest, HintsGiveEachControlItsTip) {
    Hints& hints = window->AddHints();
    Button& button = window->AddButton("Go");
    Label& label = window->AddLabel("x");
    hints.AddTip(button, "Сжать MP3");
    hints.AddTip(button, "Помощь");
    EXPECT_EQ(hints.TipOf(button), "Помощь");
    EXPECT_EQ(WidgetOf(button).toolTip().toStdString(), "Помощь");
    EXPECT_EQ(hints.TipOf(label), "");
}

TEST_F(ControlsTest, AMissingBitmapResourceGivesEmptyImagesOfTheAskedSize) {
    const ImageList& images =
        window->AddImageList("FORMP3_MISSING", {24, 24}, Colour::FromRgb(0, 0, 0));
    EXPECT_EQ(images.ImageWidth(), 24);
    EXPECT_EQ(images.ImageHeight(), 24);
    EXPECT_TRUE(dynamic_cast<const QtImageList&>(images).Icon(3).isNull());
    ListView& list = window->AddListView();
    list.SetSmallImages(images);
    list.AddRow("a.mp3");
    list.SetRowImage(0, 1);
    EXPECT_EQ(list.RowImage(0), 1);
}

}  // namespace
}  // namespace kestrune::toolkit::qt
