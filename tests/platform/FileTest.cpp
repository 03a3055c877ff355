// Files open read-only, read at 64-bit offsets, and read as empty when they cannot be opened.
#include "platform/File.h"
#include "platform/MemorySource.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace kestrune::platform {
namespace {

TEST(File, ReadsAtOffsetsAndStopsShortAtTheEnd) {
    test::TempDir dir;
    const std::string path = dir.File("Песня.mp3");
    test::WriteBytes(path, {1, 2, 3, 4, 5});
    File file = File::OpenForReading(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 5);
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(file.ReadAt(3, buffer), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(file.ReadAt(9, buffer), 0u);
    EXPECT_EQ(file.ReadAt(-1, buffer), std::nullopt);
}

TEST(File, MissingFilesAndFoldersReadAsEmptyAndHaveNoSize) {
    test::TempDir dir;
    for (const std::string& path : {dir.File("missing.mp3"), test::Utf8Of(dir.Path())}) {
        File file = File::OpenForReading(path);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.Size(), 0);
        std::array<std::uint8_t, 4> buffer{};
        EXPECT_EQ(file.ReadAt(0, buffer), 0u);
        EXPECT_EQ(FileSize(path), std::nullopt);
        EXPECT_FALSE(IsExistingFile(path));
    }
}

TEST(File, MovedFromFileNoLongerOwnsTheDescriptor) {
    test::TempDir dir;
    const std::string path = dir.File("a");
    test::WriteBytes(path, {7});
    File first = File::OpenForReading(path);
    File second = std::move(first);
    EXPECT_FALSE(first.IsOpen());  // NOLINT(bugprone-use-after-move): the contract under test
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(FileSize(path), 1);
}

TEST(File, SameFileIsRecognisedWhateverTheSpelling) {
    test::TempDir dir;
    const std::string song = dir.File("Песня.mp3");
    test::WriteBytes(song, {1});
    test::WriteBytes(dir.File("other.mp3"), {1});
#ifdef _WIN32
    // Symbolic links need a privilege on Windows; a hard link is another name all the same.
    std::filesystem::create_hard_link(test::PathOf(song), test::PathOf(dir.File("link.mp3")));
#else
    std::filesystem::create_symlink(test::PathOf(song), test::PathOf(dir.File("link.mp3")));
#endif
    std::filesystem::create_directories(dir.Path() / "sub");
    struct Case {
        std::string other;
        bool same;
    };
    std::vector<Case> cases{
        {song, true},
        {dir.File("sub/../Песня.mp3"), true},
        {dir.File("./link.mp3"), true},
        {dir.File("other.mp3"), false},
        {dir.File("missing.mp3"), false},
    };
#ifdef _WIN32
    cases.push_back({dir.File("ПЕСНЯ.MP3"), true});
    std::string forwardSlashes = song;
    std::ranges::replace(forwardSlashes, '\\', '/');
    cases.push_back({forwardSlashes, true});
#endif
    for (const auto& c : cases) {
        EXPECT_EQ(IsSameFile(song, c.other), c.same) << c.other;
    }
}

TEST(File, RemoveFileDeletesOnlyWhatExists) {
    test::TempDir dir;
    const std::string path = dir.File("partial.mp3");
    test::WriteBytes(path, {1, 2});
    EXPECT_TRUE(RemoveFile(path));
    EXPECT_FALSE(IsExistingFile(path));
    EXPECT_FALSE(RemoveFile(path));
}

TEST(MemorySource, ReadsLikeAFile) {
    const std::array<std::uint8_t, 3> bytes{9, 8, 7};
    MemorySource source(bytes);
    std::array<std::uint8_t, 2> buffer{};
    EXPECT_EQ(source.Size(), 3);
    EXPECT_EQ(source.ReadAt(2, buffer), 1u);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(source.ReadAt(3, buffer), 0u);
    EXPECT_EQ(source.ReadAt(-2, buffer), std::nullopt);
}

}  // namespace
}  // namespace kestrune::platform
