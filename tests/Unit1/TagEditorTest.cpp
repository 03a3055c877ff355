// The tag fields' limits, counted in characters, and when the save button is available.
#include "MainWindowFixture.h"

#include "Unit1/ListCommands.h"
#include "Unit1/TagEditor.h"
#include "platform/TextCodec.h"

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

    MakeFile("empty.mp3", 10);
    MakeTaggedMp3("song.mp3", "Song", 5);
    driver.QueueOpenDialogResult(dir.Path().string() + "\rempty.mp3\rsong.mp3");
    driver.Click(*w.addButton);

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
    EXPECT_EQ(w.currentRowName, "empty");
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
