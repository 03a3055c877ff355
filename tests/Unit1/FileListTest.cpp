// The file list: the duplicate check and the dialog's result forms for Windows and POSIX
// paths, and the list commands on real files: rows, tag values, genres, deleting, new
// lists, drops, and saved edits that survive a later add.
#include "MainWindowFixture.h"

#include "Unit1/BatchRun.h"
#include "Unit1/FileDrop.h"
#include "Unit1/FolderAdd.h"
#include "Unit1/ListCommands.h"
#include "Unit1/StartupArguments.h"
#include "Unit1/TagEditor.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

namespace kestrune::unit1 {
namespace {

using platform::kPosixSeparators;
using platform::kWindowsSeparators;
using Paths = std::vector<std::string>;

Paths Values(const FileList& list, std::string FileEntry::*field) {
    Paths values;
    for (const FileEntry& entry : list.Entries()) {
        values.push_back(entry.*field);
    }
    return values;
}

// Windows folds the ASCII letters of names; POSIX file systems tell every byte apart.
TEST(FileListPaths, DuplicatesAreSpelledAsTheFileSystemSpellsThem) {
    constexpr bool kFolded = platform::kNativeNameCase == platform::NameCase::asciiFolded;
    const struct {
        Paths added;
        Paths listed;
    } cases[] = {
        {{"C:\\Music\\a.mp3", "C:\\Music\\a.mp3"}, {"C:\\Music\\a.mp3"}},
        {{"C:\\Music\\a.mp3", "C:\\MUSIC\\A.MP3"},
         kFolded ? Paths{"C:\\Music\\a.mp3"} : Paths{"C:\\Music\\a.mp3", "C:\\MUSIC\\A.MP3"}},
        {{"C:\\Музыка\\песня.mp3", "C:\\Музыка\\Песня.mp3"},
         {"C:\\Музыка\\песня.mp3", "C:\\Музыка\\Песня.mp3"}},
        {{"/m/a.mp3", "/m/a.mp3 "}, {"/m/a.mp3", "/m/a.mp3 "}},
    };
    for (const auto& c : cases) {
        FileList list;
        for (const std::string& path : c.added) {
            // one add each, as two separate dialogs
            for (std::string& fresh : NewPaths(list, {path})) {
                FileEntry entry;
                entry.sourcePath = std::move(fresh);
                list.Append(std::move(entry));
            }
        }
        EXPECT_EQ(Values(list, &FileEntry::sourcePath), c.listed);
    }
}

class FileListCommands : public MainWindowFixture {
protected:
    // Picks the result in the open dialog of the add button.
    void AddThroughDialog(const std::string& result) {
        driver.QueueOpenDialogResult(result);
        ASSERT_TRUE(driver.Click(*main->addButton));
    }

    std::vector<std::string> Row(int row) const {
        std::vector<std::string> cells;
        for (int column = 0; column < 4; ++column) {
            cells.push_back(main->fileListView->CellText(row, column));
        }
        return cells;
    }

    // The file list has one entry per row, with the name the row shows.
    void ExpectConsistent() const {
        ASSERT_EQ(main->fileList.Count(), main->fileListView->RowCount());
        for (int row = 0; row < main->fileList.Count(); ++row) {
            EXPECT_EQ(main->fileList.At(row).outputName, main->fileListView->CellText(row, 0));
        }
    }

