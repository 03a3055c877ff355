// Decoding of text, comment and link frame data in the four text encodings.
#include "ID3v2/Id3v2Text.h"

#include "support/Id3Builders.h"

#include <gtest/gtest.h>

namespace kestrune::id3v2 {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;
using test::Utf16BigEndian;
using test::Utf16LittleEndian;

const Bytes kLittleEndianMark = {0xFF, 0xFE};
const Bytes kBigEndianMark = {0xFE, 0xFF};

TEST(Id3v2Text, DecodesEachEncodingAndTrimsControlCharactersAtBothEnds) {
    const struct {
        const char* what;
        Bytes data;
        std::string text;
    } cases[] = {
        {"nothing", {}, ""},
        {"single-byte, padded", Concat({{0}, BytesOf(" \tSong  "), Bytes(20, 0)}), "Song"},
        {"single-byte keeps inner zero", Concat({{0}, BytesOf(std::string_view("A\0B", 3))}),
         std::string("A\0B", 3)},
#ifndef _WIN32
        {"single-byte code page 1251", Concat({{0}, BytesOf("\xCF\xE5\xF1\xED\xFF")}), "Песня"},
#endif
        {"UTF-16 with little-endian mark",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(u"AB")}), "AB"},
        {"UTF-16 keeps U+00FF",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(u"\u00FFa\u01FF")}), "\u00FFa\u01FF"},
        {"UTF-16 with big-endian mark", Concat({{1}, kBigEndianMark, Utf16BigEndian(u"Песня")}),
         "Песня"},
        {"UTF-16 without mark is little-endian", Concat({{1}, Utf16LittleEndian(u"\u00FFA")}),
         "\u00FFA"},
        {"UTF-16 surrogate pair",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(u"\U0001F3B5")}), "\U0001F3B5"},
        {"UTF-16 only the first mark is dropped",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(u"\uFEFFA")}), "\uFEFFA"},
        {"UTF-16 ends at the first zero unit",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(std::u16string_view(u"A\0B", 3))}), "A"},
        {"UTF-16 trimmed after decoding",
         Concat({{1}, kLittleEndianMark, Utf16LittleEndian(u" \u0001Ё \t")}), "Ё"},
        {"UTF-16 odd last byte unused", Concat({{1}, kLittleEndianMark, {'A', 0, 'B'}}), "A"},
        {"UTF-16BE without mark", Concat({{2}, Utf16BigEndian(u"Ёж")}), "Ёж"},
        {"UTF-16BE honours a little-endian mark",
         Concat({{2}, kLittleEndianMark, Utf16LittleEndian(u"Ёж")}), "Ёж"},
        {"UTF-8", Concat({{3}, BytesOf(" Ёлка \xF0\x9F\x8E\xB5 "), Bytes(5, 0)}),
         "Ёлка \xF0\x9F\x8E\xB5"},
        {"UTF-8 invalid byte replaced", Concat({{3}, BytesOf("a\xC3")}), "a\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.data), c.text) << c.what;
    }
}

TEST(Id3v2Text, CommentTextFollowsLanguageAndDescription) {
    const Bytes language = BytesOf("eng");
    const struct {
        const char* what;
        Bytes data;
        std::string text;
    } cases[] = {
        {"single-byte", Concat({{0}, language, BytesOf("desc"), {0}, BytesOf("Text")}), "Text"},
        {"single-byte without terminator", Concat({{0}, language, BytesOf("Text")}), "Text"},
        {"UTF-16, description with mark",
         Concat({{1},
                 language,
                 kLittleEndianMark,
                 Utf16LittleEndian(u"A"),
                 {0, 0},
                 kLittleEndianMark,
                 Utf16LittleEndian(u"Text")}),
         "Text"},
        // The description's bytes 41 00 00 01 hold a zero pair at an odd distance: not its end.
        {"UTF-16, zero pair at odd distance",
         Concat({{1},
                 language,
                 kLittleEndianMark,
                 Utf16LittleEndian(u"A\u0100"),
                 {0, 0},
                 kLittleEndianMark,
                 Utf16LittleEndian(u"Text")}),
         "Text"},
        {"UTF-16BE", Concat({{2}, language, Utf16BigEndian(u"D"), {0, 0}, Utf16BigEndian(u"Ёж")}),
         "Ёж"},
        {"UTF-8", Concat({{3}, language, BytesOf("Ё"), {0}, BytesOf("Ёлка")}), "Ёлка"},
        {"shorter than its language", {0, 'e'}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeCommentText(c.data), c.text) << c.what;
    }
}

TEST(Id3v2Text, LinkFollowsTheDescriptionWithoutALanguage) {
    EXPECT_EQ(DecodeLinkText(Concat({{0}, {0}, BytesOf("http://a.b")})), "http://a.b");
    EXPECT_EQ(DecodeLinkText(Concat({{0}, BytesOf("site"), {0}, BytesOf("http://a.b")})),
              "http://a.b");
    EXPECT_EQ(DecodeLinkText(Concat({{1},
                                     kLittleEndianMark,
                                     Utf16LittleEndian(u"d"),
                                     {0, 0},
                                     kLittleEndianMark,
                                     Utf16LittleEndian(u"http://a.b")})),
              "http://a.b");
    EXPECT_EQ(DecodeLinkText({}), "");
}

}  // namespace
}  // namespace kestrune::id3v2
