// The open dialog's result text: made by the back ends from the picked files, read by the
// file list as paths in the dialog's order and the folder the next dialog starts in.
#include "toolkit/OpenDialogResult.h"

#include <gtest/gtest.h>

namespace kestrune::toolkit {
namespace {

using Paths = std::vector<std::string>;
using platform::kPosixSeparators;
using platform::kWindowsSeparators;

TEST(OpenDialogResult, OnePathAloneSeveralAsFolderAndNamesAndBackToPathsAndAFolder) {
    const struct {
        std::string pathOrFolder;
        Paths names;
        std::string result;
        platform::PathSeparators separators;
        Paths paths;
        std::string folder;
    } cases[] = {
        {"C:\\Music\\a.mp3",
         {},
         "C:\\Music\\a.mp3",
         kWindowsSeparators,
         {"C:\\Music\\a.mp3"},
         "C:\\Music\\"},
        {"D:a.mp3", {}, "D:a.mp3", kWindowsSeparators, {"D:a.mp3"}, "D:"},
        {"C:\\Music\\Album",
         {"b.mp3", "a.mp3"},
         "C:\\Music\\Album\rb.mp3\ra.mp3",
         kWindowsSeparators,
         {"C:\\Music\\Album\\b.mp3", "C:\\Music\\Album\\a.mp3"},
         "C:\\Music\\Album\\"},
        {"C:\\",
         {"a.mp3", "b.mp3"},
         "C:\\\ra.mp3\rb.mp3",
         kWindowsSeparators,
         {"C:\\a.mp3", "C:\\b.mp3"},
         "C:\\"},
        {"/home/u/Музыка/x.mp3",
         {},
         "/home/u/Музыка/x.mp3",
         kPosixSeparators,
         {"/home/u/Музыка/x.mp3"},
         "/home/u/Музыка/"},
        {"/m",
         {"b c.mp3", "a.mp3"},
         "/m\rb c.mp3\ra.mp3",
         kPosixSeparators,
         {"/m/b c.mp3", "/m/a.mp3"},
         "/m/"},
        {"/", {"a.mp3", "b.mp3"}, "/\ra.mp3\rb.mp3", kPosixSeparators, {"/a.mp3", "/b.mp3"}, "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_EQ(OpenDialogResultText(c.pathOrFolder, c.names), c.result);
        EXPECT_EQ(SelectedPaths(c.result, c.separators), c.paths);
        EXPECT_EQ(SelectionFolder(c.result, c.separators), c.folder);
    }
}

}  // namespace
}  // namespace kestrune::toolkit