    Paths Listed(std::string FileEntry::*field) const { return Values(main->fileList, field); }
};

TEST_F(FileListCommands, RowsShowNameSizeBitRateAndKind) {
    MainWindow& w = Build();
    const std::string folder = dir.Path().string();
    MakeFile("x.y.mp3", 999);
    MakeFile("noext", 1000);
    MakeFile("big.mp3", 1234567);
    const std::string song = MakeTaggedMp3("song.MP3", "Title", 17);

    AddThroughDialog(folder + "\rx.y.mp3\rnoext\rbig.mp3\rsong.MP3\rgone.mp3");
    ASSERT_EQ(w.fileListView->RowCount(), 5);
    EXPECT_EQ(Row(0), (Paths{"x.y", "999", "", ""}));
    EXPECT_EQ(Row(1), (Paths{"noext", "1,000", "", ""}));
    EXPECT_EQ(Row(2), (Paths{"big", "1,234,567", "", ""}));
    EXPECT_EQ(Row(3), (Paths{"song", "16,808", "128", "CBR"}));
    EXPECT_EQ(Row(4), (Paths{"gone", "0", "", ""}));
    for (const int row : {0, 1, 2, 4}) {
        EXPECT_EQ(w.fileListView->RowImage(row), 0);
    }
    EXPECT_EQ(w.fileListView->RowImage(3), 1);
    EXPECT_EQ(w.fileList.At(3).sourcePath, song);
    EXPECT_EQ(Listed(&FileEntry::title), (Paths{"", "", "", "Title", ""}));
    EXPECT_EQ(Listed(&FileEntry::genre), (Paths{"", "", "", "17", ""}));
    ExpectConsistent();
    EXPECT_EQ(w.inputFolder, platform::WithTrailingSeparator(folder));

    const auto& request = driver.OpenDialogRequests().back();
    EXPECT_EQ(request.filters, (std::vector<toolkit::FileFilter>{{"Файлы MP3", "*.mp3"}}));
    EXPECT_TRUE(request.multipleSelection);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_EQ(request.initialFolder, "");
}

TEST_F(FileListCommands, ASecondAddKeepsListedRowsWithTheirSavedEditsAndAppendsNewOnes) {
    MainWindow& w = Build();
    const std::string a = MakeTaggedMp3("a.mp3", "A", 1);
    const std::string b = MakeTaggedMp3("b.mp3", "B", 2);
    AddThroughDialog(a);
    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
    w.titleEdit->SetText("");
    driver.TypeText(*w.titleEdit, "Edited");
    ASSERT_TRUE(driver.Click(*w.saveButton));

    driver.QueueOpenDialogResult(std::nullopt);
    ASSERT_TRUE(driver.Click(*w.addButton));
    EXPECT_EQ(w.fileListView->RowCount(), 1);

#ifdef _WIN32  // "B.MP3" is b.mp3 itself
    const Paths listed = {a, b};
    const Paths titles = {"Edited", "B"};
#else  // a file of its own
    const Paths listed = {a, b, MakeTaggedMp3("B.MP3", "other", 3)};
    const Paths titles = {"Edited", "B", "other"};
#endif
    AddThroughDialog(dir.Path().string() + "\rb.mp3\ra.mp3\rB.MP3");
    EXPECT_EQ(driver.OpenDialogRequests().back().initialFolder,
              platform::WithTrailingSeparator(dir.Path().string()));
    EXPECT_EQ(Listed(&FileEntry::sourcePath), listed);
    EXPECT_EQ(Listed(&FileEntry::title), titles);
    ExpectConsistent();
}

TEST_F(FileListCommands, GenresSelectTheirItemAndSurviveASaveWithoutChange) {
    MainWindow& w = Build();
    const std::string folder = dir.Path().string();
    MakeTaggedMp3("rock.mp3", "Rock", 17);
    MakeTaggedMp3("blues.mp3", "Blues", 0);
    MakeTaggedMp3("none.mp3", "None", 255);
    AddThroughDialog(folder + "\rrock.mp3\rblues.mp3\rnone.mp3");
    const struct {
        int row;
        int item;
        const char* genre;
    } cases[] = {{0, 18, "17"}, {1, 1, "0"}, {2, 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.genre);
        ASSERT_TRUE(driver.SelectRow(*w.fileListView, c.row));
        EXPECT_EQ(w.genreBox->SelectedIndex(), c.item);
        ASSERT_TRUE(driver.Click(*w.saveButton));
        EXPECT_EQ(w.fileList.At(c.row).genre, c.genre);
    }
    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 1));
    ASSERT_TRUE(driver.SelectComboItem(*w.genreBox, 0));
    ASSERT_TRUE(driver.Click(*w.saveButton));
    EXPECT_EQ(w.fileList.At(1).genre, "");
}

