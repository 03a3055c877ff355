// kestrune-probe as users and scripts run it: one line of eleven fields per file.
#include "platform/CommandLine.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

namespace kestrune {
namespace {

// Runs the probe; a run that has not ended within the limit is ended and reads as status -1.
test::ProgramRun RunProbe(const std::vector<std::string>& arguments,
                          std::chrono::milliseconds limit = std::chrono::minutes(1)) {
    std::string commandLine = platform::QuoteArgument(KESTRUNE_PROBE);
    for (const std::string& argument : arguments) {
        commandLine += " " + platform::QuoteArgument(argument);
    }
    return test::RunProgram(commandLine, limit);
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

std::vector<std::vector<std::string>> Lines(const std::string& output) {
    std::vector<std::vector<std::string>> lines;
    std::stringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        if (line.ends_with('\r')) {  // Windows ends text lines with CR LF
            line.pop_back();
        }
        lines.push_back(Fields(line));
    }
    return lines;
}

TEST(Probe, PrintsOneLineOfElevenFieldsPerFileInArgumentOrder) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    test::TempDir dir;
    const std::string tagged = dir.File("Песня.mp3");
    test::MakeMp3(tagged,
                  "-b 64 -m m --id3v1-only --tt \"Line\tbreak\" --ta Artist --ty 1999 --tg 0", 2.0,
                  44100, 1);
    const std::string junk = dir.File("junk.bin");
    test::WriteBytes(junk, test::Filler(1234567));
    const test::ProgramRun run = RunProbe({tagged, junk, "/nonexistent/missing.mp3"});
    EXPECT_EQ(run.status, 0);
    const auto lines = Lines(run.output);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& fields : lines) {
        EXPECT_EQ(fields.size(), 11u);
    }
    const std::vector<std::string> expectedJunk{"junk", "1,234,567", "", "",      "", "",
                                                "",     "",          "", "0.000", "0"};
    const std::vector<std::string> expectedMissing{"missing", "0", "", "",      "", "",
                                                   "",        "",  "", "0.000", "0"};
    EXPECT_EQ(lines[1], expectedJunk);
    EXPECT_EQ(lines[2], expectedMissing);
    const auto& song = lines[0];
    EXPECT_EQ(song[0], "Песня");
    EXPECT_EQ(song[2], "64");
    EXPECT_EQ(song[3], "CBR");
    EXPECT_EQ(song[4], "Line break");
    EXPECT_EQ(song[5], "Artist");
    EXPECT_EQ(song[7], "1999");
    EXPECT_EQ(song[8], "0");
    EXPECT_EQ(song[10], "1");
}

TEST(Probe, ExitStatusTellsWrongArgumentsFromFileTrouble) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string output;  // what the standard output starts with
    } cases[] = {
        {{"--help"}, 0, "Usage:"},
        {{"--version"}, 0, "kestrune-probe " KESTRUNE_VERSION},
        {{}, 2, ""},
        {{"--bogus", "x.mp3"}, 2, ""},
        {{"--", "--bogus"}, 0, "--bogus\t"},  // after "--" every argument is a file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments.front());
        const test::ProgramRun run = RunProbe(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.output.substr(0, c.output.size()), c.output);
        EXPECT_EQ(run.output.empty(), c.output.empty());
    }
}

TEST(Probe, AnswersAtOnceForWhatIsNotARegularFileButNamedLikeMp3Files) {
    const test::TempDir dir;
    const std::string folder = dir.File("folder.mp3");
    std::filesystem::create_directory(test::PathOf(folder));
#ifdef _WIN32
    // A named pipe that never delivers data: reading it would block for ever.
    const std::string name = "kestrune-probe-" + std::to_string(GetCurrentProcessId());
    const std::string pipePath = "\\\\.\\pipe\\" + name + ".mp3";
    const HANDLE pipe = CreateNamedPipeA(pipePath.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                         PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::vector<std::string> paths{pipePath, folder};
    const std::vector<std::string> names{name, "folder"};
#else
    const std::string fifo = dir.File("fifo.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = dir.File("socket.mp3");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::vector<std::string> paths{fifo, socketPath, folder};
    const std::vector<std::string> names{"fifo", "socket", "folder"};
#endif

    // A blocked probe never ends; the limit only has to outlast a slow start.
    const test::ProgramRun run = RunProbe(paths, std::chrono::seconds(10));
#ifdef _WIN32
    CloseHandle(pipe);
#else
    ::close(listening);
#endif
    ASSERT_EQ(run.status, 0) << "the probe blocked";
    const auto lines = Lines(run.output);
    ASSERT_EQ(lines.size(), names.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> notValid{names[i], "0", "", "",      "", "",
                                                "",       "",  "", "0.000", "0"};
        EXPECT_EQ(lines[i], notValid);
    }
}

TEST(Probe, PrintsNamesThatAreNotUtf8AsValidUtf8) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names are UTF-16, never invalid UTF-8";
#endif
    const test::TempDir dir;
    std::vector<std::string> paths;
    for (const char* name : {"\xff.mp3", "\xc3\x28.mp3"}) {
        paths.push_back(dir.File(name));
        test::WriteBytes(paths.back(), test::Frames(test::kMpeg1Layer3At128, 40));
    }
    const test::ProgramRun run = RunProbe(paths);
    ASSERT_EQ(run.status, 0);
    const auto lines = Lines(run.output);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][0], "\uFFFD");
    EXPECT_EQ(lines[1][0], "\uFFFD(");
    EXPECT_EQ(lines[0][10], "1");
}

}  // namespace
}  // namespace kestrune
