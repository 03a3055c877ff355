// Settings files on disk: defaults for what is missing, the character limit, and writes that
// keep the rest of the file, create it when needed and fail silently.
#include "platform/Profile.h"

#include "platform/TextCodec.h"
#include "support/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <iterator>

namespace kestrune::platform {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string ReadText(const std::string& path) {
    const auto bytes = test::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

long FilesIn(const std::filesystem::path& folder) {
    return static_cast<long>(std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator()));
}

TEST(Profile, MissingFileSectionOrKeyGivesTheDefaultAndPresentKeysDoNot) {
    test::TempDir dir;
    const std::string file = dir.File("Kestrune.ini");
    EXPECT_EQ(ReadProfileInt(file, "Main", "Left", 185), 185);
    EXPECT_EQ(ReadProfileText(file, "Lame", "Patch", "/opt/  "), "/opt/");

    test::WriteBytes(file, test::SettingsFileBytes("[Main]\nTop=\nWidth=wide\n[MP3]\nPatchIn=\n"));
    EXPECT_EQ(ReadProfileInt(file, "Main", "Left", 185), 185);
    EXPECT_EQ(ReadProfileInt(file, "Other", "Top", 84), 84);
    EXPECT_EQ(ReadProfileInt(file, "Main", "Top", 84), 0);
    EXPECT_EQ(ReadProfileInt(file, "Main", "Width", 641), 0);
    EXPECT_EQ(ReadProfileText(file, "MP3", "PatchIn", "/in"), "");
    EXPECT_EQ(ReadProfileText(file, "MP3", "PatchOut", "/out"), "/out");

    EXPECT_EQ(ReadProfileInt(test::Utf8Of(dir.Path()), "Main", "Top", 84), 84);
}

TEST(Profile, TextIsCutAt2047CharactersNotBytes) {
    test::TempDir dir;
    const std::string file = dir.File("Kestrune.ini");
    std::string cyrillic;
    for (int i = 0; i < 3000; ++i) {
        cyrillic += "Ж";
    }
    test::WriteBytes(file, test::SettingsFileBytes("[A]\nLatin=" + std::string(3000, 'x') +
                                                   "\nCyrillic=" + cyrillic + "\nBroken=\xFF\n"));
    EXPECT_EQ(ReadProfileText(file, "A", "Latin", ""), std::string(2047, 'x'));
    EXPECT_EQ(ReadProfileText(file, "A", "Cyrillic", ""), cyrillic.substr(0, 2047 * 2));
    EXPECT_EQ(ReadProfileText(file, "A", "Missing", std::string(3000, 'd')),
              std::string(2047, 'd'));
    EXPECT_EQ(ReadProfileText(file, "A", "Broken", ""), "\uFFFD");
}

TEST(Profile, FirstWriteCreatesTheFileAndLaterWritesKeepTheRest) {
    test::TempDir dir;
#ifdef _WIN32
    // Settings live beside the program, in a folder that exists.
    const std::string folder = dir.File("");
    const std::string expected =
        "[Main]\r\nLeft=-20\r\n[Lame]\r\nPatch=C:\\Программы\\LAME.EXE\r\n";
#else
    const std::string folder = dir.File("config/kestrune/");
    const std::string expected = "[Main]\nLeft=-20\n\n[Lame]\nPatch=C:\\Программы\\LAME.EXE\n";
#endif
    const std::string file = folder + "Kestrune.ini";
    WriteProfileText(file, "Main", "Left", "185");
    WriteProfileText(file, "Lame", "Patch", "C:\\Программы\\LAME.EXE");
    WriteProfileText(file, "main", "LEFT", "-20");
    EXPECT_EQ(test::SettingsFileText(file), expected);
    EXPECT_EQ(ReadProfileInt(file, "Main", "Left", 0), -20);
    EXPECT_EQ(FilesIn(test::PathOf(folder)), 1) << "no temporary file is left behind";
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
#endif
}

#ifdef _WIN32
TEST(Profile, AFileWithoutAByteOrderMarkBecomesUtf16OnceAndLosesNothing) {
    test::TempDir dir;
    const std::string file = dir.File("Kestrune.ini");
    // Written in the ANSI code page, as older programs and editors leave it.
    const std::string ansiName = "\xCF\xF3\xF1\xEA";
    test::WriteBytes(file, Bytes("; mine\r\n[Main]\r\nLeft=1\r\nName=" + ansiName + "\r\n"));
    // Greek and Cyrillic: one of them is outside every ANSI code page.
    const std::string folder = "C:\\Музыка\\Ελληνικά";
    WriteProfileText(file, "MP3", "PatchOut", folder);
    WriteProfileText(file, "Main", "Left", "2");
    EXPECT_EQ(ReadProfileText(file, "MP3", "PatchOut", ""), folder);
    EXPECT_EQ(ReadProfileText(file, "Main", "Name", ""), LegacyToUtf8(ansiName));
    EXPECT_TRUE(test::SettingsFileText(file).starts_with(
        "; mine\r\n[Main]\r\nLeft=2\r\nName=" + LegacyToUtf8(ansiName) + "\r\n"))
        << test::SettingsFileText(file);
    EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file is left behind";
}
#else
TEST(Profile, WritingKeepsCommentsUnknownKeysCrlfAndTheFileMode) {
    test::TempDir dir;
    const std::string file = dir.File("Kestrune.ini");
    test::WriteBytes(file, Bytes("; mine\r\n[Main]\r\nLeft=1\r\nColour=red\r\n[Extra]\r\nA=b\r\n"));
    ::chmod(file.c_str(), 0640);
    WriteProfileText(file, "Main", "Left", "2");
    WriteProfileText(file, "Main", "Top", "3");
    WriteProfileText(file, "MP3", "PatchOut", "/home/u/Вывод");
    EXPECT_EQ(ReadText(file),
              "; mine\r\n[Main]\r\nLeft=2\r\nColour=red\r\nTop=3\r\n[Extra]\r\nA=b\r\n"
              "\r\n[MP3]\r\nPatchOut=/home/u/Вывод\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
#endif

TEST(Profile, WritingThroughASymbolicLinkReplacesTheLinkedFile) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows that users seldom have";
#endif
    test::TempDir dir;
    const std::string real = dir.File("dotfiles.ini");
    const std::string link = dir.File("Kestrune.ini");
    test::WriteBytes(real, Bytes("[Main]\nLeft=1\n"));
    std::filesystem::create_symlink(real, link);
    WriteProfileText(link, "Main", "Left", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadText(real), "[Main]\nLeft=2\n");
}

TEST(Profile, WritesThatCannotBeDoneAreSilentAndLoseNothing) {
    test::TempDir dir;
    const std::string blocker = dir.File("not-a-folder");
    test::WriteBytes(blocker, Bytes("x"));
    WriteProfileText(blocker + "/Kestrune.ini", "Main", "Left", "1");
    EXPECT_FALSE(std::filesystem::exists(test::PathOf(blocker + "/Kestrune.ini")));
    EXPECT_EQ(ReadText(blocker), "x");

    // A file too large to be settings is never written over (nor read, on POSIX).
    const std::string huge = dir.File("huge.ini");
    const std::string text = "[Main]\nLeft=5\n" + std::string(2 << 20, ';');
    test::WriteBytes(huge, Bytes(text));
#ifndef _WIN32
    EXPECT_EQ(ReadProfileInt(huge, "Main", "Left", 185), 185);
#endif
    WriteProfileText(huge, "Main", "Left", "1");
    EXPECT_EQ(ReadText(huge), text);

    WriteProfileText(test::Utf8Of(dir.Path()), "Main", "Left", "1");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
}

}  // namespace
}  // namespace kestrune::platform
