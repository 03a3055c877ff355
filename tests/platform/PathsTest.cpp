// Path rules for both separator sets, on any machine.
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace kestrune::platform {
namespace {

struct PathCase {
    const char* path;
    PathSeparators separators;
    const char* fileName;
    const char* folder;
    const char* stem;
};

TEST(Paths, SplitFolderNameAndStemForBothSeparatorSets) {
    const PathCase cases[] = {
        {"C:\\Music\\a.b.mp3", kWindowsSeparators, "a.b.mp3", "C:\\Music\\", "a.b"},
        {"C:song.MP3", kWindowsSeparators, "song.MP3", "C:", "song"},
        {"noext", kWindowsSeparators, "noext", "", "noext"},
        {"C:/x/y.mp3", kWindowsSeparators, "y.mp3", "C:/x/", "y"},
        {"C:\\Music/Песни\\a.mp3", kWindowsSeparators, "a.mp3", "C:\\Music/Песни\\", "a"},
        {"/home/u/Песни/x.y.mp3", kPosixSeparators, "x.y.mp3", "/home/u/Песни/", "x.y"},
        {"/home/u/back\\slash.mp3", kPosixSeparators, "back\\slash.mp3", "/home/u/", "back\\slash"},
        {"/home/u/.hidden", kPosixSeparators, ".hidden", "/home/u/", ""},
        {"/folder.d/noext", kPosixSeparators, "noext", "/folder.d/", "noext"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileNameOf(c.path, c.separators), c.fileName);
        EXPECT_EQ(FolderOf(c.path, c.separators), c.folder);
        EXPECT_EQ(StemOf(FileNameOf(c.path, c.separators)), c.stem);
    }
}

TEST(Paths, AFolderEndingInEitherWindowsSeparatorGetsNoSecondOne) {
    for (const char* folder : {"C:\\Music\\", "C:/Music/", "C:"}) {
        SCOPED_TRACE(folder);
        EXPECT_TRUE(EndsWithSeparator(folder, kWindowsSeparators));
        EXPECT_EQ(WithTrailingSeparator(folder, kWindowsSeparators), folder);
    }
    EXPECT_EQ(WithTrailingSeparator("C:/Music", kWindowsSeparators), "C:/Music\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\Music", kPosixSeparators), "C:\\Music/");
}

TEST(Paths, SpellingFoldsAsciiLettersOnlyWhereTheRuleSaysAndCaseFoldingKnowsCyrillic) {
    EXPECT_TRUE(IsSamePathSpelling("C:\\Music\\a.mp3", "C:\\MUSIC\\A.MP3", NameCase::asciiFolded));
    EXPECT_FALSE(IsSamePathSpelling("/m/a.mp3", "/m/A.mp3", NameCase::exact));
    EXPECT_FALSE(IsSamePathSpelling("Песня", "песня", NameCase::asciiFolded));
    EXPECT_EQ(FoldCase("ПЕСНЯ Ёлка Song"), "песня ёлка song");
}

TEST(Paths, JoinWritesOnePrimarySeparatorEvenAfterARoot) {
    EXPECT_EQ(JoinPath("C:\\", "a.mp3", kWindowsSeparators), "C:\\\\a.mp3");
    EXPECT_EQ(JoinPath("/tmp/out", "Песня.mp3", kPosixSeparators), "/tmp/out/Песня.mp3");
}

}  // namespace
}  // namespace kestrune::platform
