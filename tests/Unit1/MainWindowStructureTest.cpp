// The main window as built: every control with its parent, place, caption and hint, the
// looks that differ from the window's own, and the layout rule on resizing.
#include "MainWindowFixture.h"

#include "Unit1/BuildMainWindow.h"

#include <string>

namespace kestrune::unit1 {
namespace {

using toolkit::Colour;
using toolkit::Control;
using toolkit::Pitch;
using toolkit::Rect;
using toolkit::SystemColour;

std::string CaptionOf(const Control& control) {
    if (const auto* label = dynamic_cast<const toolkit::Label*>(&control)) {
        return label->Text();
    }
    if (const auto* box = dynamic_cast<const toolkit::CheckBox*>(&control)) {
        return box->Text();
    }
    if (const auto* radio = dynamic_cast<const toolkit::RadioButton*>(&control)) {
        return radio->Text();
    }
    if (const auto* group = dynamic_cast<const toolkit::GroupBox*>(&control)) {
        return group->Caption();
    }
    if (const auto* button = dynamic_cast<const toolkit::Button*>(&control)) {
        return button->Text();
    }
    if (const auto* edit = dynamic_cast<const toolkit::Edit*>(&control)) {
        return edit->Text();
    }
    return {};
}

class MainWindowStructure : public MainWindowFixture {};

TEST_F(MainWindowStructure, EveryControlHasItsParentPlaceCaptionAndHint) {
    MainWindow& w = Build();
    toolkit::RunMessageLoop(*w.window);  // the first sizing runs the layout

    // Fitted sizes follow the headless text metrics: (height + 1) / 2 pixels a character,
    // height + 2 lines, and 17 pixels for a check box's mark.
    const struct {
        const char* name;
        const Control* control;
        const Control* parent;
        Rect bounds;
        const char* caption;
        const char* hint;
    } expected[] = {
        {"leftPanel", w.leftPanel, w.window.get(), {0, 0, 330, 246}, "", ""},
        {"helpButton", w.helpButton, w.leftPanel, {138, 0, 33, 33}, "", "Помощь"},
        {"addButton", w.addButton, w.leftPanel, {2, 0, 33, 33}, "", "Выбор файлов MP3"},
        {"newListButton", w.newListButton, w.leftPanel, {36, 0, 33, 33}, "", "Новый список"},
        {"fileListView", w.fileListView, w.leftPanel, {0, 33, 330, 213}, "", ""},
        {"compressButton", w.compressButton, w.leftPanel, {104, 0, 33, 33}, "", "Сжать MP3"},
        {"deleteRowButton", w.deleteRowButton, w.leftPanel, {70, 0, 33, 33}, "", "Удалить строку"},
        {"optionsPanel", w.optionsPanel, w.window.get(), {334, 0, 307, 246}, "", ""},
        {"monoBox", w.monoBox, w.optionsPanel, {240, 74, 41, 17}, "Моно", "Режим моно"},
        {"tagGroup", w.tagGroup, w.optionsPanel, {4, 92, 299, 135}, "  Редактирование тэгов  ", ""},
        {"albumLabel", w.albumLabel, w.tagGroup, {4, 74, 36, 13}, "Альбом", ""},
        {"artistLabel", w.artistLabel, w.tagGroup, {4, 56, 36, 13}, "Артист", ""},
        {"titleLabel", w.titleLabel, w.tagGroup, {4, 38, 48, 13}, "Название", ""},
        {"genreLabel", w.genreLabel, w.tagGroup, {112, 92, 24, 13}, "Жанр", ""},
        {"yearLabel", w.yearLabel, w.tagGroup, {4, 92, 18, 13}, "Год", ""},
        {"id3v2Box", w.id3v2Box, w.tagGroup, {236, 14, 52, 17}, "ID3v2", "Добавить тэг v2"},
        {"id3v1Box", w.id3v1Box, w.tagGroup, {6, 14, 47, 17}, "ID3v1", "Добавить тэг v1"},
        {"yearEdit", w.yearEdit, w.tagGroup, {70, 90, 39, 17}, "", ""},
        {"albumEdit", w.albumEdit, w.tagGroup, {70, 72, 224, 17}, "", ""},
        {"artistEdit", w.artistEdit, w.tagGroup, {70, 54, 224, 17}, "", ""},
        {"titleEdit", w.titleEdit, w.tagGroup, {70, 36, 224, 17}, "", ""},
        {"saveButton",
         w.saveButton,
         w.tagGroup,
         {0, 117, 299, 18},
         "Сохранить изменения",
         "Изменить тег"},
        {"genreBox", w.genreBox, w.tagGroup, {148, 90, 145, 17}, "", ""},
        {"bitRateGroup", w.bitRateGroup, w.optionsPanel, {4, 4, 297, 67}, "Битрейт", ""},
        {"kbpsLabel", w.kbpsLabel, w.bitRateGroup, {186, 34, 83, 17}, "kбит/с", ""},
        {"lowerLabel", w.lowerLabel, w.bitRateGroup, {256, 50, 37, 14}, "Ниже", ""},
        {"bitRateLabel", w.bitRateLabel, w.bitRateGroup, {138, 32, 25, 19}, "32", ""},
        {"higherLabel", w.higherLabel, w.bitRateGroup, {86, 48, 43, 14}, "Выше", ""},
        {"qualityLabel", w.qualityLabel, w.bitRateGroup, {162, 48, 64, 14}, "Качество", ""},
        {"cbrRadio", w.cbrRadio, w.bitRateGroup, {4, 18, 75, 17}, "CBR", "Постоянный битрейт"},
        {"vbrRadio", w.vbrRadio, w.bitRateGroup, {4, 36, 113, 17}, "VBR", "Переменный битрейт"},
        {"qualityTrackBar", w.qualityTrackBar, w.bitRateGroup, {80, 16, 211, 31}, "", ""},
        {"bitRateUpDown",
         w.bitRateUpDown,
         w.bitRateGroup,
         {163, 32, 20, 19},
         "",
         "Здесь можно изменить битрейт"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(e.control, nullptr);
        EXPECT_EQ(e.control->Parent(), e.parent);
        EXPECT_EQ(e.control->Bounds(), e.bounds);
        EXPECT_EQ(CaptionOf(*e.control), e.caption);
        EXPECT_EQ(w.hints->TipOf(*e.control), e.hint);
    }
    EXPECT_EQ(w.window->Caption(), "Kestrune");
    EXPECT_EQ(w.window->Bounds(), (Rect{185, 84, 649, 277}));
    EXPECT_EQ(w.window->ClientSize(), (toolkit::Size{641, 246}));
}

TEST_F(MainWindowStructure, LooksThatDifferFromTheWindowsOwn) {
    MainWindow& w = Build();
    const toolkit::Font windowFont = w.window->GetFont();
    EXPECT_EQ(windowFont.colour, Colour::FromRgb(0, 0, 255));
    EXPECT_EQ(windowFont.height, 11);
    EXPECT_EQ(windowFont.charset, 204);
    EXPECT_EQ(w.window->BackgroundColour(), Colour::FromRgb(166, 202, 240));
    EXPECT_EQ(w.fileListView->GetFont().colour, Colour::FromRgb(0, 0, 255));

    const Colour red = Colour::FromRgb(255, 0, 0);
    const Colour navy = Colour::FromRgb(0, 0, 128);
    const struct {
        const char* name;
        const Control* control;
        Pitch pitch;
        bool bold;
        int height;
        Colour colour;
    } fonts[] = {
        {"titleEdit", w.titleEdit, Pitch::Fixed, false, 11, windowFont.colour},
        {"artistEdit", w.artistEdit, Pitch::Variable, false, 11, windowFont.colour},
        {"saveButton", w.saveButton, Pitch::Variable, true, 11, red},
        {"bitRateLabel", w.bitRateLabel, Pitch::Fixed, true, 13, windowFont.colour},
        {"qualityLabel", w.qualityLabel, Pitch::Fixed, true, 11, red},
        {"lowerLabel", w.lowerLabel, Pitch::Fixed, false, 11, navy},
        {"id3v2Box", w.id3v2Box, Pitch::Default, false, 13, windowFont.colour},
    };
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.name);
        const toolkit::Font font = f.control->GetFont();
        EXPECT_EQ(font.pitch, f.pitch);
        EXPECT_EQ(font.bold, f.bold);
        EXPECT_EQ(font.height, f.height);
        EXPECT_EQ(font.colour, f.colour);
        EXPECT_EQ(font.charset, 204);
    }

