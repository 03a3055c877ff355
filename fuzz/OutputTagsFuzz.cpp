// Fuzz target: the output's tags made from a source of arbitrary bytes (its tags parsed by
// the program's readers and by TagLib, the row's texts set over them, both tags rendered),
// for each choice of tag versions, and the rendered ID3v2 tag read back.
#include "ID3v2/Id3v2Tag.h"
#include "OutputTags/OutputTags.h"
#include "platform/MemorySource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrune;
    const outputtags::RowTags row = {.title = "Новое название, длиннее поля тега ID3v1",
                                     .artist = "Кино",
                                     .year = "1988",
                                     .genre = "17",
                                     .track = "3/12",
                                     .comment = "Комментарий"};
    for (const bool id3v1 : {false, true}) {
        for (const bool id3v2 : {false, true}) {
            platform::MemorySource source({data, size});
            const outputtags::OutputTagBytes tags =
                outputtags::MakeOutputTags(source, row, {id3v1, id3v2});
            platform::MemorySource rendered(tags.id3v2);
            id3v2::Id3v2Tag readBack;
            readBack.ReadFrom(rendered);
        }
    }
    return 0;
}
