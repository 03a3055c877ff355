// The source's ID3v2 tag as TagLib holds it, to be carried into the output: parsed from the
// tag's bytes alone, never from a file TagLib opens itself.
#pragma once

#include <id3v2tag.h>
#include <tbytevector.h>
#include <tbytevectorstream.h>
#include <tfile.h>

#include <memory>

namespace kestrune::outputtags {

class CarriedTag {
public:
    // The tag in `tagBytes`, which begin with its header; frames of version 2.2 and 2.4 are
    // taken as TagLib converts them, and those of 2.3 kept even where TagLib would drop
    // them as unknown to 2.4.
    explicit CarriedTag(const TagLib::ByteVector& tagBytes);
    // A tag without frames.
    CarriedTag();
    ~CarriedTag();
    CarriedTag(const CarriedTag&) = delete;
    CarriedTag& operator=(const CarriedTag&) = delete;

    TagLib::ID3v2::Tag& Tag() { return *tag_; }

private:
    // The tag reads its frames through a TagLib file, which must outlive it.
    std::unique_ptr<TagLib::ByteVectorStream> stream_;
    std::unique_ptr<TagLib::File> file_;
    std::unique_ptr<TagLib::ID3v2::Tag> tag_;
};

}  // namespace kestrune::outputtags
