// The private world of the main-window tests and the files they add to the list.
#include "MainWindowFixture.h"

#include "Unit1/BuildMainWindow.h"
#include "support/Mp3Bytes.h"

#include <filesystem>

namespace kestrune::unit1 {

namespace {

std::string MakeFolder(const test::TempDir& dir, const std::string& name) {
    std::filesystem::create_directories(dir.Path() / name);
    return dir.File(name);
}

}  // namespace

MainWindowFixture::MainWindowFixture()
    : homeFolder(MakeFolder(dir, "home") + "/"), encoderOnPath(MakeFolder(dir, "bin") + "/lame") {
    environment.Set("XDG_CONFIG_HOME", dir.File("config"));
    environment.Set("HOME", dir.File("home"));
    environment.Set("PATH", dir.File("bin"));
    test::WriteBytes(encoderOnPath, test::BytesOf("#!/bin/sh\n"));
    std::filesystem::permissions(encoderOnPath, std::filesystem::perms::owner_all);
}

MainWindow& MainWindowFixture::Build() {
    main = BuildMainWindow();
    return *main;
}

void MainWindowFixture::RemoveEncoderFromPath() {
    std::filesystem::remove(encoderOnPath);
}

void MainWindowFixture::WriteSettings(const std::string& text) {
    std::filesystem::create_directories(dir.Path() / "config" / "kestrune");
    test::WriteBytes(dir.File("config/kestrune/Kestrune.ini"), test::BytesOf(text));
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
