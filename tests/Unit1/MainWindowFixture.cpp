// The private world of the main-window tests and the files they add to the list.
#include "MainWindowFixture.h"

#include "Unit1/BuildMainWindow.h"
#include "platform/File.h"
#include "platform/Locations.h"
#include "support/Mp3Bytes.h"
#include "support/SettingsFile.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace kestrune::unit1 {

#ifdef _WIN32
namespace {

std::string HiddenEncoder() {
    return platform::ProgramFolder() + "LAME.EXE.hidden";
}

// Puts back an encoder an earlier test took away and removes the settings it left.
void ResetProgramFolder() {
    if (platform::IsExistingFile(HiddenEncoder())) {
        platform::MoveFileOver(HiddenEncoder(), platform::ProgramFolder() + "LAME.EXE");
    }
    platform::RemoveFile(platform::SettingsFilePath());
}

}  // namespace

MainWindowFixture::MainWindowFixture()
    : foundEncoder(platform::ProgramFolder() + "LAME.EXE"),
      defaultOutputFolder(platform::ProgramFolder() + "TeMP3\\") {
    ResetProgramFolder();
}

MainWindowFixture::~MainWindowFixture() {
    main.reset();
    ResetProgramFolder();
}

void MainWindowFixture::RemoveEncoder() {
    platform::MoveFileOver(foundEncoder, HiddenEncoder());
}
#else
MainWindowFixture::MainWindowFixture()
    : foundEncoder(dir.File("bin/lame")), defaultOutputFolder(dir.File("home/TeMP3/")) {
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "home");
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    environment.Set("HOME", dir.File("home"));
    environment.Set("PATH", dir.File("bin"));
    test::WriteBytes(foundEncoder, test::BytesOf("#!/bin/sh\n"));
    std::filesystem::permissions(foundEncoder, std::filesystem::perms::owner_all);
}

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::RemoveEncoder() {
    std::filesystem::remove(foundEncoder);
}
#endif

MainWindow& MainWindowFixture::Build() {
    main = BuildMainWindow();
    return *main;
}

void MainWindowFixture::WaitForAdd() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (main->backgroundAdd && std::chrono::steady_clock::now() < deadline) {
        driver.AdvanceTime(50);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(main->backgroundAdd) << "the add did not end";
}

void MainWindowFixture::WriteSettings(const std::string& text) {
    const std::string file = platform::SettingsFilePath();
    std::filesystem::create_directories(test::PathOf(file).parent_path());
    test::WriteBytes(file, test::SettingsFileBytes(text));
}

std::string MainWindowFixture::MakeFile(const std::string& name, std::size_t size) {
    const std::string file = dir.File(name);
    test::WriteBytes(file, test::Bytes(size, 0));
    return file;
}

std::string MainWindowFixture::MakeTaggedMp3(const std::string& name, const std::string& title,
                                             std::uint8_t genre) {
    const std::string file = dir.File(name);
    test::WriteBytes(file, test::Concat({test::Frames(test::kMpeg1Layer3At128, 40),
                                         test::MakeId3v1Tag({.title = title, .genre = genre})}));
    return file;
}

}  // namespace kestrune::unit1