    EXPECT_EQ(w.bitRateLabel->TextAlignment(), toolkit::Alignment::Right);
    EXPECT_EQ(w.tagGroup->CaptionAlignment(), toolkit::Alignment::Centre);
    EXPECT_EQ(w.saveButton->Docking(), toolkit::Dock::Bottom);
    EXPECT_TRUE(w.yearEdit->IsNumbersOnly());
    EXPECT_FALSE(w.titleEdit->HasBorder());
    EXPECT_EQ(w.id3v1Box->BackgroundColour(), Colour::Transparent());
    EXPECT_EQ(w.qualityTrackBar->PageSize(), 2);
    EXPECT_EQ(w.qualityTrackBar->ThumbLength(), 20);
    EXPECT_EQ(w.bitRateUpDown->Maximum(), 11);
    EXPECT_EQ(w.fileListView->Columns(),
              (std::vector<toolkit::ListColumn>{
                  {"Имя файла", 100}, {"Размер (байт)", 100}, {"Битрейт", 50}, {"CBR/VBR ", 50}}));
    const toolkit::ListViewStyle style = w.fileListView->Style();
    EXPECT_TRUE(style.singleSelection && style.showSelectionAlways && style.gridLines &&
                style.fullRowSelect);
    EXPECT_EQ(w.fileListView->TextBackgroundColour(), Colour::FromRgb(255, 255, 255));
    EXPECT_EQ(w.leftPanel->BackgroundColour(),
              Colour::FromSystem(SystemColour::InactiveCaptionText));
}

TEST_F(MainWindowStructure, ResizingWidensTheListAndKeepsTheOptionsPanelAtTheRightEdge) {
    MainWindow& w = Build();
    toolkit::RunMessageLoop(*w.window);
    ASSERT_TRUE(driver.ResizeByUser(*w.window, {749, 373}));
    EXPECT_EQ(w.leftPanel->Width(), 430);
    EXPECT_EQ(w.fileListView->Bounds(), (Rect{0, 33, 430, 309}));
    EXPECT_EQ(w.optionsPanel->Bounds(), (Rect{434, 0, 307, 342}));

    ASSERT_TRUE(driver.ResizeByUser(*w.window, {100, 100}));
    EXPECT_EQ(w.window->Width(), 555);
    EXPECT_EQ(w.window->Height(), 260);
    EXPECT_EQ(w.fileListView->Top(), 33);
}

TEST_F(MainWindowStructure, TheListTakesTheFocusWhenThePointerEntersUnlessDisabled) {
    MainWindow& w = Build();
    w.optionsPanel->SetFocus();
    w.leftPanel->SetEnabled(false);
    driver.MouseEnter(*w.fileListView);
    EXPECT_NE(driver.FocusedControl(), w.fileListView);
    w.leftPanel->SetEnabled(true);
    driver.MouseEnter(*w.fileListView);
    EXPECT_EQ(driver.FocusedControl(), w.fileListView);
}

}  // namespace
}  // namespace kestrune::unit1
