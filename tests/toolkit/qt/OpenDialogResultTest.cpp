// The open dialog's result text: one path as it is, several as folder and names.
#include "toolkit/qt/OpenDialogResult.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

TEST(OpenDialogResult, OnePathAloneSeveralAsFolderAndNamesSeparatedByCarriageReturns) {
    struct Case {
        std::vector<std::string> paths;
        std::string expected;
    };
    const Case cases[] = {
        {{"/music/a.mp3"}, "/music/a.mp3"},
        {{"/music/a.mp3", "/music/b c.mp3"}, "/music\ra.mp3\rb c.mp3"},
        {{"/a.mp3", "/b.mp3"}, "/\ra.mp3\rb.mp3"},
        {{"/музыка/Альбом/1.mp3", "/музыка/Альбом/2.mp3"}, "/музыка/Альбом\r1.mp3\r2.mp3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenDialogResultText(c.paths), c.expected);
    }
}

}  // namespace
}  // namespace kestrune::toolkit::qt
