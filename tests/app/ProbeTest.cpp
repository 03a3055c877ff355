// kestrune-probe as users and scripts run it: one line of eleven fields per file.
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <sstream>

namespace kestrune {
namespace {

struct ProbeRun {
    int status;
    std::string output;
};

ProbeRun RunProbe(const std::string& arguments) {
    const std::string command = std::string(KESTRUNE_PROBE) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
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

TEST(Probe, PrintsOneLineOfElevenFieldsPerFileInArgumentOrder) {
    test::TempDir dir;
    const std::string tagged = dir.File("Песня.mp3");
    test::MakeMp3(tagged, "-b 64 -m m --id3v1-only --tt 'Line\tbreak' --ta Artist --ty 1999 --tg 0",
                  2.0, 44100, 1);
    const std::string junk = dir.File("junk.bin");
    test::WriteBytes(junk, test::Filler(1234567));
    const ProbeRun run = RunProbe(test::ShellQuote(tagged) + " " + test::ShellQuote(junk) +
                                  " /nonexistent/missing.mp3");
    EXPECT_EQ(run.status, 0);
    std::vector<std::vector<std::string>> lines;
    std::stringstream stream(run.output);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(Fields(line));
    }
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
        const char* arguments;
        int status;
        bool printsUsage;
    } cases[] = {
        {"--help", 0, true},
        {"", 2, false},
        {"--bogus x.mp3", 2, false},
        {"-- --bogus", 0, false},  // after "--" every argument is a file
    };
    for (const auto& c : cases) {
        const ProbeRun run = RunProbe(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.output.find("Usage:") == 0, c.printsUsage) << c.arguments;
    }
}

}  // namespace
}  // namespace kestrune
