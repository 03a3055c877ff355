// kestrune-batch: its arguments, good and wrong; runs with the real lame (one keeping a
// folder tree and copying what would grow) and one with a stalled stand-in, with their lines,
// reasons and exit statuses; two processes at once over the same names into one folder; Ctrl+C; and
// a process killed mid-run.
#include "app/BatchArguments.h"
#include "platform/CommandLine.h"
#include "platform/Process.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/Processes.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

namespace kestrune {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(BatchArguments, TakesTheWindowsOptionsAndRefusesAnythingElseWithAReason) {
    using Args = std::vector<std::string>;
    const auto parse = [](const Args& arguments) { return app::ParseBatchArguments(arguments); };
    const auto ok = std::get<app::BatchArguments>(
        parse({"-V2", "--mono", "--id3v2", "-j", "3", "--encoder=/opt/lame", "-o", "out", "a.mp3",
               "--keep-folders", "--never-larger", "-", "-0", "--", "-b"}));
    EXPECT_TRUE(ok.options.variableBitRate && !ok.options.constantBitRate);
    EXPECT_EQ(ok.options.vbrQuality, 2);
    EXPECT_TRUE(ok.options.mono && !ok.options.tagV1 && ok.options.tagV2);
    EXPECT_EQ(ok.encoders, 3);
    EXPECT_EQ(ok.encoderPath, "/opt/lame");
    EXPECT_EQ(ok.outputFolder, "out");
    EXPECT_EQ(ok.paths, (Args{"a.mp3", "-b"}));
    EXPECT_TRUE(ok.pathsFromInput && ok.nulSeparated);
    EXPECT_TRUE(ok.keepFolders && ok.neverLarger);
    // What the window starts with.
    const auto plain = std::get<app::BatchArguments>(parse({"-o", "out", "a.mp3"}));
    EXPECT_TRUE(plain.options.constantBitRate && plain.options.bitRateText == "32");
    EXPECT_TRUE(plain.options.tagV1 && !plain.options.tagV2);
    EXPECT_EQ(plain.encoders, std::nullopt);
    EXPECT_FALSE(plain.keepFolders || plain.neverLarger);
    EXPECT_FALSE(std::get<app::BatchArguments>(parse({"--no-tags", "-o", "o", "a"})).options.tagV1);
    EXPECT_TRUE(std::get<app::BatchArguments>(parse({"--help"})).help);

    for (const Args& wrong :
         {Args{"a.mp3"}, Args{"-o", "out"}, Args{"-b", "192", "-o", "o", "a"},
          Args{"-V", "10", "-o", "o", "a"}, Args{"-b", "64", "-V", "2", "-o", "o", "a"},
          Args{"--no-tags", "--id3v1", "-o", "o", "a"}, Args{"-j", "-1", "-o", "o", "a"},
          Args{"--fast", "-o", "o", "a"}, Args{"-o"}}) {
        const auto parsed = parse(wrong);
        const auto* error = std::get_if<app::ArgumentError>(&parsed);
        ASSERT_NE(error, nullptr) << wrong.front();
        EXPECT_FALSE(error->reason.empty());
        EXPECT_EQ(error->reason.find('\n'), std::string::npos);
    }
}

struct Line {
    std::string source;
    std::string output;
    std::string result;
};

class KestruneBatch : public ::testing::Test {
protected:
    KestruneBatch() {
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
    }

    static std::string CommandLine(const std::vector<std::string>& arguments) {
        std::string line = platform::QuoteArgument(KESTRUNE_BATCH);
        for (const std::string& argument : arguments) {
            line += " " + platform::QuoteArgument(argument);
        }
        return line;
    }

    // A valid MP3 file that the stand-in encoder treats as the actions say.
    std::string StandInRow(const std::string& path, const std::string& actions) const {
        fs::create_directories(test::PathOf(path).parent_path());
        test::WriteBytes(path, test::Frames(test::kMpeg1Layer3At128, 60));
        std::ofstream(test::PathOf(path + ".actions")) << actions;
        return path;
    }

    static std::vector<Line> Lines(const std::string& output) {
        std::vector<Line> lines;
        std::stringstream stream(output);
        for (std::string text; std::getline(stream, text);) {
            std::stringstream fields(text);
            Line line;
            std::getline(fields, line.source, '\t');
            std::getline(fields, line.output, '\t');
            std::getline(fields, line.result, '\t');
            lines.push_back(line);
        }
        return lines;
    }

