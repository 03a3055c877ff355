// A main window built on the headless toolkit inside a private world: the settings folder,
// the home folder and PATH point into a temporary folder, so no test touches the user's
// files. PATH holds a stand-in "lame" unless a test asks for none.
#pragma once

#include "Unit1/MainWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kestrune::unit1 {

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();

    // Builds the window; with an encoder on PATH no question is asked.
    MainWindow& Build();
    // Removes the stand-in encoder from PATH, so the start asks for one.
    void RemoveEncoderFromPath();
    // Writes the settings file with the given text before the window is built.
    void WriteSettings(const std::string& text);
    // A file in the temporary folder with the given bytes, as a full path.
    std::string MakeFile(const std::string& name, std::size_t size);
    // A file of valid MPEG audio with an ID3v1 tag of the given title and genre.
    std::string MakeTaggedMp3(const std::string& name, const std::string& title,
                              std::uint8_t genre);

    test::TempDir dir;
    std::string homeFolder;  // ends with "/"
    std::string encoderOnPath;
    test::ScopedEnvironment environment;
    toolkit::headless::HeadlessDriver driver;
    std::unique_ptr<MainWindow> main;
};

}  // namespace kestrune::unit1
