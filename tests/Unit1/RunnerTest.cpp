// The runner on a plan with the stand-in encoder and a sink that only records, no window:
// what each row's outcome is, where outputs go and under which names, what survives a failed
// row, and that a run touches no file it did not make.
#include "Unit1/Runner.h"

#include "Unit1/FileList.h"
#include "platform/File.h"
#include "support/Mp3Bytes.h"
#include "support/ScriptedCpuMonitor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace kestrune::unit1 {
namespace {

namespace fs = std::filesystem;

// Records every row's result; its watchdog ticks once every ten dispatches, as a second of
// the run's waits.
class RecordingSink final : public RunSink {
public:
    processmp3::EncoderWatch& EncoderStarted(const FileEntry&,
                                             processmp3::WatchedEncoder encoder) override {
        return watchdog.Begin(std::move(encoder));
    }
    processmp3::EncoderWatch EncoderEnded(const processmp3::EncoderWatch& watch) override {
        return watchdog.End(watch);
    }
    void EncoderNotStarted() override {}
    void Dispatch() override {
        if (++dispatches % 10 == 0) {
            watchdog.Tick();
        }
    }
    void RowEnded(const RowResult& result) override { results[result.name].push_back(result); }
    bool Stopping() const override { return false; }

    test::ScriptedCpuMonitor monitor{{1.0, 0.0}};
    processmp3::IdleWatchdog watchdog{monitor};
    int dispatches = 0;
    std::map<std::string, std::vector<RowResult>> results;
};

class RunnerTest : public ::testing::Test {
protected:
    RunnerTest() {
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
        plan.encoderPath = KESTRUNE_STAND_IN;
        plan.outputFolder = dir.File("out");
        plan.options.tagV1 = false;  // an output is what the stand-in wrote, byte for byte
    }

    // A row for a valid MP3 file at path; actions, when not empty, tell the stand-in encoder
    // what to do for it.
    void AddRow(const std::string& path, const std::string& actions = {}) {
        fs::create_directories(test::PathOf(path).parent_path());
        test::WriteBytes(path, test::Frames(test::kMpeg1Layer3At128, 60));
        if (!actions.empty()) {
            std::ofstream(test::PathOf(path + ".actions")) << actions;
        }
        plan.rows.push_back(EntryOfFile(path));
    }
    std::string In(const std::string& name) const { return dir.File("in/" + name); }
    std::string Out(const std::string& name) const { return dir.File("out/" + name); }

    // Every file of the output folder with its bytes.
    std::map<std::string, std::vector<std::uint8_t>> Outputs() const {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : fs::directory_iterator(dir.Path() / "out")) {
            files[test::Utf8Of(entry.path().filename())] =
                test::ReadBytes(test::Utf8Of(entry.path()));
        }
        return files;
    }

    void Run() { ExecuteRunPlan(plan, sink); }

    test::TempDir dir;
    RunPlan plan;
    RecordingSink sink;
    const std::vector<std::uint8_t> encoded = test::BytesOf("partial encoded");
};

TEST_F(RunnerTest, EachRowEndsWithItsOutcomeAndWhatTheEncoderLastSaid) {
    AddRow(In("a.mp3"), "say-stderr first_line say-stderr Unsupported_audio_format exit 3");
    AddRow(In("b.mp3"));
    test::WriteBytes(In("junk.mp3"), std::vector<std::uint8_t>(5000, 0x55));
    plan.rows.push_back(EntryOfFile(In("junk.mp3")));
    Run();
    const RowResult& a = sink.results.at("a").at(0);
    EXPECT_EQ(a.failure, RowFailure::EncoderError);
    EXPECT_EQ(a.detail, "Unsupported audio format");
    EXPECT_EQ(sink.results.at("junk").at(0).failure, RowFailure::NotMp3);
    const RowResult& b = sink.results.at("b").at(0);
    EXPECT_EQ(b.failure, std::nullopt);
    EXPECT_EQ(b.outputPath, Out("b.mp3"));
    EXPECT_EQ(b.bytesBefore, static_cast<std::int64_t>(test::ReadBytes(In("b.mp3")).size()));
    EXPECT_EQ(b.bytesAfter, static_cast<std::int64_t>(encoded.size()));
    EXPECT_EQ(Outputs(), (std::map<std::string, std::vector<std::uint8_t>>{{"b.mp3", encoded}}));
}

TEST_F(RunnerTest, RowWhoseOutputWouldOverwriteASourceIsSkipped) {
    AddRow(In("a.mp3"));
    AddRow(In("b.MP3"));
    const auto original = test::ReadBytes(In("a.mp3"));
    plan.outputFolder = dir.File("in");  // the sources' own folder
    Run();
    EXPECT_EQ(test::ReadBytes(In("a.mp3")), original);
    EXPECT_EQ(sink.results.at("a").at(0).failure, RowFailure::Skipped);
    EXPECT_TRUE(fs::exists(In("b.MP3")));
}

