// Where the audio of an encoded file lies between the tags its encoder wrote, and the
// rewrite that puts other tags around that audio, moving it within the file.
#pragma once

#include "platform/ByteSource.h"
#include "platform/File.h"

#include <cstdint>
#include <span>

namespace kestrune::outputtags {

struct AudioRange {
    std::int64_t start = 0;  // after an ID3v2 tag at the start
    std::int64_t end = 0;    // before an ID3v1 tag at the end
};

AudioRange FindAudio(platform::ByteSource& file);

// Leaves the file as `head`, the audio as it stood, and `tail`. False when a read or write
// failed; the file is then of no use.
bool ReplaceTags(platform::FileForUpdate& file, std::span<const std::uint8_t> head,
                 std::span<const std::uint8_t> tail);

}  // namespace kestrune::outputtags