    // The program's own temporary files left in the output folder.
    std::size_t TemporaryFiles() const {
        return static_cast<std::size_t>(std::ranges::count_if(
            fs::directory_iterator(dir.Path() / "out"), [](const auto& entry) {
                return entry.path().filename().string().starts_with(".kestrune-");
            }));
    }

    test::TempDir dir;
};

TEST_F(KestruneBatch, EncodesWithLameTellsEveryFileAndExitsWithWhatBecameOfThem) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::MakeMp3(dir.File("in/Песня.mp3"), "-b 128 --add-id3v2 --tt \"Старое\" --ta Кино");
    test::WriteBytes(dir.File("in/junk.mp3"), std::vector<std::uint8_t>(5000, 0x55));
    const auto run = test::RunProgram(CommandLine(
        {"--encoder", KESTRUNE_LAME, "--id3v2", "-o", dir.File("out"), dir.File("in")}));
    EXPECT_EQ(run.status, 1);
    const auto lines = Lines(run.output);
    ASSERT_EQ(lines.size(), 2u) << run.output;
    EXPECT_EQ(lines[0].result, "not-valid");
    EXPECT_EQ(lines[1].output, dir.File("out/Песня.mp3"));
    EXPECT_EQ(lines[1].result, "encoded");
    EXPECT_NE(run.errorOutput.find("junk.mp3: не является файлом MP3"), std::string::npos);

    const auto good = test::RunProgram(
        CommandLine({"--encoder", KESTRUNE_LAME, "-o", dir.File("out"), dir.File("in/Песня.mp3")}));
    EXPECT_EQ(good.status, 0);
    const auto wrong = test::RunProgram(CommandLine({"-b", "192", "-o", dir.File("out"), "x.mp3"}));
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.errorOutput.starts_with("kestrune-batch: битрейт 192 не поддерживается"));
    EXPECT_NE(wrong.errorOutput.find("Использование:"), std::string::npos);
    EXPECT_EQ(TemporaryFiles(), 0u);
}

// An album folder with its tree kept: the file that would only grow is copied with its tags
// edited, the other re-encoded, and the cover comes along.
TEST_F(KestruneBatch, KeepsTheFolderTreeAndCopiesWhatWouldGrowWithLame) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    fs::create_directories(test::PathOf(dir.File("in/Альбом/CD 1")));
    test::MakeMp3(dir.File("in/Альбом/CD 1/01.mp3"), "-b 128");
    test::MakeMp3(dir.File("in/Альбом/CD 1/02.mp3"), "-b 32 --tt Song");  // an ID3v1 tag
    test::WriteBytes(dir.File("in/Альбом/CD 1/cover.jpg"), test::BytesOf("jpeg"));
    const auto run = test::RunProgram(
        CommandLine({"--encoder", KESTRUNE_LAME, "-b", "64", "--id3v2", "--keep-folders",
                     "--never-larger", "-o", dir.File("out"), dir.File("in/Альбом")}));
    EXPECT_EQ(run.status, 0) << run.errorOutput;
    auto lines = Lines(run.output);  // in the order the files ended
    std::ranges::sort(lines, {}, &Line::output);
    ASSERT_EQ(lines.size(), 2u) << run.output;
    EXPECT_EQ(lines[0].output, dir.File("out/Альбом/CD 1/01.mp3"));
    EXPECT_EQ(lines[0].result, "encoded");
    EXPECT_EQ(lines[1].output, dir.File("out/Альбом/CD 1/02.mp3"));
    EXPECT_EQ(lines[1].result, "copied");
    // The same audio (past the source's short ID3v2 tag), its ID3v1 tag given up as asked.
    auto audio = test::ReadBytes(dir.File("in/Альбом/CD 1/02.mp3"));
    audio.resize(audio.size() - 128);
    const auto copy = test::ReadBytes(lines[1].output);
    EXPECT_TRUE(std::ranges::equal(std::span(copy).first(3), test::BytesOf("ID3")));
    EXPECT_TRUE(std::ranges::equal(std::span(copy).last(audio.size() - 1024),
                                   std::span(audio).subspan(1024)));
    EXPECT_EQ(test::ReadBytes(dir.File("out/Альбом/CD 1/cover.jpg")), test::BytesOf("jpeg"));
}

