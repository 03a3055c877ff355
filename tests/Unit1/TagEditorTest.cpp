// The tag fields' limits, counted in characters, and when the save button is available.
#include "MainWindowFixture.h"

#include "Unit1/ListCommands.h"
#include "Unit1/TagEditor.h"
#include "platform/TextCodec.h"
#include "support/Mp3Bytes.h"

namespace kestrune::unit1 {
namespace {

class TagEditor : public MainWindowFixture {};

TEST_F(TagEditor, TextBeyondAFieldsLimitIsCutWithOneBeep) {
    MainWindow& w = Build();
    const std::string cyrillic30 = "абвгдеёжзийклмнопрстуфхцчшщъыь";
    const struct {
        const char* name;
        toolkit::Edit* field;
        std::string pasted;
        std::string kept;
        int beeps;
    } cases[] = {
        {"35 characters", w.titleEdit, std::string(35, 't'), std::string(30, 't'), 1},
        {"30 Cyrillic letters", w.artistEdit, cyrillic30, cyrillic30, 0},
        {"31 Cyrillic letters", w.albumEdit, cyrillic30 + "я", cyrillic30, 1},
        {"five digits", w.yearEdit, "19999", "1999", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int beepsBefore = driver.BeepCount();
        ASSERT_TRUE(driver.Paste(*c.field, c.pasted));
        EXPECT_EQ(c.field->Text(), c.kept);
        EXPECT_EQ(driver.BeepCount() - beepsBefore, c.beeps);
        EXPECT_EQ(c.field->CaretPosition(), static_cast<int>(platform::CountCharacters(c.kept)));
    }
}

// A text longer than an ID3v1 field reaches an ID3v2 tag whole; only where the row's text
// can go nowhere but ID3v1 does typing stop at the field's width.
TEST_F(TagEditor, ALongTitleIsShownWholeAndTypingIsCutOnlyWhereOnlyId3v1TakesIt) {
    MainWindow& w = Build();
    const std::string longTitle(45, 'L');
    const std::string withId3v2 = dir.File("v2.mp3");
    test::WriteBytes(
        withId3v2,
        test::Concat({test::MakeId3v2Tag(
                          3, test::MakeId3v2Frame(3, "TIT2", test::LegacyTextData(longTitle))),
                      test::Frames(test::kMpeg1Layer3At128, 40)}));
    AddSelection(w, {withId3v2, MakeTaggedMp3("v1.mp3", "Short", 17)});
    const struct {
        const char* name;
        int row;
        bool id3v2Ticked;
        std::size_t kept;
    } cases[] = {
        {"ID3v1 alone", 1, false, 30},
        {"source with an ID3v2 tag", 0, false, 35},
        {"ID3v2 ticked", 1, true, 35},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.id3v2Box->SetChecked(c.id3v2Ticked);
        const int beepsBefore = driver.BeepCount();
        ASSERT_TRUE(driver.SelectRow(*w.fileListView, c.row));
        EXPECT_EQ(w.titleEdit->Text(), c.row == 0 ? longTitle : "Short");
        EXPECT_EQ(driver.BeepCount(), beepsBefore);
        w.titleEdit->SetText("");
        ASSERT_TRUE(driver.Paste(*w.titleEdit, std::string(35, 't')));
        EXPECT_EQ(w.titleEdit->Text(), std::string(c.kept, 't'));
    }
}

TEST_F(TagEditor, AFifthYearDigitBeepsAndLettersCannotBeTyped) {
    MainWindow& w = Build();
    driver.TypeText(*w.yearEdit, "2001");
    EXPECT_EQ(driver.BeepCount(), 0);
    driver.TypeText(*w.yearEdit, "7");
    EXPECT_EQ(w.yearEdit->Text(), "2001");
    EXPECT_EQ(driver.BeepCount(), 1);
    EXPECT_FALSE(driver.Paste(*w.yearEdit, "x"));
    EXPECT_EQ(w.yearEdit->Text(), "2001");
}

TEST_F(TagEditor, TheSaveButtonWakesOnlyWhileARowIsShown) {
    MainWindow& w = Build();
    driver.TypeText(*w.titleEdit, "x");
    driver.Click(*w.id3v2Box);
    EXPECT_FALSE(w.saveButton->IsEnabled());

    // A file named ".mp3" has an empty name, and is a row like any other.
    MakeFile(".mp3", 10);
    MakeTaggedMp3("song.mp3", "Song", 5);
    driver.QueueOpenDialogResult(dir.Path().string() + "\r.mp3\rsong.mp3");
    driver.Click(*w.addButton);

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
    EXPECT_EQ(w.currentRowName, "");
    EXPECT_FALSE(w.saveButton->IsEnabled()) << "a row without tags fills no field";
    driver.Click(*w.id3v1Box);
    EXPECT_TRUE(w.saveButton->IsEnabled());

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 1));
    EXPECT_EQ(w.currentRow, 1);
    EXPECT_EQ(w.titleEdit->Text(), "Song");
    EXPECT_TRUE(w.saveButton->IsEnabled()) << "filling a field counts as a change";
    ASSERT_TRUE(driver.Click(*w.saveButton));
    EXPECT_TRUE(w.saveButton->IsEnabled());

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
    ASSERT_TRUE(driver.SelectComboItem(*w.genreBox, 3));
    EXPECT_TRUE(w.saveButton->IsEnabled());
    driver.Click(*w.saveButton);
    EXPECT_EQ(w.fileList.At(0).genre, "2");
}

}  // namespace
}  // namespace kestrune::unit1
