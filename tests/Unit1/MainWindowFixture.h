// A main window built on the headless toolkit inside a private world, so no test touches the
// user's files. POSIX: the settings folder, the home folder and PATH point into a temporary
// folder, and PATH holds a stand-in "lame". Windows: the program keeps its settings and finds
// its encoder beside itself, that is beside the test program, where the stand-in encoder is
// built as LAME.EXE; the settings file there is removed before and after each test.
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
    ~MainWindowFixture() override;

    // Builds the window; with an encoder where the program looks no question is asked.
    MainWindow& Build();
    // Lets the window's timers run until an add in the background has ended.
    void WaitForAdd();
    // Takes the encoder away from where the program looks, so the start asks for one.
    void RemoveEncoder();
    // Writes the settings file with the given text before the window is built.
    void WriteSettings(const std::string& text);
    // A file in the temporary folder with the given bytes, as a full path.
    std::string MakeFile(const std::string& name, std::size_t size);
    // A file of valid MPEG audio with an ID3v1 tag of the given title and genre.
    std::string MakeTaggedMp3(const std::string& name, const std::string& title,
                              std::uint8_t genre);

    test::TempDir dir;
    std::string foundEncoder;         // the encoder the program finds at start
    std::string defaultOutputFolder;  // ends with the separator
    test::ScopedEnvironment environment;
    toolkit::headless::HeadlessDriver driver;
    std::unique_ptr<MainWindow> main;
};

}  // namespace kestrune::unit1
