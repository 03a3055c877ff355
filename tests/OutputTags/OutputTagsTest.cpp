// The output's tags over a table of sources a user may have, crossed with the four choices
// of tag versions, the row as listed and the row edited: both readers find the row's texts,
// the audio stays as the encoder wrote it, and every frame not edited is carried.
#include "OutputTags/OutputTags.h"

#include "ID3v1/GenreTable.h"
#include "ID3v1/Id3v1Tag.h"
#include "ID3v2/FrameScan.h"
#include "ID3v2/Id3v2Tag.h"
#include "ID3v2/Id3v2Text.h"
#include "MPEGaudio/FileListRow.h"
#include "OutputTags/AudioRange.h"
#include "platform/MemorySource.h"
#include "platform/TextCodec.h"
#include "support/Mp3Bytes.h"
#include "support/TempDir.h"

#include <attachedpictureframe.h>
#include <gtest/gtest.h>
#include <id3v2framefactory.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <tbytevectorstream.h>

#include <array>
#include <set>

namespace kestrune::outputtags {
namespace {

using test::Bytes;
using test::BytesOf;
using test::Concat;

Bytes Frame(std::uint8_t version, std::string_view id, const Bytes& data) {
    return test::MakeId3v2Frame(version, id, data);
}
Bytes Cp1251Text(std::string_view utf8) {
    return test::LegacyTextData(platform::Utf8ToLegacy(utf8, 1000));
}
Bytes Utf8Text(std::string_view text) {
    return test::TextData(3, BytesOf(text));
}
// Encoding, language, description, text: all UTF-16 with a byte-order mark.
Bytes Described(std::string_view kindAndLanguage, std::u16string_view description,
                std::u16string_view text) {
    return Concat({BytesOf(kindAndLanguage),
                   {0xFF, 0xFE},
                   test::Utf16LittleEndian(description),
                   {0, 0, 0xFF, 0xFE},
                   test::Utf16LittleEndian(text)});
}
// A picture frame's data; version 2.2 names the format, later versions the MIME type.
Bytes Picture(std::uint8_t version, std::uint8_t type, std::uint8_t fill) {
    const Bytes format =
        version == 2 ? BytesOf("PNG") : BytesOf(std::string_view("image/png\0", 10));
    return Concat({{0}, format, {type, 0, 0x89, 'P', 'N', 'G', 0xFF, 0xE0}, Bytes(700, fill)});
}
// A zero byte after every 0xFF that a byte of 0xE0 or more, or a zero byte, follows.
Bytes Unsynchronised(const Bytes& body) {
    Bytes out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        out.push_back(body[i]);
        if (body[i] == 0xFF && i + 1 < body.size() && (body[i + 1] >= 0xE0 || body[i + 1] == 0)) {
            out.push_back(0);
        }
    }
    return out;
}

struct Source {
    const char* name;
    Bytes head;                 // before the audio
    Bytes tail;                 // after it
    bool readByProgram = true;  // the program's reader does not take extended headers
};

std::vector<Source> Sources() {
    const Bytes full = Concat({
        Frame(3, "TIT2", test::Utf16TextData(u"Старое название")),
        Frame(3, "TPE1", test::LegacyTextData("Artist")),
        Frame(3, "TALB", Cp1251Text("Альбом")),
        Frame(3, "TYER", test::LegacyTextData("1999")),
        Frame(3, "TCON", test::LegacyTextData("Rock")),
        Frame(3, "TRCK", test::LegacyTextData("5/12")),
        Frame(3, "COMM", Described("\1eng", u"iTunNORM", u" 000002D4 00000280")),
        Frame(3, "COMM", Described("\1eng", u"", u"Комментарий")),
        Frame(3, "APIC", Picture(3, 3, 0x31)),
        Frame(3, "APIC", Picture(3, 4, 0x32)),
        Frame(3, "USLT", Described("\1rus", u"", u"Слова песни")),
        Frame(3, "TPE2", test::LegacyTextData("Album Artist")),
        Frame(3, "TPOS", test::LegacyTextData("1/2")),
        Frame(3, "RVAD", {0x03, 0x10, 0x12, 0x34, 0x12, 0x34, 0, 0, 0, 0}),
        Frame(3, "XKST", BytesOf("a frame no program knows")),
    });
    const Bytes comment22 = Concat({BytesOf(std::string_view("\0eng\0", 5)), BytesOf("Note")});
    const Bytes unsynchronised = Unsynchronised(Concat(
        {Frame(3, "TIT2", test::LegacyTextData("Unsync")), Frame(3, "APIC", Picture(3, 3, 0xFF))}));
    const Bytes extendedHeader = {0, 0, 0, 6, 0, 0, 0, 0, 0, 0};
    return {
        {"no tag", {}, {}},
        {"ID3v1 only",
         {},
         test::MakeId3v1Tag({.title = platform::Utf8ToLegacy("Песня", 30),
                             .artist = "Band",
                             .year = "2001",
                             .track = 5,
                             .genre = 17})},
        {"ID3v2.2",
         test::MakeId3v2Tag(
             2, Concat({Frame(2, "TT2", test::LegacyTextData("Title 2.2")),
                        Frame(2, "TP1", test::Utf16TextData(u"Исполнитель")),
                        Frame(2, "COM", comment22), Frame(2, "PIC", Picture(2, 3, 0x33))})),
         {}},
        {"ID3v2.3", test::MakeId3v2Tag(3, full, 256), test::MakeId3v1Tag({.title = "Old v1"})},
        {"ID3v2.4",
         test::MakeId3v2Tag(4, Concat({Frame(4, "TIT2", Utf8Text("Песня 2.4")),
                                       Frame(4, "TDRC", Utf8Text("2004-05-06")),
                                       Frame(4, "APIC", Picture(4, 3, 0x34))})),
         {}},
        {"unsynchronised", test::MakeId3v2Tag(3, unsynchronised, 0, 0x80), {}},
        {"extended header",
         test::MakeId3v2Tag(3, Concat({extendedHeader, Frame(3, "TPE2", Cp1251Text("Гость"))}), 0,
                            0x40),
         {},
         false},
        {"long Cyrillic",
         test::MakeId3v2Tag(
             3,
             Concat(
                 {Frame(3, "TIT2", test::Utf16TextData(u"Очень длинное название песни на русском")),
                  Frame(3, "TPE1", test::Utf16TextData(u"Исполнитель с очень длинным именем"))})),
         {}},
    };
}

// Title, artist, album, year, track, genre and comment of an ID3v2 tag.
using Texts = std::array<std::string, 7>;

Texts ProgramTexts(const Bytes& file) {
    platform::MemorySource source(file);
    id3v2::Id3v2Tag tag;
    tag.ReadFrom(source);
    return {tag.title, tag.artist, tag.album, tag.year, tag.trackText, tag.genre, tag.comment};
}

struct TagLibView {
    bool exists = false;
    Texts texts;
    std::multiset<Bytes> pictures;
};

TagLibView ReadWithTagLib(const Bytes& file) {
    TagLib::ByteVectorStream stream(TagLib::ByteVector(reinterpret_cast<const char*>(file.data()),
                                                       static_cast<unsigned>(file.size())));
    TagLib::MPEG::File mpeg(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    TagLibView view;
    TagLib::ID3v2::Tag* tag = mpeg.ID3v2Tag();
    view.exists = mpeg.hasID3v2Tag();
    const auto utf8 = [](const TagLib::String& text) { return text.to8Bit(true); };
    const auto& tracks = tag->frameListMap()["TRCK"];
    view.texts = {utf8(tag->title()),
                  utf8(tag->artist()),
                  utf8(tag->album()),
                  tag->year() == 0 ? "" : std::to_string(tag->year()),
                  tracks.isEmpty() ? "" : utf8(tracks.front()->toString()),
                  utf8(tag->genre()),
                  utf8(tag->comment())};
    for (const auto* frame : tag->frameList("APIC")) {
        const TagLib::ByteVector picture =
            dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame&>(*frame).picture();
        view.pictures.emplace(picture.begin(), picture.end());
    }
    return view;
}

// The frames of a version 2.3 tag as they stand in the file, by identifier; none for
// another version or an unsynchronised tag.
std::multiset<std::pair<std::string, Bytes>> RawFrames(const Bytes& file) {
    platform::MemorySource source(file);
    id3v2::Id3v2Tag tag;
    tag.ReadFrom(source);
    std::multiset<std::pair<std::string, Bytes>> frames;
    if (tag.version != 3 || (tag.flags & 0x80) != 0) {
        return frames;  // another version, or unsynchronised
    }
    id3v2::WalkFrames(source, 3, tag.size, [&](const id3v2::FrameHeader& frame) {
        Bytes data(static_cast<std::size_t>(frame.dataInTag));
        source.ReadAt(frame.dataStart, data);
        frames.emplace(std::string(frame.id), data);
        return true;
    });
    return frames;
}

// The frames a row's texts may change.
bool MayBeEdited(const std::string& id, const Bytes& data) {
    static const std::set<std::string> kEdited = {"TIT2", "TPE1", "TALB", "TYER", "TRCK", "TCON"};
    return kEdited.contains(id) || (id == "COMM" && id3v2::IsPlainComment(data));
}

RowTags RowOf(const mpeg::FileListRow& row) {
    return {row.title, row.artist, row.album, row.year, row.genre, row.track, row.comment};
}

const RowTags kEdited = {.title = "Очень длинное название новой песни на русском",
                         .artist = "Кино",
                         .album = "Группа крови",
                         .year = "1988",
                         .genre = "17",
                         .track = "3/12",
                         .comment = "Новый комментарий"};

TEST(OutputTags, EveryReaderFindsTheRowAndNothingElseOfTheSourceIsLost) {
    const Bytes audio = test::Frames(test::kMpeg1Layer3At128, 8);
    // What the encoder wrote: a tag of its own at each end.
    const Bytes encoded =
        Concat({test::MakeId3v2Tag(3, Frame(3, "TSSE", test::LegacyTextData("LAME"))), audio,
                test::MakeId3v1Tag({.title = "lame"})});
    const test::TempDir dir;
    for (const Source& source : Sources()) {
        const Bytes sourceFile = Concat({source.head, audio, source.tail});
        test::WriteBytes(dir.File("source.mp3"), sourceFile);
        const RowTags listed = RowOf(mpeg::ReadFileListRow(dir.File("source.mp3")));
        const TagLibView sourceView = ReadWithTagLib(sourceFile);
        for (const TagVersions versions : {TagVersions{false, false}, TagVersions{true, false},
                                           TagVersions{false, true}, TagVersions{true, true}}) {
            for (const bool edited : {false, true}) {
                const RowTags& row = edited ? kEdited : listed;
                SCOPED_TRACE(testing::Message()
                             << source.name << ", ID3v1 " << versions.id3v1 << ", ID3v2 "
                             << versions.id3v2 << ", " << (edited ? "edited" : "listed"));
                test::WriteBytes(dir.File("out.mp3"), encoded);
                {
                    auto encodedFile = platform::FileForUpdate::Open(dir.File("out.mp3"));
                    ASSERT_TRUE(encodedFile);
                    ASSERT_TRUE(
                        WriteOutputTags(dir.File("source.mp3"), *encodedFile, row, versions));
                }
                const Bytes output = test::ReadBytes(dir.File("out.mp3"));

                platform::MemorySource outputSource(output);
                const AudioRange range = FindAudio(outputSource);
                EXPECT_EQ(Bytes(output.begin() + range.start, output.begin() + range.end), audio);

                const bool ticked = versions.id3v1 || versions.id3v2;
                const Texts rowTexts = {
                    row.title,
                    row.artist,
                    row.album,
                    row.year,
                    row.track,
                    std::string(id3v1::GenreName(row.genre.empty() ? -1 : std::stoi(row.genre))),
                    row.comment};
                const bool hasId3v2 = sourceView.exists || versions.id3v2;
                const auto expected = [&](const Texts& carried) {
                    if (!hasId3v2) {
                        return Texts{};
                    }
                    Texts texts = carried;
                    for (std::size_t i = 0; i < texts.size(); ++i) {
                        if (ticked && !rowTexts[i].empty()) {
                            texts[i] = rowTexts[i];
                        }
                    }
                    return texts;
                };
                const TagLibView outputView = ReadWithTagLib(output);
                const bool anyText =
                    std::ranges::any_of(rowTexts, [](const auto& t) { return !t.empty(); });
                EXPECT_EQ(outputView.exists, sourceView.exists || (versions.id3v2 && anyText));
                EXPECT_EQ(outputView.texts, expected(sourceView.texts));
                EXPECT_EQ(outputView.pictures, sourceView.pictures);
                if (source.readByProgram) {
                    EXPECT_EQ(ProgramTexts(output), expected(ProgramTexts(sourceFile)));
                }
                for (const auto& [id, data] : RawFrames(sourceFile)) {
                    if (!(ticked && MayBeEdited(id, data)) && id != "TCON") {
                        EXPECT_TRUE(RawFrames(output).contains({id, data})) << id;
                    }
                }

                id3v1::Id3v1Tag v1;
                v1.ReadFrom(outputSource);
                EXPECT_EQ(v1.exists, versions.id3v1);
                if (versions.id3v1) {
                    EXPECT_EQ(v1.title, platform::FirstCharacters(row.title, 30));
                    EXPECT_EQ(v1.artist, platform::FirstCharacters(row.artist, 30));
                    EXPECT_EQ(std::to_string(v1.genreId), row.genre.empty() ? "255" : row.genre);
                    // Read again, the list shows the whole title where an ID3v2 tag has it.
                    EXPECT_EQ(mpeg::ReadFileListRow(dir.File("out.mp3")).title,
                              hasId3v2 ? row.title : v1.title);
                }
            }
        }
    }
}

}  // namespace
}  // namespace kestrune::outputtags