TEST_F(FileListCommands, DeletingRemovesOnlyTheSelectedRowAndEmptiesTheEditor) {
    MainWindow& w = Build();
    const std::string folder = dir.Path().string();
    MakeTaggedMp3("a.mp3", "A", 1);
    MakeTaggedMp3("b.mp3", "B", 2);
    MakeTaggedMp3("c.mp3", "C", 3);
    AddThroughDialog(folder + "\ra.mp3\rb.mp3\rc.mp3");

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 1));
    ASSERT_TRUE(driver.SelectRow(*w.fileListView, -1));  // loads the row that lost it
    driver.Click(*w.deleteRowButton);
    EXPECT_EQ(w.fileListView->RowCount(), 3);
    EXPECT_EQ(w.titleEdit->Text(), "");
    EXPECT_EQ(w.currentRowName, std::nullopt);

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 1));
    EXPECT_TRUE(w.saveButton->IsEnabled());
    driver.Click(*w.deleteRowButton);
    EXPECT_EQ(Listed(&FileEntry::title), (Paths{"A", "C"}));
    EXPECT_EQ(w.fileListView->CellText(1, 0), "c");
    ExpectConsistent();
    EXPECT_EQ(w.genreBox->SelectedIndex(), 0);
    // The save button went with the shown row: an empty editor is never saved into row 0.
    EXPECT_FALSE(driver.Click(*w.saveButton));
    SaveTagChanges(w);
    EXPECT_EQ(Listed(&FileEntry::title), (Paths{"A", "C"}));

    ASSERT_TRUE(driver.SelectRow(*w.fileListView, 0));
    driver.Click(*w.newListButton);
    EXPECT_EQ(w.fileListView->RowCount(), 0);
    EXPECT_TRUE(w.fileList.IsEmpty());
    ExpectConsistent();
    EXPECT_EQ(w.currentRow, 0);
    EXPECT_FALSE(w.saveButton->IsEnabled());
}

// Files named on the program's command line are listed exactly as if they had been dropped;
// a folder with all its subfolders, in the background.
TEST_F(FileListCommands, DroppedMp3FilesAndTheMp3FilesOfDroppedFoldersAreAdded) {
    std::filesystem::create_directories(dir.Path() / "album" / "inner");
    const std::string second = MakeTaggedMp3("album/b.MP3", "B", 2);
    const std::string first = MakeTaggedMp3("album/a.mp3", "A", 1);
    MakeFile("album/cover.jpg", 10);
    const std::string deep = MakeTaggedMp3("album/inner/deep.mp3", "Deep", 3);
    const std::string single = MakeTaggedMp3("Single.Mp3", "S", 4);
    MakeFile("notes.txt", 5);
    const Paths given = {single, dir.File("notes.txt"), dir.File("album"), single};
    for (const bool onCommandLine : {false, true}) {
        SCOPED_TRACE(onCommandLine ? "command line" : "drop");
        MainWindow& w = Build();
        w.inputFolder = "/kept/";
        if (onCommandLine) {
            Paths arguments = {"--"};
            arguments.insert(arguments.end(), given.begin(), given.end());
            AddDroppedFiles(w, ReadStartupArguments(arguments).paths);
        } else {
            ASSERT_TRUE(driver.DropFiles(*w.fileListView, given));
        }
        WaitForAdd();
        EXPECT_EQ(Listed(&FileEntry::sourcePath), (Paths{single, first, second, deep}));
        EXPECT_EQ(Listed(&FileEntry::title), (Paths{"S", "A", "B", "Deep"}));
        EXPECT_EQ(Listed(&FileEntry::folderBelow),
                  (Paths{"", "album", "album", platform::JoinPath("album", "inner")}));
        EXPECT_EQ(w.fileListView->RowImage(2), 1);
        EXPECT_EQ(w.inputFolder, "/kept/");
        ExpectConsistent();
    }
}