TEST_F(KestruneBatch, AStalledEncoderIsEndedByTheWatchdog) {
    KESTRUNE_SKIP_WITHOUT_PROCESSOR_TIME();
    StandInRow(dir.File("in/a.mp3"), "sleep 60000");
    const auto run = test::RunProgram(
        CommandLine({"--encoder", KESTRUNE_STAND_IN, "-o", dir.File("out"), dir.File("in/a.mp3")}));
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(Lines(run.output).size(), 1u);
    EXPECT_EQ(Lines(run.output)[0].result, "stalled");
    EXPECT_NE(run.errorOutput.find("кодек завис и был остановлен"), std::string::npos);
}

// Two machines sharing a folder: neither process writes a file the other writes.
TEST_F(KestruneBatch, TwoProcessesAtOnceOverTheSameNamesLoseNothing) {
    std::vector<platform::ChildProcess> processes;
    for (const char* folder : {"in1", "in2"}) {
        for (const char* name : {"x.mp3", "y.mp3"}) {
            StandInRow(dir.File(std::string(folder) + "/" + name), "sleep 300");
        }
        auto started =
            platform::ChildProcess::Start(CommandLine({"--encoder", KESTRUNE_STAND_IN, "-j", "2",
                                                       "-o", dir.File("out"), dir.File(folder)}),
                                          {.keptOutput = 1 << 16});
        processes.push_back(std::move(std::get<platform::ChildProcess>(started)));
    }
    std::set<std::string> outputs;
    for (platform::ChildProcess& process : processes) {
        ASSERT_EQ(process.Wait(60s)->code, 0u) << process.OutputTail();
        for (const Line& line : Lines(process.OutputTail())) {
            outputs.insert(line.output);
        }
    }
    EXPECT_EQ(outputs, (std::set<std::string>{dir.File("out/x.mp3"), dir.File("out/x (2).mp3"),
                                              dir.File("out/y.mp3"), dir.File("out/y (2).mp3")}));
    EXPECT_EQ(TemporaryFiles(), 0u);
}

#ifndef _WIN32
// Ctrl+C ends the running encoders, removes their partial files and tells the files that
// ended; kill -9 leaves the encoders to die with the program and its files to the next run.
TEST_F(KestruneBatch, AnInterruptEndsTheRunCleanlyAndAKilledRunIsCleanedUpByTheNext) {
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "kill -9" : "Ctrl+C");
        const std::string pidFile = dir.File(killed ? "pid-killed" : "pid-interrupted");
        StandInRow(dir.File("in/a.mp3"), "pid-to-file " + pidFile + " sleep 60000");
        auto started = platform::ChildProcess::Start(
            CommandLine({"--encoder", KESTRUNE_STAND_IN, "-o", dir.File("out"), dir.File("in")}),
            {.ownSession = true, .keptOutput = 1 << 16});
        auto& batch = std::get<platform::ChildProcess>(started);
        while (!fs::exists(pidFile) || fs::file_size(pidFile) == 0) {
            std::this_thread::sleep_for(50ms);
        }
        long encoder = 0;
        std::ifstream(test::PathOf(pidFile)) >> encoder;
        if (killed) {
            batch.Terminate(9);
        } else {
            ::kill(static_cast<pid_t>(batch.ProcessId()), SIGINT);
        }
        const auto exit = batch.Wait(30s);
        ASSERT_TRUE(exit);
        for (int i = 0; i < 100 && test::IsProcessRunning(encoder); ++i) {
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_FALSE(test::IsProcessRunning(encoder));
        if (killed) {
            EXPECT_GT(TemporaryFiles(), 0u);
            StandInRow(dir.File("quick/b.mp3"), "");
            test::RunProgram(CommandLine(
                {"--encoder", KESTRUNE_STAND_IN, "-o", dir.File("out"), dir.File("quick/b.mp3")}));
        } else {
            EXPECT_EQ(exit->code, 130u);
            ASSERT_EQ(Lines(batch.OutputTail()).size(), 1u);
            EXPECT_EQ(Lines(batch.OutputTail())[0].result, "failed");
        }
        EXPECT_EQ(TemporaryFiles(), 0u);
        fs::remove(test::PathOf(dir.File("in/a.mp3")));
    }
}
#endif

}  // namespace
}  // namespace kestrune
