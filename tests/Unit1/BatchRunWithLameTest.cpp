// End to end with the real lame: files made at test time are listed, one row's tags are
// edited in the tag editor, and a run re-encodes them all into the chosen folder.
#include "MPEGaudio/MpegAudioInfo.h"
#include "MainWindowFixture.h"
#include "Unit1/BatchRun.h"
#include "Unit1/ListCommands.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace kestrune::unit1 {
namespace {

namespace fs = std::filesystem;

struct ExpectedOutput {
    const char* file;
    const char* title;
    const char* artist;
    const char* year;
};

class BatchRunWithLameTest : public MainWindowFixture {
protected:
    BatchRunWithLameTest() : w(Build()) {}

    void SetUp() override {
        KESTRUNE_SKIP_WITHOUT_LAME();
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
        w.encoderPath = KESTRUNE_LAME;
        test::MakeMp3(In("Песня.mp3"), "-b 128 --add-id3v2 --tt Песня --ta Исполнитель --ty 2001");
        test::MakeMp3(In("vbr.mp3"), "-V 2 --id3v1-only --tt Variable --ta Band --ty 1999");
        test::MakeMp3(In("plain.MP3"), "-b 96");
        AddSelection(w, {In("Песня.mp3"), In("vbr.mp3"), In("plain.MP3")});
    }

    std::string In(const std::string& name) const { return dir.File("in/" + name); }
    std::string Out(const std::string& name) const { return dir.File("out/" + name); }

    // Lists a second "Песня" from another folder and a file that is no MP3 at all.
    void AddTwinAndJunkRows() {
        fs::create_directories(dir.Path() / "in2");
        const std::string twin = dir.File("in2/Песня.mp3");
        test::MakeMp3(twin, "-b 128 --add-id3v2 --tt Другая --ta Группа --ty 2002");
        const std::string junk = In("junk.mp3");
        test::WriteBytes(junk, test::Bytes(5000, 0x55));
        AddSelection(w, {twin, junk});
    }

    // Edits the title of a row in the tag editor and saves it.
    void EditTitle(int row, const std::string& title) {
        ASSERT_TRUE(driver.SelectRow(*w.fileListView, row));
        w.titleEdit->SetText("");
        driver.TypeText(*w.titleEdit, title);
        ASSERT_TRUE(driver.Click(*w.saveButton));
    }

    void RunInto(const std::string& folder) {
        driver.QueueFolderResult(folder);
        ASSERT_TRUE(driver.Click(*w.compressButton));
        for (const auto& message : driver.ShownMessages()) {
            ADD_FAILURE() << message.text;
        }
    }

    void ExpectOutputs(const std::vector<ExpectedOutput>& outputs, std::uint16_t bitRate, bool vbr,
                       bool id3v1, bool id3v2) {
        for (const auto& expected : outputs) {
            SCOPED_TRACE(expected.file);
            mpeg::MpegAudioInfo info;
            ASSERT_TRUE(info.ReadFromFile(Out(expected.file)));
            ASSERT_TRUE(info.IsValid());
            EXPECT_EQ(info.frame.channelMode, mpeg::kChannelModeMono);
            EXPECT_EQ(info.vbr.found, vbr);
            if (!vbr) {
                EXPECT_EQ(info.BitRate(), bitRate);
            }
            EXPECT_EQ(info.id3v1.exists, id3v1);
            // A row without a text has nothing for an ID3v2 tag, which cannot be empty.
            EXPECT_EQ(info.id3v2.exists, id3v2 && *expected.title != '\0');
            if (id3v2) {
                EXPECT_EQ(info.id3v2.title, expected.title);
                EXPECT_EQ(info.id3v2.artist, expected.artist);
                EXPECT_EQ(info.id3v2.year, expected.year);
            }
        }
    }

