// Conversion of tag text from the legacy code page, UTF-16 and raw UTF-8.
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace kestrune::platform {
namespace {

TEST(TextCodec, LegacyTextIsDecodedAsCodePage1251OnPosix) {
#ifndef _WIN32
    EXPECT_EQ(LegacyToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2, world"), "Привет, world");
    EXPECT_EQ(LegacyToUtf8("\xA8\xB8\xB9"), "Ёё№");
    EXPECT_EQ(LegacyToUtf8("a\x98z"), "a\xEF\xBF\xBDz");  // the one undefined byte
#endif
    EXPECT_EQ(LegacyToUtf8(std::string_view("ab\0c", 4)), std::string("ab\0c", 4));
}

TEST(TextCodec, Utf16CombinesSurrogatePairsAndReplacesLoneOnes) {
    const struct {
        std::u16string units;
        std::string utf8;
    } cases[] = {
        {u"AB", "AB"},
        {u"\u00FF\u0100", "\xC3\xBF\xC4\x80"},  // U+00FF must survive
        {u"Песня", "Песня"},
        {{0xD83C, 0xDFB5}, "\xF0\x9F\x8E\xB5"},
        {{0xD83C, u'x'}, "\xEF\xBF\xBDx"},
        {{0xDFB5}, "\xEF\xBF\xBD"},
        {{u'a', 0xD83C}, "a\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(c.units), c.utf8);
    }
}

TEST(TextCodec, SanitiseKeepsValidUtf8AndReplacesEachInvalidByte) {
    EXPECT_EQ(SanitiseUtf8("Ёлка \xF0\x9F\x8E\xB5"), "Ёлка \xF0\x9F\x8E\xB5");
    EXPECT_EQ(SanitiseUtf8("a\xFF"
                           "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(SanitiseUtf8("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // overlong
    EXPECT_EQ(SanitiseUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
    EXPECT_EQ(SanitiseUtf8("\xD0"), "\xEF\xBF\xBD");                                  // cut short
}

TEST(TextCodec, CharacterCountsAndPrefixesCountCharactersNotBytes) {
    EXPECT_EQ(CountCharacters("Песня"), 5u);
    EXPECT_EQ(CodePoints("aЁ\xE2\x82\xAC\xF0\x9F\x8E\xB5"),
              (std::u32string{U'a', 0x401, 0x20AC, 0x1F3B5}));
    EXPECT_EQ(FirstCharacters("Песня", 3), "Пес");
    EXPECT_EQ(FirstCharacters("ab", 5), "ab");
    EXPECT_EQ(FirstCharacters("a\xF0\x9F\x8E\xB5z", 2), "a\xF0\x9F\x8E\xB5");
}

}  // namespace
}  // namespace kestrune::platform
