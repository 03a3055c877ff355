// The command line built for a real MP3 file, run by the real lame: the encoder accepts
// every option, finishes, and writes the Cyrillic tags it was given, even when the program
// itself runs without any locale.
#include "Unit1/EncoderCommandLine.h"
#include "Unit1/EncoderProcess.h"

#include "support/Lame.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::unit1 {
namespace {

using namespace std::chrono_literals;

// Removes the locale variables for the life of the object, as on a machine with none set.
class WithoutLocale {
public:
    WithoutLocale() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    ~WithoutLocale() {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i]) {
                ::setenv(kNames[i], saved_[i]->c_str(), 1);
            }
        }
    }
    WithoutLocale(const WithoutLocale&) = delete;
    WithoutLocale& operator=(const WithoutLocale&) = delete;

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

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
    const test::TempDir dir;
    const std::string source = dir.File("Исходная песня.MP3");
    test::MakeMp3(source, "-b 128", 1.0);
    const std::string outputFolder = dir.File("Сжатые");
    std::filesystem::create_directories(std::filesystem::u8path(outputFolder));

    EncoderOptions options;
    options.tagV2 = true;
    const EncoderRow row{.sourcePath = source,
                         .title = "Ночной дозор",
                         .artist = "Кино",
                         .album = "",
                         .year = "1988",
                         .genre = "17",
                         .outputName = "Исходная песня"};
    const std::string commandLine =
        "\"" KESTRUNE_LAME "\"" +
        BuildEncoderCommandLine(options, row, OutputPath(outputFolder, row.outputName));

    const WithoutLocale noLocale;
    EncoderProcess encoder;
    ASSERT_TRUE(encoder.StartEncoder(commandLine));
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!encoder.WaitForEnd(100ms) && std::chrono::steady_clock::now() < deadline) {
    }
    encoder.Terminate();
    ASSERT_TRUE(encoder.WaitForEnd(10s)) << commandLine;
    EXPECT_EQ(encoder.ExitStatus()->code, 0u) << encoder.StdErrTail();
    EXPECT_EQ(encoder.ExitStatus()->signal, 0);

    const std::vector<std::uint8_t> output = test::ReadBytes(outputFolder + "/Исходная песня.mp3");
    ASSERT_FALSE(output.empty());
    EXPECT_TRUE(Contains(output, Utf16LittleEndian(u"Ночной дозор")));
    EXPECT_TRUE(Contains(output, Utf16LittleEndian(u"Кино")));
}

}  // namespace
}  // namespace kestrune::unit1