TEST_F(RunnerTest, AFailedRowLeavesAnOlderOutputAsItWasAndASuccessfulOneReplacesIt) {
    AddRow(In("a.mp3"), "exit 3");
    AddRow(In("b.mp3"), "sleep 20000");
    AddRow(In("c.mp3"));
    AddRow(In("gone.mp3"));
    fs::remove(In("gone.mp3"));  // deleted after it was listed
    const auto older = test::BytesOf("an older result");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "gone.mp3"}) {
        test::WriteBytes(Out(name), older);
    }
    sink.monitor.Then({0.0, 0.0});  // the stalled row b is ended by the watchdog
    Run();
    EXPECT_EQ(Outputs(),
              (std::map<std::string, std::vector<std::uint8_t>>{
                  {"a.mp3", older}, {"b.mp3", older}, {"c.mp3", encoded}, {"gone.mp3", older}}));
    EXPECT_EQ(sink.results.at("b").at(0).failure, RowFailure::StoppedAsIdle);
    EXPECT_EQ(sink.results.at("gone").at(0).failure, RowFailure::SourceMissing);
}

TEST_F(RunnerTest, RowsOfTheSameNameGetNumberedOutputsAndNeverDeleteEachOther) {
    const struct {
        const char* what;
        const char* secondActions;
        std::vector<std::string> outputs;
    } cases[] = {
        {"both succeed", "", {"x (2).mp3", "x (3).mp3", "x.mp3"}},
        {"the second fails", "exit 1", {"x (2).mp3", "x.mp3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        plan.rows.clear();
        fs::remove_all(dir.Path() / "out");
        fs::create_directories(dir.Path() / "out");
        AddRow(dir.File("a/x.mp3"));
        AddRow(dir.File("b/x.mp3"), c.secondActions);
        AddRow(dir.File("c/x.mp3"));
        Run();
        std::vector<std::string> outputs;
        for (const auto& [name, bytes] : Outputs()) {
            outputs.push_back(name);
            EXPECT_EQ(bytes, encoded);
        }
        EXPECT_EQ(outputs, c.outputs);
    }
}

TEST_F(RunnerTest, AnEncoderInAFolderWithBlanksAndQuotesInItsNameStarts) {
#ifdef _WIN32
    const std::string folder = dir.File("Программы и кодеки");  // Windows names take no quotes
#else
    const std::string folder = dir.File("Кодек \"LAME\" 3.100\\");
#endif
    fs::create_directories(test::PathOf(folder));
    plan.encoderPath = folder + "/" + test::Utf8Of(fs::path(KESTRUNE_STAND_IN).filename());
    fs::copy_file(KESTRUNE_STAND_IN, test::PathOf(plan.encoderPath));
    AddRow(In("a.mp3"));
    Run();
    EXPECT_EQ(sink.results.at("a").at(0).failure, std::nullopt);
    EXPECT_TRUE(fs::exists(Out("a.mp3")));
}

// A browser's unfinished download named like the output is no file of the program's, and a
// name of 124 Cyrillic letters fits the file system, so its partial output must fit too.
// Temporary files of the program that no running program holds were left by one that was
// killed: the next run removes them.
TEST_F(RunnerTest, TheRunTouchesOnlyFilesItMadeWhateverTheNamesOfTheRows) {
    std::string longName;
    for (int i = 0; i < 124; ++i) {
        longName += "ж";
    }
    AddRow(In("a.mp3"));
    AddRow(In(longName + ".mp3"));
    const std::vector<std::uint8_t> foreign = {'m', 'i', 'n', 'e'};
    for (const char* name : {"a.mp3.part", "a.mp3.cover", ".kestrune-0badf00d.part"}) {
        test::WriteBytes(Out(name), foreign);
    }
    const auto held = platform::FileForUpdate::CreateHeld(Out(".kestrune-1234abcd.cover"),
                                                          platform::NewFileAccess::usual);
    ASSERT_TRUE(held);
    Run();
    const auto files = Outputs();
    EXPECT_EQ(files.at("a.mp3"), encoded);
    EXPECT_EQ(files.at(longName + ".mp3"), encoded);
    EXPECT_EQ(files.at("a.mp3.part"), foreign);
    EXPECT_EQ(files.at("a.mp3.cover"), foreign);
    EXPECT_TRUE(files.contains(".kestrune-1234abcd.cover"));
    EXPECT_EQ(files.size(), 5u);  // the file left unheld went, and nothing was left behind
}

}  // namespace
}  // namespace kestrune::unit1
