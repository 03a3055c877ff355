// End to end with the real lame: a source with Cyrillic tags, a track number with the total,
// a comment and a cover picture keeps them all through a run, as the program's own analysis
// and mutagen, a reader of its own, both see; the picture file made for the encoder goes.
#include "ID3v2/AttachedPicture.h"
#include "MPEGaudio/FileListRow.h"
#include "MPEGaudio/MpegAudioInfo.h"
#include "MainWindowFixture.h"
#include "Unit1/BatchRun.h"
#include "Unit1/ListCommands.h"
#include "platform/File.h"
#include "support/Id3Builders.h"
#include "support/Lame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

namespace kestrune::unit1 {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Concat;

constexpr const char* kComment = "Recorded live in Moscow, 1988 — концерт";

void AppendBigEndian32(Bytes& bytes, std::uint32_t value) {
    for (const int shift : {24, 16, 8, 0}) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

Bytes PngChunk(std::string_view type, const Bytes& data) {
    const Bytes typed = Concat({test::BytesOf(type), data});
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t byte : typed) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    Bytes chunk;
    AppendBigEndian32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk.insert(chunk.end(), typed.begin(), typed.end());
    AppendBigEndian32(chunk, ~crc);
    return chunk;
}

// A 16 by 16 RGB picture, stored uncompressed: over 500 bytes, holding every byte value.
Bytes CoverPng() {
    constexpr std::uint32_t kSide = 16;
    Bytes pixels;
    for (std::uint32_t i = 0; i < kSide * kSide * 3; ++i) {
        if (i % (kSide * 3) == 0) {
            pixels.push_back(0);  // the row's filter
        }
        pixels.push_back(static_cast<std::uint8_t>(i));
    }
    std::uint32_t sum = 1;
    std::uint32_t sumOfSums = 0;
    for (const std::uint8_t byte : pixels) {
        sum = (sum + byte) % 65521;
        sumOfSums = (sumOfSums + sum) % 65521;
    }
    const auto length = static_cast<std::uint16_t>(pixels.size());
    const auto inverse = static_cast<std::uint16_t>(~length);
    Bytes zlib = {0x78,
                  0x01,
                  0x01,
                  static_cast<std::uint8_t>(length),
                  static_cast<std::uint8_t>(length >> 8),
                  static_cast<std::uint8_t>(inverse),
                  static_cast<std::uint8_t>(inverse >> 8)};
    zlib.insert(zlib.end(), pixels.begin(), pixels.end());
    AppendBigEndian32(zlib, sumOfSums << 16 | sum);
    Bytes header;
    AppendBigEndian32(header, kSide);
    AppendBigEndian32(header, kSide);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB
    return Concat({{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
                   PngChunk("IHDR", header),
                   PngChunk("IDAT", zlib),
                   PngChunk("IEND", {})});
}

// A Python 3 with mutagen: Debian's python3-mutagen serves the system's python3.
std::optional<std::string> PythonWithMutagen() {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        const std::string probe = std::string(python) + " -c 'import mutagen.id3' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) {
            return python;
        }
    }
    return std::nullopt;
}

// The ID3v2 tag as mutagen reads it: one "name=value" line per item.
std::map<std::string, std::string> ReadWithMutagen(const std::string& python,
                                                   const std::string& path) {
    const std::string script = R"(
import sys, mutagen.id3
tag = mutagen.id3.ID3(sys.argv[1], load_v1=False)
for name in ("TIT2", "TPE1", "TALB", "TDRC", "TRCK"):
    print(name + "=" + str(tag[name].text[0]))
print("TCON=" + tag["TCON"].genres[0])
print("COMM=" + [c.text[0] for c in tag.getall("COMM") if c.desc == ""][0])
print("APIC=" + tag.getall("APIC")[0].data.hex())
)";
    const std::string command = "PYTHONIOENCODING=utf-8 " + python + " -c " +
                                test::ShellQuote(script) + " " + test::ShellQuote(path);
    std::map<std::string, std::string> items;
    const std::unique_ptr<FILE, int (*)(FILE*)> output(::popen(command.c_str(), "r"), ::pclose);
    std::array<char, 4096> line{};
    while (output && std::fgets(line.data(), static_cast<int>(line.size()), output.get())) {
        std::string text(line.data());
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            items[text.substr(0, equals)] = text.substr(equals + 1, text.find('\n') - equals - 1);
        }
    }
    return items;
}

