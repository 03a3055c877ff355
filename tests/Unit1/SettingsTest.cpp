// The start of a session and the settings file: defaults without a file, the round trip
// through a close, and stored values read with the profile rules.
#include "MainWindowFixture.h"
#include "Unit1/CompressMenu.h"

#include "platform/Locations.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/SettingsFile.h"

#include <sstream>
#include <vector>

namespace kestrune::unit1 {
namespace {

class Settings : public MainWindowFixture {};

// The key names of the settings file, in the order they stand in it.
std::vector<std::string> KeysInFileOrder(const std::string& path) {
    std::istringstream file(test::SettingsFileText(path));
    std::vector<std::string> keys;
    for (std::string line; std::getline(file, line);) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            keys.push_back(line.substr(0, line.find_last_not_of(' ', equals - 1) + 1));
        }
    }
    return keys;
}

TEST_F(Settings, FirstStartWithoutASettingsFileUsesTheBuiltInState) {
    MainWindow& w = Build();
    EXPECT_EQ(w.window->Left(), 185);
    EXPECT_EQ(w.window->Top(), 84);
    EXPECT_EQ(w.window->ClientSize(), (toolkit::Size{641, 246}));
    EXPECT_TRUE(w.cbrRadio->IsChecked());
    EXPECT_FALSE(w.vbrRadio->IsChecked());
    EXPECT_EQ(w.bitRateLabel->Text(), "32");
    for (const toolkit::Control* quality : std::initializer_list<const toolkit::Control*>{
             w.qualityTrackBar, w.higherLabel, w.lowerLabel, w.qualityLabel}) {
        EXPECT_FALSE(quality->IsEnabled());
    }
    EXPECT_EQ(w.qualityTrackBar->Position(), 7);
    EXPECT_TRUE(w.id3v1Box->IsChecked());
    EXPECT_FALSE(w.id3v2Box->IsChecked());
    EXPECT_FALSE(w.monoBox->IsChecked());
    EXPECT_FALSE(w.saveButton->IsEnabled());
    EXPECT_EQ(w.genreBox->ItemCount(), 149);
    EXPECT_EQ(w.genreBox->ItemText(0), "");
    EXPECT_EQ(w.genreBox->ItemText(1), "Blues");
    EXPECT_EQ(w.genreBox->ItemText(148), "Synthpop");
    EXPECT_EQ(w.genreBox->SelectedIndex(), -1);
    EXPECT_TRUE(w.fileListView->AcceptsFiles());

    EXPECT_TRUE(platform::EndsWithSeparator(w.programFolder));
    EXPECT_EQ(w.encoderPath, foundEncoder);
    EXPECT_EQ(w.inputFolder, "");
    EXPECT_EQ(w.outputFolder, defaultOutputFolder);
    EXPECT_TRUE(driver.ShownMessages().empty());

    driver.QueueFolderResult(std::nullopt);
    w.folderDialog->Execute();
    ASSERT_EQ(driver.FolderDialogRequests().size(), 1u);
    EXPECT_EQ(driver.FolderDialogRequests()[0].title, "Выбор папки");
    EXPECT_EQ(driver.FolderDialogRequests()[0].initialFolder,
              platform::WithoutTrailingSeparator(defaultOutputFolder));
}

TEST_F(Settings, ClosingWritesTheSevenKeysInOrderAndTheNextStartReadsThemBack) {
    {
        MainWindow& w = Build();
        w.window->SetBounds({10, 20, 700, 400});
        w.inputFolder = "/music/in/";
        w.outputFolder = "/music/out";
        ASSERT_TRUE(driver.RequestClose(*w.window));
    }
    const std::string file = platform::SettingsFilePath();
    EXPECT_EQ(KeysInFileOrder(file), (std::vector<std::string>{"Left", "Top", "Width", "Height",
                                                               "Patch", "PatchIn", "PatchOut"}));
    EXPECT_EQ(platform::ReadProfileText(file, "Lame", "Patch", ""), foundEncoder);

    main.reset();
    MainWindow& again = Build();
    EXPECT_EQ(again.window->Bounds(), (toolkit::Rect{10, 20, 700, 400}));
    EXPECT_EQ(again.inputFolder, "/music/in/");
    EXPECT_EQ(again.outputFolder, "/music/out");
    EXPECT_EQ(again.encoderPath, foundEncoder);
    driver.QueueFolderResult(std::nullopt);
    again.folderDialog->Execute();
    EXPECT_EQ(driver.FolderDialogRequests().back().initialFolder, "/music/out");
}

