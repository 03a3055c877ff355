// The runner on a plan with the stand-in encoder and a sink that only records, no window:
// what each row's outcome is, where outputs go and under which names, what survives a failed
// row, and that a run touches no file it did not make.
#include "Unit1/Runner.h"

#include "Unit1/FileList.h"
#include "Unit1/Mp3Files.h"
#include "platform/File.h"
#include "support/Mp3Bytes.h"
#include "support/ScriptedCpuMonitor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#ifndef _WIN32
#include <unistd.h>
#endif

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
    // Deleted while it is encoded: its tags cannot be carried, so the row fails.
    AddRow(In("untagged.mp3"), "remove-file " + In("untagged.mp3"));
    const auto older = test::BytesOf("an older result");
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "gone.mp3", "untagged.mp3"}) {
        test::WriteBytes(Out(name), older);
    }
    sink.monitor.Then({0.0, 0.0});  // the stalled row b is ended by the watchdog
    Run();
    EXPECT_EQ(Outputs(),
              (std::map<std::string, std::vector<std::uint8_t>>{{"a.mp3", older},
                                                                {"b.mp3", older},
                                                                {"c.mp3", encoded},
                                                                {"gone.mp3", older},
                                                                {"untagged.mp3", older}}));
    EXPECT_EQ(sink.results.at("b").at(0).failure, RowFailure::StoppedAsIdle);
    EXPECT_EQ(sink.results.at("gone").at(0).failure, RowFailure::SourceMissing);
    EXPECT_EQ(sink.results.at("untagged").at(0).failure, RowFailure::TagsNotWritten);
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

namespace kestrune::unit1 {
namespace {

// A file of a tree below "in": an MP3 file at 128 kbit/s unless "@32" ends its name, told
// to pad its output when "+" does, or any other file with its name as its bytes.
void MakeTreeFile(const fs::path& in, std::string name) {
    const bool low = name.ends_with("@32");
    const bool padded = name.ends_with("+");
    if (low || padded) {
        name.resize(name.size() - (low ? 3 : 1));
    }
    const std::string path = test::Utf8Of(in / test::PathOf(name));
    fs::create_directories(test::PathOf(path).parent_path());
    if (!name.ends_with(".mp3")) {
        test::WriteBytes(path, test::BytesOf(name));
        return;
    }
    // Copies are told apart by their bytes, so each kind of source has a length of its own.
    const int frames = low ? 240 : (padded ? 61 : 60);
    test::WriteBytes(path,
                     test::Frames(low ? test::kMpeg1Layer3At32 : test::kMpeg1Layer3At128, frames));
    if (padded) {  // an output larger than its source
        std::ofstream(test::PathOf(path + ".actions")) << "pad-output 40000";
    }
}

// The path below the folder, with "/" between folders on every system.
std::string NameBelow(const fs::path& path, const fs::path& folder) {
    std::string name = test::Utf8Of(path.lexically_relative(folder));
    std::ranges::replace(name, '\\', '/');
    return name;
}

using Sources = std::map<std::vector<std::uint8_t>, std::string>;  // bytes to name below "in"

// Every file below a folder, by its name below it, as what it holds: "encoded", "copy of
// <source>" or its own bytes as text.
std::map<std::string, std::string> TreeOf(const fs::path& folder, const Sources& sources) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            const auto bytes = test::ReadBytes(test::Utf8Of(entry.path()));
            const auto source = sources.find(bytes);
            files[NameBelow(entry.path(), folder)] =
                bytes == test::BytesOf("partial encoded") ? "encoded"
                : source != sources.end()                 ? "copy of " + source->second
                                                          : std::string(bytes.begin(), bytes.end());
        }
    }
    return files;
}

