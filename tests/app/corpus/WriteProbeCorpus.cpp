// kestrune_probe_corpus FOLDER: writes the MP3 files on which the probes of two systems must
// agree: files encoded by lame (every MPEG version, CBR, ABR, VBR, CRC, tags in UTF-16) and
// files built byte by byte (single-byte tags in code page 1251, ID3v2.2 to 2.4 in every text
// encoding, VBRI and Xing headers, junk, truncation, odd names). Left out, because they
// cannot exist on Windows: names that are not valid UTF-8, FIFOs and sockets.
#include "support/Id3Builders.h"
#include "support/Lame.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace kestrune::test;

// Frame headers: MPEG 1 Layer III at 128 kbit/s, 44,100 Hz, stereo and mono.
constexpr Header kStereo = kMpeg1Layer3At128;
constexpr Header kMono{0xFF, 0xFB, 0x90, 0xC0};

// "Песня", "Кино" and "Звезда по имени Солнце" in code page 1251.
constexpr const char* kSong1251 = "\xCF\xE5\xF1\xED\xFF";
constexpr const char* kBand1251 = "\xCA\xE8\xED\xEE";
constexpr const char* kAlbum1251 =
    "\xC7\xE2\xE5\xE7\xE4\xE0 \xEF\xEE \xE8\xEC\xE5\xED\xE8 "
    "\xD1\xEE\xEB\xED\xF6\xE5";

Bytes Id3v2Texts(std::uint8_t version, const std::vector<std::pair<std::string, Bytes>>& texts) {
    Bytes frames;
    for (const auto& [id, data] : texts) {
        const Bytes frame = MakeId3v2Frame(version, id, data);
        frames.insert(frames.end(), frame.begin(), frame.end());
    }
    return MakeId3v2Tag(version, frames, 64);
}

void WriteByteFiles(const std::string& folder) {
    const Bytes audio = Frames(kStereo, 40);
    const std::vector<std::pair<std::string, Bytes>> files{
        {"Кино cp1251.mp3", Concat({audio, MakeId3v1Tag({.title = kSong1251,
                                                         .artist = kBand1251,
                                                         .album = kAlbum1251,
                                                         .year = "1989",
                                                         .genre = 17})})},
        {"id3v1.1 track.mp3",
         Concat({Frames(kMono, 30),
                 MakeId3v1Tag({.title = "Track", .comment = "Note", .track = 7, .genre = 147})})},
        {"id3v2.2 legacy.mp3", Concat({Id3v2Texts(2, {{"TT2", LegacyTextData(kSong1251)},
                                                      {"TP1", LegacyTextData(kBand1251)},
                                                      {"TYE", LegacyTextData("1990")}}),
                                       audio})},
        {"id3v2.3 utf16.mp3",
         Concat({Id3v2Texts(
                     3, {{"TIT2", Utf16TextData(u"Ночь ♫ 𝄞")},
                         {"TPE1", TextData(1, Concat({{0xFE, 0xFF}, Utf16BigEndian(u"Группа")}))},
                         {"TALB", Utf16TextData(u"Альбом")},
                         {"TYER", LegacyTextData("2001")}}),
                 audio})},
        {"id3v2.4 utf8.mp3",
         Concat({Id3v2Texts(4, {{"TIT2", TextData(3, BytesOf("Ёлка"))},
                                {"TPE1", TextData(2, Utf16BigEndian(u"Исполнитель"))},
                                {"TDRC", TextData(3, BytesOf("2004-05-06"))}}),
                 audio})},
        {"v1 question marks give way.mp3",
         Concat({Id3v2Texts(3, {{"TIT2", Utf16TextData(u"Песня")}}), audio,
                 MakeId3v1Tag({.title = "?????", .artist = "Band"})})},
        {"v1 empty title.mp3", Concat({Id3v2Texts(3, {{"TIT2", Utf16TextData(u"Из ID3v2")}}), audio,
                                       MakeId3v1Tag({.artist = "From ID3v1", .genre = 0})})},
        {"vbri.mp3", Concat({FrameWithVbrHeader(kStereo, 36, "VBRI", 400, 150000), audio})},
        {"xing.mp3", Concat({FrameWithVbrHeader(kStereo, 36, "Xing", 1000, 200000), audio})},
        {"garbage before frames.mp3", Concat({Filler(5000), audio})},
        {"truncated.mp3", Bytes(audio.begin(), audio.begin() + 1000)},
        {"junk.bin", Filler(1234567)},
        {"empty.mp3", {}},
        {"a.b.c.MP3", audio},
        {"no extension", audio},
        {"Ёлочка — зелёная.mp3", audio},
    };
    for (const auto& [name, bytes] : files) {
        WriteBytes(folder + "/" + name, bytes);
    }
    std::filesystem::create_directory(PathOf(folder + "/folder.mp3"));
}

void WriteEncodedFiles(const std::string& folder) {
    const std::vector<std::pair<std::string, std::string>> files{
        {"cbr 128.mp3", "-b 128"},
        {"mono 64.mp3", "-b 64 -m m"},
        {"mpeg2 22050.mp3", "-b 64 --resample 22.05"},
        {"mpeg25 11025.mp3", "-b 32 --resample 11.025 -m m"},
        {"crc.mp3", "-b 160 -p"},
        {"abr 96.mp3", "--abr 96"},
        {"vbr V5.mp3", "-V 5"},
        {"Песня utf16.mp3",
         "-V 2 --id3v2-only --tt Песня --ta Исполнитель --tl Альбом --ty 2001 --tg 17"},
        {"id3v1 latin.mp3",
         "-b 96 --id3v1-only --tt Title --ta Artist --tl Album --ty 1999 --tg Rock"},
        {"both tags.mp3", "-b 128 --add-id3v2 --tt \"Song é\" --ta Band --ty 2005 --tg 17"},
    };
    for (const auto& [name, options] : files) {
        MakeMp3(folder + "/" + name, options);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: kestrune_probe_corpus FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(PathOf(folder));
    WriteByteFiles(folder);
    WriteEncodedFiles(folder);
    // The builders report trouble as test failures.
    return ::testing::Test::HasFailure() ? 1 : 0;
}
