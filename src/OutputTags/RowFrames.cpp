// New or changed frames are written as Latin-1 only for ASCII text: the program reads a
// single-byte frame in the legacy code page, so any other text goes as UTF-16, which
// ID3v2.3 readers all take. Frames are changed in place, keeping the tag's frame order.
#include "OutputTags/RowFrames.h"

#include "ID3v1/GenreTable.h"

#include <commentsframe.h>
#include <textidentificationframe.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>

namespace kestrune::outputtags {

namespace {

using TagLib::ID3v2::CommentsFrame;
using TagLib::ID3v2::TextIdentificationFrame;

constexpr const char* kLanguage = "eng";  // of a new comment, as most taggers write it

TagLib::String Utf8(const std::string& text) {
    return {text, TagLib::String::UTF8};
}

TagLib::String::Type EncodingFor(const std::string& text) {
    const bool ascii =
        std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? TagLib::String::Latin1 : TagLib::String::UTF16;
}

// Empty once characters of code 0 to 32 are taken from both ends, as the program reads it.
bool IsBlank(const TagLib::String& text) {
    const std::string utf8 = text.to8Bit(true);
    return std::ranges::all_of(utf8, [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// The first frame of the identifier takes the text; any further ones go. An empty text
// removes them all.
void SetTextFrame(TagLib::ID3v2::Tag& tag, const char* id, const std::string& text) {
    const TagLib::ID3v2::FrameList frames = tag.frameList(id);
    auto* first =
        frames.isEmpty() ? nullptr : dynamic_cast<TextIdentificationFrame*>(frames.front());
    for (TagLib::ID3v2::Frame* frame : frames) {
        if (frame != first || text.empty()) {
            tag.removeFrame(frame);
        }
    }
    if (text.empty()) {
        return;
    }
    if (first == nullptr) {
        auto frame = std::make_unique<TextIdentificationFrame>(id, EncodingFor(text));
        first = frame.get();
        tag.addFrame(frame.release());  // the tag owns its frames
    }
    first->setTextEncoding(EncodingFor(text));
    first->setText(Utf8(text));
}

// The text of the first frame of the identifier, as TagLib reads it.
std::string FrameText(TagLib::ID3v2::Tag& tag, const char* id) {
    const TagLib::ID3v2::FrameList& frames = tag.frameList(id);
    return frames.isEmpty() ? std::string() : frames.front()->toString().to8Bit(true);
}

void SetIfChanged(TagLib::ID3v2::Tag& tag, const char* id, const std::string& text) {
    if (FrameText(tag, id) != text) {
        SetTextFrame(tag, id, text);
    }
}

std::optional<int> GenreNumber(const std::string& genre) {
    int number = -1;
    const char* end = genre.data() + genre.size();
    const auto [stop, error] = std::from_chars(genre.data(), end, number);
    if (error != std::errc() || stop != end || id3v1::GenreName(number).empty()) {
        return std::nullopt;
    }
    return number;
}

// True when the genre frame names the genre, by its name or by its number.
bool NamesGenre(TagLib::ID3v2::Tag& tag, int number) {
    const TagLib::String name = Utf8(std::string(id3v1::GenreName(number)));
    const TagLib::String digits = TagLib::String::number(number);
    for (TagLib::ID3v2::Frame* frame : tag.frameList("TCON")) {
        if (const auto* genre = dynamic_cast<TextIdentificationFrame*>(frame)) {
            for (const TagLib::String& field : genre->fieldList()) {
                if (field == name || field == digits || field == "(" + digits + ")") {
                    return true;
                }
            }
        }
    }
    return false;
}

void SetGenre(TagLib::ID3v2::Tag& tag, const std::string& rowGenre, bool id3v1HadGenre) {
    const std::optional<int> number = GenreNumber(rowGenre);
    if (!number) {
        if (id3v1HadGenre) {
            tag.removeFrames("TCON");
        }
        return;
    }
    if (!NamesGenre(tag, *number)) {
        SetTextFrame(tag, "TCON", std::string(id3v1::GenreName(*number)));
    }
}

// TagLib holds a 2.3 year as a 2.4 recording time, whose first four characters are the
// year. A changed year goes as the 2.3 year frame: TagLib would write a recording time of
// fewer than four characters not at all.
void SetYear(TagLib::ID3v2::Tag& tag, const std::string& year) {
    const std::string recorded = FrameText(tag, "TDRC");
    if (recorded.substr(0, 4) == year && FrameText(tag, "TYER").empty()) {
        return;
    }
    tag.removeFrames("TDRC");
    SetTextFrame(tag, "TYER", year);
}

CommentsFrame* PlainComment(TagLib::ID3v2::Tag& tag) {
    for (TagLib::ID3v2::Frame* frame : tag.frameList("COMM")) {
        auto* comment = dynamic_cast<CommentsFrame*>(frame);
        if (comment != nullptr && IsBlank(comment->description())) {
            return comment;
        }
    }
    return nullptr;
}

void SetComment(TagLib::ID3v2::Tag& tag, const std::string& text) {
    CommentsFrame* comment = PlainComment(tag);
    if (comment != nullptr && comment->text().to8Bit(true) == text) {
        return;
    }
    if (text.empty()) {
        if (comment != nullptr) {
            tag.removeFrame(comment);
        }
        return;
    }
    if (comment == nullptr) {
        auto frame = std::make_unique<CommentsFrame>(EncodingFor(text));
        frame->setLanguage(kLanguage);
        comment = frame.get();
        tag.addFrame(frame.release());  // the tag owns its frames
    }
    comment->setTextEncoding(EncodingFor(text));
    comment->setText(Utf8(text));
}

}  // namespace

void SetRowTexts(TagLib::ID3v2::Tag& tag, const RowTags& row, bool id3v1HadGenre) {
    SetIfChanged(tag, "TIT2", row.title);
    SetIfChanged(tag, "TPE1", row.artist);
    SetIfChanged(tag, "TALB", row.album);
    SetYear(tag, row.year);
    SetGenre(tag, row.genre, id3v1HadGenre);
    SetIfChanged(tag, "TRCK", row.track);
    SetComment(tag, row.comment);
}

}  // namespace kestrune::outputtags
