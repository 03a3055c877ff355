// TagLib reads a tag through a TagLib::File; a file of the tag's bytes serves, so that no
// path reaches TagLib and nothing of the source is opened for writing.
#include "OutputTags/CarriedTag.h"

#include <id3v2framefactory.h>
#include <id3v2synchdata.h>

#include <array>
#include <string_view>

namespace kestrune::outputtags {

namespace {

// A file of bytes held in memory: all TagLib needs to read a tag from it.
class TagBytesFile final : public TagLib::File {
public:
    explicit TagBytesFile(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// The type of a member function's one parameter.
template <typename>
struct ParameterOf;
template <typename Class, typename Result, typename Parameter>
struct ParameterOf<Result (Class::*)(Parameter) const> {
    using Type = Parameter;
};

// TagLib converts every frame to version 2.4 and drops the 2.3 frames that 2.4 has no place
// for. Written back as 2.3 they are still valid, so these are kept as they stand. (Date and
// time frames are left to TagLib, which folds them into the recording time and writes them
// back from it.)
class CarryingFrameFactory final : public TagLib::ID3v2::FrameFactory {
public:
    static const CarryingFrameFactory& Instance() {
        static const CarryingFrameFactory factory;
        return factory;
    }

protected:
    // TagLib does not let other code name a frame's header type; it is taken from the
    // function this replaces.
    using FrameHeader = ParameterOf<decltype(&CarryingFrameFactory::updateFrame)>::Type;

    bool updateFrame(FrameHeader header) const override {
        static constexpr std::array<std::string_view, 4> kKeptIn23 = {"EQUA", "RVAD", "TRDA",
                                                                      "TSIZ"};
        const TagLib::ByteVector id = header->frameID();
        if (header->version() == 3) {
            for (const std::string_view kept : kKeptIn23) {
                if (id == TagLib::ByteVector(kept.data(), static_cast<unsigned>(kept.size()))) {
                    return true;
                }
            }
        }
        return FrameFactory::updateFrame(header);
    }
};

constexpr unsigned kHeaderSize = 10;
constexpr char kExtendedHeaderFlag = 0x40;

// A version 2.3 tag without its extended header. TagLib takes the header's size field as
// the whole header's size, as in version 2.4, where in 2.3 it leaves out the field itself:
// it would miss every frame. The header holds nothing the output keeps.
TagLib::ByteVector WithoutExtendedHeader(const TagLib::ByteVector& tag) {
    if (tag.size() < kHeaderSize + 4 || tag[3] != 3 || (tag[5] & kExtendedHeaderFlag) == 0) {
        return tag;
    }
    const unsigned length = 4 + tag.toUInt(kHeaderSize, true);
    if (length > tag.size() - kHeaderSize) {
        return tag;
    }
    TagLib::ByteVector header = tag.mid(0, kHeaderSize);
    header[5] = static_cast<char>(header[5] & ~kExtendedHeaderFlag);
    const TagLib::ByteVector frames = tag.mid(kHeaderSize + length);
    header = header.mid(0, 6) + TagLib::ID3v2::SynchData::fromUInt(frames.size());
    return header + frames;
}

}  // namespace

CarriedTag::CarriedTag(const TagLib::ByteVector& tagBytes)
    : stream_(std::make_unique<TagLib::ByteVectorStream>(WithoutExtendedHeader(tagBytes))),
      file_(std::make_unique<TagBytesFile>(stream_.get())),
      tag_(std::make_unique<TagLib::ID3v2::Tag>(file_.get(), 0,
                                                &CarryingFrameFactory::Instance())) {}

CarriedTag::CarriedTag() : tag_(std::make_unique<TagLib::ID3v2::Tag>()) {}

CarriedTag::~CarriedTag() = default;

}  // namespace kestrune::outputtags