    MainWindow& w;
};

TEST_F(BatchRunWithLameTest, ConstantBitRateMonoWithBothTagVersions) {
    EditTitle(1, "Новое имя");
    w.monoBox->SetChecked(true);
    ASSERT_TRUE(driver.ReleaseUpDown(*w.bitRateUpDown, toolkit::headless::Arrow::Up));
    for (int i = 0; i < 3; ++i) {
        driver.ReleaseUpDown(*w.bitRateUpDown, toolkit::headless::Arrow::Up);
    }
    ASSERT_EQ(w.bitRateLabel->Text(), "64");
    driver.Click(*w.id3v2Box);
    RunInto(dir.File("out"));
    ExpectOutputs({{"Песня.mp3", "Песня", "Исполнитель", "2001"},
                   {"vbr.mp3", "Новое имя", "Band", "1999"},
                   {"plain.mp3", "", "", ""}},
                  64, false, true, true);
    // The ASCII fields of the ID3v1 tag carry the list's values too.
    mpeg::MpegAudioInfo info;
    ASSERT_TRUE(info.ReadFromFile(Out("vbr.mp3")));
    EXPECT_EQ(info.id3v1.artist, "Band");
}

TEST_F(BatchRunWithLameTest, VariableBitRateQuality9WithId3v2Only) {
    driver.Click(*w.vbrRadio);
    driver.DragTrackBar(*w.qualityTrackBar, 9);
    w.monoBox->SetChecked(true);
    driver.Click(*w.id3v1Box);
    driver.Click(*w.id3v2Box);
    RunInto(dir.File("out"));
    ExpectOutputs({{"Песня.mp3", "Песня", "Исполнитель", "2001"},
                   {"vbr.mp3", "Variable", "Band", "1999"},
                   {"plain.mp3", "", "", ""}},
                  0, true, false, true);
}

TEST_F(BatchRunWithLameTest, OlderOutputsSurviveFailedRowsAndSameNamesGetTheirOwnFiles) {
    AddTwinAndJunkRows();
    const auto older = test::ReadBytes(In("vbr.mp3"));
    test::WriteBytes(Out("plain.mp3"), older);
    test::WriteBytes(Out("junk.mp3"), older);
    fs::remove(In("plain.MP3"));  // gone after it was listed
    driver.Click(*w.id3v2Box);

    driver.QueueFolderResult(dir.File("out"));
    driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
    ASSERT_TRUE(driver.Click(*w.compressButton));
    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    const std::string& report = driver.ShownMessages()[0].text;
    EXPECT_NE(report.find("plain — исходный файл не найден"), std::string::npos) << report;
    EXPECT_NE(report.find("junk — не является файлом MP3"), std::string::npos) << report;
    EXPECT_EQ(test::ReadBytes(Out("plain.mp3")), older);
    EXPECT_EQ(test::ReadBytes(Out("junk.mp3")), older);
    for (const auto& [file, title] :
         {std::pair{"Песня.mp3", "Песня"}, std::pair{"Песня (2).mp3", "Другая"}}) {
        SCOPED_TRACE(file);
        mpeg::MpegAudioInfo info;
        ASSERT_TRUE(info.ReadFromFile(Out(file)));
        EXPECT_TRUE(info.IsValid());
        EXPECT_EQ(info.id3v2.title, title);
    }
}

TEST_F(BatchRunWithLameTest, TwoEncodersAtOnceWriteWhatOneWrites) {
    AddTwinAndJunkRows();
    std::vector<std::map<std::string, std::vector<std::uint8_t>>> results;
    for (const int encoders : {1, 2}) {
        const std::string folder = dir.File("out" + std::to_string(encoders));
        fs::create_directories(folder);
        w.encoders = encoders;
        driver.QueueFolderResult(folder);
        driver.QueueMessageAnswer(toolkit::MessageAnswer::Ok);
        ASSERT_TRUE(driver.Click(*w.compressButton));
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            files[entry.path().filename().string()] = test::ReadBytes(entry.path().string());
        }
        results.push_back(std::move(files));
    }
    ASSERT_EQ(driver.ShownMessages().size(), 2u);
    EXPECT_EQ(driver.ShownMessages()[0].text, driver.ShownMessages()[1].text);
    EXPECT_EQ(results[0].size(), 4u);  // Песня, vbr, plain, Песня (2)
    EXPECT_TRUE(results[0] == results[1]);
}

}  // namespace
}  // namespace kestrune::unit1
