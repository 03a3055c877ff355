#include "support/Mp3Bytes.h"

#include "MPEGaudio/FrameHeader.h"

namespace kestrune::test {

namespace {

void PutBigEndian32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

}  // namespace

Bytes Filler(std::size_t count) {
    return Bytes(count, 0x11);
}

Bytes Frame(const Header& header) {
    mpeg::MpegFrameInfo info;
    mpeg::DecodeHeader(header, info);
    Bytes frame = Filler(mpeg::FrameLength(info));
    std::copy(header.begin(), header.end(), frame.begin());
    return frame;
}

Bytes Frames(const Header& header, int count) {
    Bytes stream;
    for (int i = 0; i < count; ++i) {
        const Bytes frame = Frame(header);
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    return stream;
}

Bytes FrameWithVbrHeader(const Header& header, std::size_t offset, const std::string& id,
                         std::uint32_t frameCount, std::uint32_t byteCount) {
    Bytes frame = Frame(header);
    std::copy(id.begin(), id.end(), frame.begin() + static_cast<std::ptrdiff_t>(offset));
    if (id == "VBRI") {
        frame.at(offset + 9) = 75;  // quality
        PutBigEndian32(frame, offset + 10, byteCount);
        PutBigEndian32(frame, offset + 14, frameCount);
    } else {
        PutBigEndian32(frame, offset + 4, 0x0F);  // flags: frames, bytes, table, quality
        PutBigEndian32(frame, offset + 8, frameCount);
        PutBigEndian32(frame, offset + 12, byteCount);
        frame.at(offset + 119) = 57;  // quality
    }
    return frame;
}

}  // namespace kestrune::test
