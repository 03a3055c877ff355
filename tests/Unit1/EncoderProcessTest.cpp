// Starting, waiting for and terminating the encoder, with a stand-in program that sleeps,
// writes, reads or exits as told.
#include "Unit1/EncoderProcess.h"

#include "platform/CommandLine.h"
#include "support/Processes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kestrune::unit1 {
namespace {

using namespace std::chrono_literals;

std::string StandIn(const std::string& actions) {
    return "\"" KESTRUNE_STAND_IN "\" " + actions;
}

bool Start(EncoderProcess& encoder, const std::string& commandLine) {
    return encoder.StartEncoder(commandLine);
}

// Waits in the run's 100 ms slices until the encoder ends or the limit passes.
bool WaitUntilEnded(EncoderProcess& encoder, std::chrono::seconds limit = 60s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!encoder.WaitForEnd(100ms)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
    }
    return true;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(test::PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WasTerminated(const EncoderProcess& encoder) {
    return test::WasTerminated(*encoder.ExitStatus(), kTerminatedExitCode);
}

// The stand-in's output pattern: "abc...z" repeated.
std::string PatternTail(long long total, std::size_t tail) {
    std::string text;
    for (long long i = total - static_cast<long long>(tail); i < total; ++i) {
        text.push_back(static_cast<char>('a' + i % 26));
    }
    return text;
}

TEST(EncoderProcess, ProgramThatCannotStartGivesFalseAndTellsWhy) {
    const test::TempDir dir;
#ifdef _WIN32
    // Every file may be run on Windows, unless another program holds it for itself.
    const std::string notExecutable = dir.File("lame.exe");
    std::filesystem::copy_file(test::PathOf(KESTRUNE_STAND_IN), test::PathOf(notExecutable));
    const HANDLE held = CreateFileW(test::PathOf(notExecutable).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::unique_ptr<void, decltype(&CloseHandle)> closeHeld(held, &CloseHandle);
    // Wine reports such a file as missing.
    const auto denied = test::RunsUnderWine() ? platform::StartError::Kind::programNotFound
                                              : platform::StartError::Kind::accessDenied;
#else
    const std::string notExecutable = dir.File("lame");
    std::ofstream(notExecutable) << "not a program";
    const auto denied = platform::StartError::Kind::accessDenied;
#endif
    const struct {
        std::string commandLine;
        platform::StartError::Kind kind;
    } cases[] = {
        {"/nonexistent/folder/lame --mp3input", platform::StartError::Kind::programNotFound},
        {"kestrune-no-such-program --silent", platform::StartError::Kind::programNotFound},
        {"", platform::StartError::Kind::programNotFound},
        {"  ", platform::StartError::Kind::programNotFound},
        {"\"\" -x", platform::StartError::Kind::programNotFound},
        {notExecutable + " --mp3input", denied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EncoderProcess encoder;
        EXPECT_FALSE(Start(encoder, c.commandLine));
        EXPECT_EQ(encoder.StartError().kind, c.kind) << encoder.StartError().systemCode;
        EXPECT_FALSE(encoder.IsRunning());
        EXPECT_TRUE(encoder.WaitForEnd(0ms));
    }
}

TEST(EncoderProcess, StartReturnsWhileTheEncoderRunsAndTerminateEndsIt) {
    EncoderProcess encoder;
    ASSERT_TRUE(Start(encoder, StandIn("sleep 60000")));
    EXPECT_TRUE(encoder.IsRunning());
    EXPECT_FALSE(encoder.WaitForEnd(100ms));
    EXPECT_FALSE(encoder.ExitStatus().has_value());

    encoder.Terminate();
    ASSERT_TRUE(WaitUntilEnded(encoder, 10s));
    ASSERT_TRUE(encoder.ExitStatus().has_value());
    EXPECT_TRUE(WasTerminated(encoder));
    EXPECT_FALSE(encoder.IsRunning());
}

TEST(EncoderProcess, ReportsTheExitStatusOfAnEncoderThatEnds) {
    const test::TempDir dir;
    const std::string file = dir.File("written by the encoder.txt");
    const struct {
        std::string actions;
        std::uint32_t code;
    } cases[] = {
        {"exit 0", 0},
        {"exit 7", 7},
        {"write-file " + platform::QuoteArgument(file) + " done exit 1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.actions);
        EncoderProcess encoder;
        ASSERT_TRUE(Start(encoder, StandIn(c.actions)));
        ASSERT_TRUE(WaitUntilEnded(encoder));
        EXPECT_EQ(encoder.ExitStatus()->code, c.code);
        EXPECT_EQ(encoder.ExitStatus()->signal, 0);
    }
    EXPECT_EQ(ReadText(file), "done");
}

TEST(EncoderProcess, TalkativeEncoderIsDrainedAndFinishes) {
    constexpr long long kFiftyMegabytes = 50LL * 1024 * 1024;
    const struct {
        const char* stream;
        std::string expectedTail;
    } cases[] = {
        {"stdout", ""},
        {"stderr", PatternTail(kFiftyMegabytes, kStdErrTailSize)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stream);
        EncoderProcess encoder;
        ASSERT_TRUE(Start(encoder, StandIn(std::string(c.stream) + " " +
                                           std::to_string(kFiftyMegabytes) + " exit 0")));
        const bool ended = WaitUntilEnded(encoder);
        encoder.Terminate();
        ASSERT_TRUE(ended) << "the encoder blocked on a full pipe";
        EXPECT_EQ(encoder.ExitStatus()->code, 0u);
        EXPECT_EQ(encoder.StdErrTail(), c.expectedTail);
    }
}

TEST(EncoderProcess, WaitingForSeveralReturnsAtTheFirstEndAndDrainsThemAll) {
    constexpr long long kTenMegabytes = 10LL * 1024 * 1024;
    EncoderProcess sleeper;
    EncoderProcess talker;
    ASSERT_TRUE(Start(sleeper, StandIn("sleep 20000")));
    ASSERT_TRUE(Start(talker, StandIn("stderr " + std::to_string(kTenMegabytes) + " exit 6")));
    const std::vector<EncoderProcess*> both{&sleeper, &talker};
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (!EncoderProcess::WaitForAnyEnd(both, 100ms) &&
           std::chrono::steady_clock::now() < deadline) {
    }
    ASSERT_FALSE(talker.IsRunning()) << "the talkative encoder blocked on a full pipe";
    EXPECT_EQ(talker.ExitStatus()->code, 6u);
    EXPECT_EQ(talker.StdErrTail(), PatternTail(kTenMegabytes, kStdErrTailSize));
    EXPECT_TRUE(sleeper.IsRunning());
    EXPECT_TRUE(EncoderProcess::WaitForAnyEnd(both, 0ms)) << "an ended encoder answers at once";

    sleeper.Terminate();
    EXPECT_TRUE(EncoderProcess::WaitForAnyEnd(std::vector{&sleeper}, 10s));
    EXPECT_TRUE(WasTerminated(sleeper));
}

TEST(EncoderProcess, StandardInputNeverDeliversAnEnd) {
    EncoderProcess encoder;
    ASSERT_TRUE(Start(encoder, StandIn("read-stdin")));
    for (int slice = 0; slice < 5; ++slice) {
        EXPECT_FALSE(encoder.WaitForEnd(100ms));
    }
    encoder.Terminate();
    ASSERT_TRUE(WaitUntilEnded(encoder, 10s));
    EXPECT_TRUE(WasTerminated(encoder)) << "the stand-in saw the end of its input";
}

TEST(EncoderProcess, TerminateAfterTheEndNeverReachesALaterProcess) {
    EncoderProcess ended;
    ASSERT_TRUE(Start(ended, StandIn("exit 0")));
    ASSERT_TRUE(WaitUntilEnded(ended));
    EncoderProcess running;
    ASSERT_TRUE(Start(running, StandIn("sleep 60000")));

    ended.Terminate();
    EXPECT_FALSE(running.WaitForEnd(300ms));
    running.Terminate();
    EXPECT_TRUE(WaitUntilEnded(running, 10s));
}

TEST(EncoderProcess, TerminateEndsTheProgramsTheEncoderStarted) {
    const test::TempDir dir;
    const std::string pidFile = dir.File("child.pid");
    EncoderProcess wrapper;
    ASSERT_TRUE(Start(
        wrapper, test::ThroughShell(
                     StandIn("pid-to-file " + platform::QuoteArgument(pidFile) + " sleep 60000"))));
    long child = 0;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!(std::ifstream(test::PathOf(pidFile)) >> child) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(test::IsProcessRunning(child));

    wrapper.Terminate();
    ASSERT_TRUE(WaitUntilEnded(wrapper, 10s));
    const auto gone = std::chrono::steady_clock::now() + 5s;
    while (test::IsProcessRunning(child) && std::chrono::steady_clock::now() < gone) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(test::IsProcessRunning(child));
}

TEST(EncoderProcess, EncoderGetsTheSplitArgumentsAndOnlyItsStandardHandles) {
    const test::TempDir dir;
    const std::string argsFile = dir.File("args");
    const std::string fdsFile = dir.File("fds");
    const std::string titleFile = dir.File("title");
    EncoderProcess earlier;
    ASSERT_TRUE(Start(earlier, StandIn("read-stdin")));

    EncoderProcess encoder;
    const std::string title = "Песня \"Ночь\" \\";
#ifdef _WIN32
    // Windows has no count of a process's own handles that says which were inherited.
    const std::string countHandles;
#else
    const std::string countHandles = " fds-to-file " + platform::QuoteArgument(fdsFile) + " ";
#endif
    ASSERT_TRUE(
        Start(encoder, StandIn("args-to-file " + platform::QuoteArgument(argsFile) + " " +
                               countHandles + " write-file " + platform::QuoteArgument(titleFile) +
                               " " + platform::QuoteArgument(title))));
    ASSERT_TRUE(WaitUntilEnded(encoder));
    earlier.Terminate();
    ASSERT_TRUE(WaitUntilEnded(earlier, 10s));

    EXPECT_EQ(encoder.ExitStatus()->code, 0u);
    EXPECT_EQ(ReadText(titleFile), title);
    std::vector<std::string> arguments{"args-to-file", argsFile};
#ifndef _WIN32
    EXPECT_EQ(ReadText(fdsFile), "3") << "descriptors of the program or an earlier encoder leaked";
    arguments.insert(arguments.end(), {"fds-to-file", fdsFile});
#endif
    arguments.insert(arguments.end(), {"write-file", titleFile, title});
    std::string expected;
    for (const std::string& argument : arguments) {
        expected += argument + '\0';
    }
    EXPECT_EQ(ReadText(argsFile), expected);
}

TEST(EncoderProcess, RepeatedStartsLeaveNoHandleOpen) {
#ifdef _WIN32
    // Starts are slow under Wine; the exact handle count shows a leak of one handle at once.
    constexpr int kStarts = 20;
#else
    constexpr int kStarts = 500;
#endif
    const long before = test::OpenHandleCount();
    EncoderProcess encoder;
    for (int start = 0; start < kStarts; ++start) {
        ASSERT_TRUE(Start(encoder, StandIn("stderr 100 exit 0")));
        ASSERT_TRUE(WaitUntilEnded(encoder));
    }
    EXPECT_FALSE(Start(encoder, "/nonexistent/lame"));
    EXPECT_EQ(test::OpenHandleCount(), before);
}

}  // namespace
}  // namespace kestrune::unit1
