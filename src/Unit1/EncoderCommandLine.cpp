// Joins the encoder's argument text piece by piece; the exact blanks between the pieces are
// what the encoder has always been given.
#include "Unit1/EncoderCommandLine.h"

#include "platform/CommandLine.h"

namespace kestrune::unit1 {

namespace {

// One tag option and its quoted value, followed by the blank that separates the next one.
// A value ends at a zero byte, which no command line can carry: on Windows it would end the
// whole line.
void AppendTag(std::string& line, std::string_view option, std::string_view value) {
    line.append(option);
    line.push_back(' ');
    line.append(platform::QuoteArgument(value.substr(0, value.find('\0'))));
    line.push_back(' ');
}

}  // namespace

bool CarriesPicture(const EncoderOptions& options) {
    return options.tagV2;
}

std::string OutputPath(std::string_view outputFolder, std::string_view outputName,
                       platform::PathSeparators separators) {
    std::string name(outputName);
    name.append(".mp3");
    return platform::JoinPath(outputFolder, name, separators);
}

std::string FullEncoderCommandLine(std::string_view encoderPath, const EncoderOptions& options,
                                   const EncoderRow& row, std::string_view outputFile) {
    return platform::QuoteArgument(encoderPath) + BuildEncoderCommandLine(options, row, outputFile);
}

std::string BuildEncoderCommandLine(const EncoderOptions& options, const EncoderRow& row,
                                    std::string_view outputFile) {
    std::string line = " --mp3input --nohist ";
    line.append(options.mono ? " -m m" : " -m s");
    if (options.constantBitRate) {
        line.append(" -b ").append(options.bitRateText);
    }
    if (options.variableBitRate) {
        line.append(" -V ").append(std::to_string(options.vbrQuality));
    }
    if (options.tagV1 || options.tagV2) {
        line.push_back(' ');
        AppendTag(line, "--tt", row.title);
        AppendTag(line, "--ta", row.artist);
        AppendTag(line, "--tl", row.album);
        AppendTag(line, "--ty", row.year);
        AppendTag(line, "--tg", row.genre);
        if (!row.track.empty()) {
            AppendTag(line, "--tn", row.track);
        }
        if (!row.comment.empty()) {
            AppendTag(line, "--tc", row.comment);
        }
        if (!row.picturePath.empty() && CarriesPicture(options)) {
            AppendTag(line, "--ti", row.picturePath);
        }
        if (!options.tagV2) {
            line.append("--id3v1-only");
        } else if (!options.tagV1) {
            line.append("--id3v2-only");
        } else {
            line.append("--add-id3v2");
        }
    }
    // "-e" and "-s" are joined on purpose: the encoder reads "n-s" as "no de-emphasis".
    line.append(" -e n").append("-s --silent ");
    line.append(platform::QuoteArgument(row.sourcePath)).push_back(' ');
    line.append(platform::QuoteArgument(outputFile));
    return line;
}

}  // namespace kestrune::unit1
