// What writing the outputs' tags adds to a run: 100 outputs of three minutes at 128 kbit/s,
// as the encoder has just written them (in the page cache), each given the tags of a source
// with a 100 KiB cover picture, an edited Cyrillic title and both tag versions, then with
// "ID3v1" alone. Prints the average per file for each. Target: at most 5 ms per file.
#include "OutputTags/OutputTags.h"
#include "platform/File.h"

#include <attachedpictureframe.h>
#include <id3v2tag.h>
#include <textidentificationframe.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr int kFiles = 100;
constexpr int kFramesInThreeMinutes = 6892;  // 1152 samples a frame at 44,100 Hz
constexpr std::size_t kFrameLength = 417;    // MPEG-1 Layer III at 128 kbit/s, 44,100 Hz

Bytes Audio() {
    Bytes frame(kFrameLength, 0x11);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    frame[3] = 0x00;
    Bytes audio;
    audio.reserve(frame.size() * kFramesInThreeMinutes);
    for (int i = 0; i < kFramesInThreeMinutes; ++i) {
        audio.insert(audio.end(), frame.begin(), frame.end());
    }
    return audio;
}

void AddText(TagLib::ID3v2::Tag& tag, const char* id, const char* text) {
    auto frame =
        std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(id, TagLib::String::UTF16);
    frame->setText(TagLib::String(text, TagLib::String::UTF8));
    tag.addFrame(frame.release());
}

Bytes Rendered(TagLib::ID3v2::Tag& tag) {
    const TagLib::ByteVector bytes = tag.render(TagLib::ID3v2::v3);
    return {bytes.begin(), bytes.end()};
}

// A source's tag: texts and a cover picture of 100 KiB.
Bytes SourceTag() {
    TagLib::ID3v2::Tag tag;
    AddText(tag, "TIT2", "Старое название");
    AddText(tag, "TPE1", "Исполнитель");
    AddText(tag, "TALB", "Альбом");
    AddText(tag, "TYER", "1988");
    auto cover = std::make_unique<TagLib::ID3v2::AttachedPictureFrame>();
    cover->setMimeType("image/jpeg");
    cover->setPicture(TagLib::ByteVector(100 * 1024, '\x5A'));
    tag.addFrame(cover.release());
    return Rendered(tag);
}

// What lame writes with both tag versions: a small ID3v2 tag and an ID3v1 tag.
Bytes EncoderTags(const Bytes& audio) {
    TagLib::ID3v2::Tag tag;
    AddText(tag, "TSSE", "LAME 3.100");
    Bytes file = Rendered(tag);
    file.insert(file.end(), audio.begin(), audio.end());
    Bytes id3v1(128, 0);
    id3v1[0] = 'T';
    id3v1[1] = 'A';
    id3v1[2] = 'G';
    file.insert(file.end(), id3v1.begin(), id3v1.end());
    return file;
}

void Write(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Average milliseconds per file to give kFiles fresh outputs their tags.
double TagEveryOutput(const fs::path& folder, const std::string& source, const Bytes& encoded,
                      kestrune::outputtags::TagVersions versions) {
    std::vector<std::string> outputs;
    for (int i = 0; i < kFiles; ++i) {
        outputs.push_back((folder / ("out" + std::to_string(i) + ".mp3.part")).string());
        Write(outputs.back(), encoded);
    }
    const kestrune::outputtags::RowTags row = {.title = "Новое название",
                                               .artist = "Кино",
                                               .album = "Альбом",
                                               .year = "1990",
                                               .genre = "17",
                                               .track = "5/12",
                                               .comment = "Комментарий"};
    const auto start = Clock::now();
    for (const std::string& output : outputs) {
        auto encoded = kestrune::platform::FileForUpdate::Open(output);
        if (!encoded || !kestrune::outputtags::WriteOutputTags(source, *encoded, row, versions)) {
            std::fprintf(stderr, "the tags of %s could not be written\n", output.c_str());
            std::exit(1);
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kFiles;
}

}  // namespace

int main() {
    const fs::path root = fs::temp_directory_path() / "kestrune-bench-tags";
    fs::remove_all(root);
    fs::create_directories(root);
    const Bytes audio = Audio();
    Bytes source = SourceTag();
    source.insert(source.end(), audio.begin(), audio.end());
    Write(root / "source.mp3", source);
    const Bytes encoded = EncoderTags(audio);

    const double both = TagEveryOutput(root, (root / "source.mp3").string(), encoded, {true, true});
    const double v1 = TagEveryOutput(root, (root / "source.mp3").string(), encoded, {true, false});
    std::printf("outputs of %.2f MB, source tag of %zu KiB\n", encoded.size() / 1e6,
                (source.size() - audio.size()) / 1024);
    std::printf(
        "tags written per file: %.2f ms with both versions, %.2f ms with ID3v1 alone "
        "(target: at most 5 ms)\n",
        both, v1);
    fs::remove_all(root);
    return both <= 5.0 && v1 <= 5.0 ? 0 : 1;
}