// Trees as folder adds find them, crossed with keeping the tree and never making a file
// larger (the run aims at 32 kbit/s): where each output goes, which sources are copied, and
// which pictures come along. Sources added are "Music" and the files named on their own.
TEST_F(RunnerTest, AddedFoldersKeepTheirTreeWhenAskedAndNoOutputComesOutLarger) {
    using Files = std::vector<std::string>;
    using Tree = std::map<std::string, std::string>;
    const struct {
        const char* what;
        Files sources;  // below "in"
        Files added;    // below "in", in order
        bool keepFolders;
        bool neverLarger;
        Tree outputs;
        Files ownOutputs = {};  // already in the output folder, each holding "mine"
    } cases[] = {
        {"nested folders, flattened",
         {"Music/a.mp3", "Music/Artist/Album/b.mp3", "Music/Artist/Album/cover.jpg"},
         {"Music"},
         false,
         false,
         {{"a.mp3", "encoded"}, {"b.mp3", "encoded"}}},
        {"nested folders, kept with their pictures",
         {"Music/a.mp3", "Music/Artist/Album/b.mp3", "Music/Artist/Album/cover.jpg",
          "Music/Artist/Album/Back.PNG", "Music/Artist/Album/notes.txt"},
         {"Music"},
         true,
         false,
         {{"Music/a.mp3", "encoded"},
          {"Music/Artist/Album/b.mp3", "encoded"},
          {"Music/Artist/Album/cover.jpg", "Music/Artist/Album/cover.jpg"},
          {"Music/Artist/Album/Back.PNG", "Music/Artist/Album/Back.PNG"}}},
        {"same names in different folders and one on its own, flattened",
         {"Music/A/x.mp3", "Music/B/x.mp3", "x.mp3"},
         {"Music", "x.mp3"},
         false,
         false,
         {{"x.mp3", "encoded"}, {"x (2).mp3", "encoded"}, {"x (3).mp3", "encoded"}}},
        {"same names in different folders and one on its own, kept",
         {"Music/A/x.mp3", "Music/B/x.mp3", "Music/B/cover.jpg", "x.mp3", "folder.jpg"},
         {"Music", "x.mp3"},
         true,
         false,
         {{"Music/A/x.mp3", "encoded"},
          {"Music/B/x.mp3", "encoded"},
          {"Music/B/cover.jpg", "Music/B/cover.jpg"},
          {"x.mp3", "encoded"}}},
        {"a hidden folder passed over, kept",
         {"Music/.hidden/h.mp3", "Music/Sub/s.mp3"},
         {"Music"},
         true,
         false,
         {{"Music/Sub/s.mp3", "encoded"}}},
        {"pictures already there are not taken over",
         {"Music/a.mp3", "Music/cover.jpg", "Music/back.gif"},
         {"Music"},
         true,
         false,
         {{"Music/a.mp3", "encoded"},
          {"Music/cover.jpg", "mine"},
          {"Music/back.gif", "Music/back.gif"}},
         {"Music/cover.jpg"}},
        {"never larger, flattened",
         {"Music/low.mp3@32", "Music/high.mp3", "Music/big.mp3+"},
         {"Music"},
         false,
         true,
         {{"low.mp3", "copy of Music/low.mp3"},
          {"high.mp3", "encoded"},
          {"big.mp3", "copy of Music/big.mp3"}}},
        {"never larger, kept",
         {"Music/Album/low.mp3@32", "Music/Album/cover.jpg", "Music/high.mp3"},
         {"Music"},
         true,
         true,
         {{"Music/Album/low.mp3", "copy of Music/Album/low.mp3"},
          {"Music/Album/cover.jpg", "Music/Album/cover.jpg"},
          {"Music/high.mp3", "encoded"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path in = dir.Path() / c.what / "in";
        const fs::path out = dir.Path() / c.what / "out";
        Sources sources;
        for (const std::string& source : c.sources) {
            MakeTreeFile(in, source);
        }
        for (const auto& entry : fs::recursive_directory_iterator(in)) {
            if (entry.path().extension() == ".mp3") {
                sources[test::ReadBytes(test::Utf8Of(entry.path()))] = NameBelow(entry.path(), in);
            }
        }
        for (const std::string& own : c.ownOutputs) {
            fs::create_directories((out / test::PathOf(own)).parent_path());
            test::WriteBytes(test::Utf8Of(out / test::PathOf(own)), test::BytesOf("mine"));
        }
        fs::create_directories(out);
        std::vector<std::string> added;
        for (const std::string& path : c.added) {
            added.push_back(test::Utf8Of(in / test::PathOf(path)));
        }
        plan.rows.clear();
        for (const FoundMp3& file : FindMp3Files(added).files) {
            plan.rows.push_back(EntryOfFile(file.path, file.folderBelow));
        }
        plan.outputFolder = test::Utf8Of(out);
        plan.keepFolders = c.keepFolders;
        plan.neverLarger = c.neverLarger;
        sink.results.clear();
        Run();
        EXPECT_EQ(TreeOf(out, sources), c.outputs);
        for (const auto& [name, results] : sink.results) {
            for (const RowResult& result : results) {
                EXPECT_EQ(result.failure, std::nullopt) << name;
                EXPECT_EQ(result.copied,
                          c.outputs.at(NameBelow(test::PathOf(result.outputPath), out))
                              .starts_with("copy"))
                    << name;
            }
        }
    }
}

// Links that lead back up are entered once, and a folder that cannot be read is told while
// everything else is found (the superuser reads every folder, so for it the folder is found).
TEST(Mp3Files, ALinkLoopIsEnteredOnceAndAnUnreadableFolderIsToldNotFatal) {
#ifdef _WIN32
    GTEST_SKIP() << "links and folder rights are the POSIX file system's";
#else
    const test::TempDir dir;
    const fs::path music = dir.Path() / "Music";
    fs::create_directories(music / "Sub");
    fs::create_directories(music / "Locked");
    for (const char* name : {"a.mp3", "Locked/l.mp3", "Sub/s.mp3"}) {
        test::WriteBytes(test::Utf8Of(music / name), {});
    }
    fs::create_directory_symlink("..", music / "Sub" / "loop");
    const bool locked = geteuid() != 0;
    fs::permissions(music / "Locked", fs::perms::none);
    const Mp3Search search = FindMp3Files({test::Utf8Of(music)});
    fs::permissions(music / "Locked", fs::perms::owner_all);
    std::vector<std::pair<std::string, std::string>> found;
    for (const FoundMp3& file : search.files) {
        found.emplace_back(NameBelow(file.path, dir.Path()), file.folderBelow);
    }
    using Found = std::vector<std::pair<std::string, std::string>>;
    Found expected = {{"Music/a.mp3", "Music"}, {"Music/Sub/s.mp3", "Music/Sub"}};
    if (!locked) {
        expected.insert(expected.begin() + 1, {"Music/Locked/l.mp3", "Music/Locked"});
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(search.unreadableFolders,
              locked ? std::vector<std::string>{test::Utf8Of(music / "Locked")}
                     : std::vector<std::string>{});
#endif
}

}  // namespace
}  // namespace kestrune::unit1
