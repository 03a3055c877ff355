// The command line built for a real MP3 file, run by the real lame: the encoder accepts
// every option, finishes, and writes the Cyrillic tags it was given, even when the program
// itself runs without any locale.
#include "Unit1/EncoderCommandLine.h"
#include "Unit1/EncoderProcess.h"

#include "support/Lame.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrune::unit1 {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint8_t> Utf16LittleEndian(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

bool Contains(const std::vector<std::uint8_t>& haystack, const std::vector<std::uint8_t>& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

TEST(EncoderWithLame, EncodesARealFileAndWritesItsCyrillicTags) {
    KESTRUNE_SKIP_WITHOUT_LAME();
    const test::TempDir dir;
    const std::string source = dir.File("Исходная песня.MP3");
    test::MakeMp3(source, "-b 128", 1.0);
    const std::string outputFolder = dir.File("Сжатые");
    std::filesystem::create_directories(test::PathOf(outputFolder));

    EncoderOptions options;
    options.tagV2 = true;
    const EncoderRow row{.sourcePath = source,
                         .title = "Ночной дозор",
                         .artist = "Кино",
                         .album = "",
                         .year = "1988",
                         .genre = "17",
                         .outputName = "Исходная песня"};
    const std::string commandLine = FullEncoderCommandLine(
        KESTRUNE_LAME, options, row, OutputPath(outputFolder, row.outputName));

    // As on a machine with no locale set.
    test::ScopedEnvironment noLocale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        noLocale.Unset(name);
    }
    EncoderProcess encoder;
    ASSERT_TRUE(encoder.StartEncoder(commandLine));
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!encoder.WaitForEnd(100ms) && std::chrono::steady_clock::now() < deadline) {
    }
    encoder.Terminate();
    ASSERT_TRUE(encoder.WaitForEnd(10s)) << commandLine;
    EXPECT_EQ(encoder.ExitStatus()->code, 0u) << encoder.StdErrTail();
    EXPECT_EQ(encoder.ExitStatus()->signal, 0);

    const std::vector<std::uint8_t> output =
        test::ReadBytes(OutputPath(outputFolder, row.outputName));
    ASSERT_FALSE(output.empty());
    EXPECT_TRUE(Contains(output, Utf16LittleEndian(u"Ночной дозор")));
    EXPECT_TRUE(Contains(output, Utf16LittleEndian(u"Кино")));
}

}  // namespace
}  // namespace kestrune::unit1
