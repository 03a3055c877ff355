// Turns the data of ID3v2 text, comment and link frames, and the description of a picture,
// into UTF-8 text. The first data byte names the encoding: 0 single-byte legacy text,
// 1 UTF-16 with a byte-order mark, 2 UTF-16 big-endian, 3 UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrune::id3v2 {

// True for the encoding bytes this reader understands (0 to 3).
bool IsKnownTextEncoding(std::uint8_t encoding);

// Text in the given encoding, decoded and trimmed as DecodeText does.
std::string DecodeEncodedText(std::uint8_t encoding, std::span<const std::uint8_t> text);

// Where what follows a description begins: right after its terminator, a zero byte, or for
// UTF-16 a zero unit at an even distance from the start; nothing when it has none.
std::optional<std::size_t> DescriptionEnd(std::uint8_t encoding,
                                          std::span<const std::uint8_t> description);

// The text of a text frame's data (encoding byte first), without characters of code 0 to
// 32 at either end. UTF-16 text ends at its first zero unit; single-byte and UTF-8 text
// keep inner zero bytes. Any other encoding byte is read like encoding 0.
std::string DecodeText(std::span<const std::uint8_t> data);

// The text of a comment frame: encoding, three-letter language, description, text.
std::string DecodeCommentText(std::span<const std::uint8_t> data);

// True for a comment frame with an empty description: the comment a user sees, where a
// described one ("iTunNORM", "iTunSMPB", ...) holds a program's data.
bool IsPlainComment(std::span<const std::uint8_t> data);

// The text of a user link frame: encoding, description, link.
std::string DecodeLinkText(std::span<const std::uint8_t> data);

}  // namespace kestrune::id3v2