TEST_F(Settings, StoredValuesAreReadWithTheProfileRules) {
    const std::string longFolder(3000, 'x');
    WriteSettings("[Lame]\nPatch=\n[MP3]\nPatchIn=" + longFolder + "\nPatchOut=\n");
    MainWindow& w = Build();
    EXPECT_EQ(w.inputFolder, std::string(2047, 'x'));
    EXPECT_EQ(w.outputFolder, defaultOutputFolder);
    EXPECT_EQ(w.encoderPath, foundEncoder);
}

TEST_F(Settings, StoredGeometryIsMovedOntoTheScreenAndShrunkToIt) {
    // The screen is 1280 by 1024; the window's outer size starts as 649 by 277.
    const std::pair<const char*, toolkit::Rect> cases[] = {
        // A value without a number is 0, which the minimum size then raises.
        {"Left=-3000\nTop=5000\nWidth=2500\nHeight=abc", {-1180, 924, 1280, 260}},
        {"Top=99999999999\nWidth=70000", {185, 924, 1280, 277}},
        {"Left=-99999999999\nTop=-5\nWidth=600\nHeight=300", {-500, 0, 600, 300}},
        {"Left=300\nTop=200\nWidth=700\nHeight=500", {300, 200, 700, 500}},
    };
    for (const auto& [keys, bounds] : cases) {
        SCOPED_TRACE(keys);
        WriteSettings(std::string("[Main]\n") + keys + "\n");
        EXPECT_EQ(Build().window->Bounds(), bounds);
    }
}

TEST_F(Settings, AStoredEncoderThatExistsIsKept) {
    const std::string encoder = MakeFile("my lame", 10);
    WriteSettings("[Lame]\nPatch=" + encoder + "\n[MP3]\nPatchIn=\n");
    MainWindow& w = Build();
    EXPECT_EQ(w.encoderPath, encoder);
    EXPECT_EQ(w.inputFolder, "");
}

// Anything but a number of at least 0 is the usual run of one encoder.
TEST_F(Settings, EncodersAtOnceAreClampedAndStoredOnlyOnceTheUserHasSetThem) {
    const std::pair<const char*, int> cases[] = {{"", 1},
                                                 {"Encoders=3", 3},
                                                 {"Encoders=0", 0},
                                                 {"Encoders=500", 64},
                                                 {"Encoders=-2", 1},
                                                 {"Encoders=", 1},
                                                 {"Encoders=abc", 1},
                                                 {"Encoders=99999999999", 64}};
    for (const auto& [key, encoders] : cases) {
        SCOPED_TRACE(key);
        WriteSettings(std::string("[Options]\n") + key + "\n");
        EXPECT_EQ(Build().encoders, encoders);
    }
    // Each item of the compress button's menu switches its setting, and the close stores it:
    // one per processor and one; the folder tree and never larger on and off. A dismissed
    // menu changes nothing.
    const std::string file = platform::SettingsFilePath();
    const struct {
        const char* key;
        const char* firstStored;
        const char* secondStored;
    } items[] = {{"Encoders", "0", "1"}, {"KeepFolders", "1", "0"}, {"NeverLarger", "1", "0"}};
    for (int item = 0; item < 3; ++item) {
        SCOPED_TRACE(items[item].key);
        WriteSettings("");
        for (const bool second : {false, true}) {
            MainWindow& w = Build();
            driver.QueueMenuChoice(item);
            ASSERT_TRUE(driver.RightClick(*w.compressButton));
            const auto& menu = driver.ShownMenus().back();
            ASSERT_EQ(menu.size(), 3u);
            EXPECT_EQ(menu[static_cast<std::size_t>(item)].checked, second);
            ASSERT_TRUE(driver.RequestClose(*w.window));
            EXPECT_EQ(platform::ReadProfileText(file, "Options", items[item].key, ""),
                      second ? items[item].secondStored : items[item].firstStored);
        }
    }
    EXPECT_EQ(driver.ShownMenus().back(),
              (std::vector<toolkit::MenuItem>{{kEncodersMenuItem, false},
                                              {kKeepFoldersMenuItem, false},
                                              {kNeverLargerMenuItem, true}}));
    MainWindow& w = Build();
    driver.QueueMenuChoice(std::nullopt);
    ASSERT_TRUE(driver.RightClick(*w.compressButton));
    EXPECT_EQ(w.encoders, 1);
}

}  // namespace
}  // namespace kestrune::unit1