// A big folder from the add button's menu comes in the background: the caption tells how far
// it is and compress waits. Another add halfway ends it: the rows taken so far stay, in the
// walk's order, and the list and the view agree.
TEST_F(FileListCommands, AFolderFromTheMenuIsAddedInTheBackgroundAndAnotherAddEndsItCleanly) {
    constexpr int kFiles = 2000;
    Paths walkOrder;
    for (int file = 0; file < kFiles; ++file) {
        char name[32];
        std::snprintf(name, sizeof name, "library/%02d/%04d.mp3", file / 100, file);
        std::filesystem::create_directories((dir.Path() / name).parent_path());
        walkOrder.push_back(MakeTaggedMp3(name, "T", 1));
    }
    const std::string single = MakeTaggedMp3("single.mp3", "S", 2);
    MainWindow& w = Build();
    driver.QueueMenuChoice(0);
    driver.QueueFolderResult(dir.File("library"));
    ASSERT_TRUE(driver.RightClick(*w.addButton));
    EXPECT_EQ(driver.ShownMenus().back(),
              (std::vector<toolkit::MenuItem>{{kAddFolderMenuItem, false}}));
    EXPECT_EQ(driver.FolderDialogRequests().back().title, "Добавить папку");
    EXPECT_FALSE(w.compressButton->IsEnabled());
    while (w.fileList.Count() == 0) {
        driver.AdvanceTime(50);
    }
    EXPECT_TRUE(w.window->Caption().starts_with("Kestrune — добавление файлов: "));
    AddThroughDialog(dir.File("single.mp3"));
    const int taken = w.fileList.Count() - 1;
    EXPECT_LT(taken, kFiles);
    EXPECT_EQ(w.backgroundAdd, nullptr);
    driver.AdvanceTime(500);
    Paths expected(walkOrder.begin(), walkOrder.begin() + taken);
    expected.push_back(single);
    EXPECT_EQ(Listed(&FileEntry::sourcePath), expected);
    ExpectConsistent();
    EXPECT_EQ(w.window->Caption(), "Kestrune");
    EXPECT_TRUE(w.compressButton->IsEnabled());
}

TEST(StartupArguments, HelpVersionAndWrongOptionsShowATextInsteadOfTheWindow) {
    EXPECT_EQ(ReadStartupArguments({"a.mp3", "--", "--help"}).paths, (Paths{"a.mp3", "--help"}));
    EXPECT_EQ(ReadStartupArguments({"--version"}).message, "Kestrune " KESTRUNE_VERSION "\n");
    EXPECT_TRUE(ReadStartupArguments({"-h"}).message->starts_with("Использование: kestrune"));
    const StartupRequest wrong = ReadStartupArguments({"a.mp3", "--fast"});
    EXPECT_TRUE(wrong.message->starts_with("kestrune: неизвестный параметр --fast\n"));
    EXPECT_EQ(wrong.exitStatus, 2);
}

TEST_F(FileListCommands, OddFilesAreListedAtOnceAndNamesNeverChange) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs, and its file names are never invalid UTF-8";
#else
    MainWindow& w = Build();
    const std::string fifo = dir.File("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string notUtf8 = MakeTaggedMp3("\xff.mp3", "T", 1);
    const std::string mangled = dir.File("\uFFFD\uFFFD.mp3");  // what a lossy toolkit hands over

    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    ASSERT_TRUE(driver.DropFiles(*w.fileListView, {fifo, notUtf8, mangled}));
    EXPECT_EQ(Listed(&FileEntry::sourcePath), (Paths{fifo, notUtf8}));
    EXPECT_EQ(Row(0), (Paths{"pipe", "0", "", ""}));
    EXPECT_EQ(Row(1), (Paths{"\uFFFD", "16,808", "128", "CBR"}));
    EXPECT_EQ(PlanOfWindow(w).rows[1].sourcePath, notUtf8);  // the run gets it byte for byte
    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    EXPECT_NE(driver.ShownMessages()[0].text.find("\uFFFD\uFFFD.mp3"), std::string::npos);
    ExpectConsistent();
#endif
}

}  // namespace
}  // namespace kestrune::unit1
