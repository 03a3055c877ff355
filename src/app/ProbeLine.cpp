// Formats a file list row as the probe's line.
#include "app/ProbeLine.h"

#include "platform/TextCodec.h"

#include <charconv>

namespace kestrune::app {

namespace {

// The text as valid UTF-8 on one line.
std::string Field(std::string_view raw) {
    std::string text = platform::SanitiseUtf8(raw);
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

std::string Seconds(double seconds) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

}  // namespace

std::string ProbeLine(const mpeg::FileListRow& row) {
    const std::string fields[] = {
        Field(row.name),
        mpeg::GroupThousands(row.size),
        mpeg::BitRateText(row),
        mpeg::KindText(row),
        Field(row.title),
        Field(row.artist),
        Field(row.album),
        Field(row.year),
        row.genre,
        Seconds(row.duration),
        row.valid ? "1" : "0",
    };
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields[0]) {
            line.push_back('\t');
        }
        line += field;
    }
    return line;
}

}  // namespace kestrune::app