std::string Hex(const Bytes& bytes) {
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        constexpr const char* kDigits = "0123456789abcdef";
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

class TagCarryOverWithLameTest : public MainWindowFixture {
protected:
    TagCarryOverWithLameTest() : w(Build()) {
        fs::create_directories(dir.Path() / "in");
        fs::create_directories(dir.Path() / "out");
        w.encoderPath = KESTRUNE_LAME;
        const std::string picture = dir.File("cover.png");
        test::WriteBytes(picture, cover);
        test::MakeMp3(source,
                      "-b 128 --add-id3v2 --tt 'Песня' --ta 'Исполнитель' --tl 'Альбом' "
                      "--ty 1988 --tg 17 --tn 5/12 --tc " +
                          test::ShellQuote(kComment) + " --ti " + test::ShellQuote(picture));
        AddSelection(w, {source});
    }

    void Run() {
        driver.QueueFolderResult(dir.File("out"));
        ASSERT_TRUE(driver.Click(*w.compressButton));
        for (const auto& message : driver.ShownMessages()) {
            ADD_FAILURE() << message.text;
        }
        // The output alone: no picture file is left beside it.
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path() / "out")) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{"Песня.mp3"});
    }

    const Bytes cover = CoverPng();
    const std::string source = dir.File("in/Песня.mp3");
    const std::string output = dir.File("out/Песня.mp3");
    MainWindow& w;
};

TEST_F(TagCarryOverWithLameTest, BothTagVersionsKeepTrackCommentAndCover) {
    driver.Click(*w.id3v2Box);
    Run();

    const mpeg::FileListRow row = mpeg::ReadFileListRow(output);
    EXPECT_EQ(row.title, "Песня");
    EXPECT_EQ(row.artist, "Исполнитель");
    EXPECT_EQ(row.album, "Альбом");
    EXPECT_EQ(row.year, "1988");
    EXPECT_EQ(row.genre, "17");
    EXPECT_EQ(row.track, "5/12");
    EXPECT_EQ(row.comment, kComment);
    platform::File file = platform::File::OpenForReading(output);
    const auto picture = id3v2::ReadCoverPicture(file, 1 << 20);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bytes, cover);

    const auto python = PythonWithMutagen();
    if (!python) {
        GTEST_SKIP() << "python3 with mutagen is missing (Debian: python3-mutagen); only the "
                        "program's own reading was checked";
    }
    const auto items = ReadWithMutagen(*python, output);
    EXPECT_EQ(items, (std::map<std::string, std::string>{{"TIT2", "Песня"},
                                                         {"TPE1", "Исполнитель"},
                                                         {"TALB", "Альбом"},
                                                         {"TDRC", "1988"},
                                                         {"TCON", "Rock"},
                                                         {"TRCK", "5/12"},
                                                         {"COMM", kComment},
                                                         {"APIC", Hex(cover)}}));
}

// What lame makes of them in an ID3v1 tag: the track byte of ID3v1.1, the comment cut to its
// 28 characters and "?" for every Cyrillic letter. (Without an ID3v2 tag of its own to write,
// lame copies the source's as it stands.)
TEST_F(TagCarryOverWithLameTest, Id3v1OnlyKeepsTrackAndCommentAsTheTagCan) {
    Run();
    mpeg::MpegAudioInfo info;
    ASSERT_TRUE(info.ReadFromFile(output));
    EXPECT_EQ(info.id3v1.title, "?????");
    EXPECT_EQ(info.id3v1.version, 2);
    EXPECT_EQ(info.id3v1.track, 5);
    EXPECT_EQ(info.id3v1.comment, "Recorded live in Moscow, 198");
    EXPECT_EQ(info.id3v1.genreId, 17);
}

}  // namespace
}  // namespace kestrune::unit1
