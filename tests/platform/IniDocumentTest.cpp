// The INI document model: how keys are found and read, how a write changes only its own
// line, and how profile integers are read.
#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <optional>

namespace kestrune::platform {
namespace {

struct ReadCase {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string_view> value;
};

TEST(IniDocument, FindsKeysAsTheWindowsProfileFunctionsDo) {
    const ReadCase cases[] = {
        {"[Main]\nLeft=5\n", "Main", "Left", "5"},
        {"[main]\nLEFT=5\n", "MAIN", "left", "5"},
        {"  [ Main ]  \n  Left  =  5 \t\n", "Main", "Left", "5"},
        {"[Main]\nLeft=\n", "Main", "Left", ""},
        {"[Main]\nLeft=   \n", "Main", "Left", ""},
        {"[Lame]\nPatch=\"/opt/my lame/lame\"\n", "Lame", "Patch", "/opt/my lame/lame"},
        {"[Lame]\nPatch= 'C:\\lame.exe' \n", "Lame", "Patch", "C:\\lame.exe"},
        {"[Lame]\nPatch=\"a'\n", "Lame", "Patch", "\"a'"},
        {"[Lame]\nPatch=\"\n", "Lame", "Patch", "\""},
        {"[Lame]\nPatch=a=b\n", "Lame", "Patch", "a=b"},
        {"[Main]\nLeft=1\nLeft=2\n", "Main", "Left", "1"},
        {"[Main]\nTop=1\n[Main]\nLeft=2\n", "Main", "Left", "2"},
        {"[Main]\r\nLeft=7\r\n", "Main", "Left", "7"},
        {"\xEF\xBB\xBF[Main]\nLeft=7", "Main", "Left", "7"},
        {"[MP3]\nPatchIn=/home/u/Музыка\n", "mp3", "patchin", "/home/u/Музыка"},
        {"Left=5\n[Main]\n", "Main", "Left", std::nullopt},
        {"[Main]\nLeft\n", "Main", "Left", std::nullopt},
        {"[Other]\nLeft=5\n", "Main", "Left", std::nullopt},
        {"[Main]\n[Other]\nLeft=5\n", "Main", "Left", std::nullopt},
        {"[Main]\nLeftEdge=5\n", "Main", "Left", std::nullopt},
        {"", "Main", "Left", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IniDocument::Parse(c.text).Value(c.section, c.key), c.value);
    }
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

TEST(IniDocument, WritingChangesOneLineAndKeepsEverythingElse) {
    const WriteCase cases[] = {
        {"replaces the value, keeping spelling and spacing", "; kept\n[main]\n  LEFT = 5\nX=1\n",
         "Main", "Left", "42", "; kept\n[main]\n  LEFT = 42\nX=1\n"},
        {"replaces only the first of duplicate keys", "[Main]\nLeft=1\nLeft=2\n", "Main", "Left",
         "9", "[Main]\nLeft=9\nLeft=2\n"},
        {"appends a key after the section's last line, before blank lines",
         "[Main]\nTop=1\n\n[MP3]\nPatchIn=x\n", "Main", "Left", "3",
         "[Main]\nTop=1\nLeft=3\n\n[MP3]\nPatchIn=x\n"},
        {"appends a key to an empty section at the end", "[Main]", "Main", "Left", "3",
         "[Main]\nLeft=3\n"},
        {"appends a new section after a blank line", "[Main]\nLeft=1", "Lame", "Patch", "/x",
         "[Main]\nLeft=1\n\n[Lame]\nPatch=/x\n"},
        {"starts an empty document", "", "Main", "Left", "185", "[Main]\nLeft=185\n"},
        {"follows the line ending of a CRLF file", "[Main]\r\nTop=1\r\n", "MP3", "PatchOut", "/o",
         "[Main]\r\nTop=1\r\n\r\n[MP3]\r\nPatchOut=/o\r\n"},
        {"keeps unknown lines and a byte-order mark", "\xEF\xBB\xBFjunk\n[Main]\nnot a key\n",
         "Main", "Left", "1", "\xEF\xBB\xBFjunk\n[Main]\nnot a key\nLeft=1\n"},
        {"writes only the first line of a value", "", "Lame", "Patch", "/a\n[Main]\nLeft=666",
         "[Lame]\nPatch=/a\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::Parse(c.before);
        document.SetValue(c.section, c.key, c.value);
        EXPECT_EQ(document.Serialise(), c.after);
    }
}

TEST(IniDocument, ParsingAndSerialisingGivesBackTheSameBytes) {
    for (const char* text :
         {"", "\n", "\r\n", "a\rb\r", "[Main]\r\nLeft=1\nTop=2", "\xEF\xBB\xBF", "x\n\n\n"}) {
        EXPECT_EQ(IniDocument::Parse(text).Serialise(), text);
    }
}

TEST(IniDocument, ReadsIntegersAsWindowsDoesButClampsThoseBeyondInt) {
    const std::pair<const char*, int> cases[] = {
        {"42", 42},
        {"  42", 42},
        {"\t-7", -7},
        {"+5", 5},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"- 5", 0},
        {"0x10", 16},
        {"0XfF", 255},
        {"0x", 0},
        {"0o17", 15},
        {"0b101", 5},
        {"0b2", 0},
        {"007", 7},
        {"1 000", 1},
        {"2147483647", 2147483647},
        {"4294967295", 2147483647},
        {"99999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
        {"0xFFFFFFFFFFFFFFFFFF", 2147483647},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ProfileInteger(text), expected);
    }
}

}  // namespace
}  // namespace kestrune::platform
