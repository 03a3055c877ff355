// Where the settings, the default output and the encoder are looked for: the XDG and home
// folders and PATH on POSIX, beside the program on Windows.
#include "platform/Locations.h"

#include "platform/File.h"
#include "platform/Paths.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrune::platform {
namespace {

#ifndef _WIN32
// Sets the variable, or unsets it for nullptr, until the environment object goes.
void SetOrUnset(test::ScopedEnvironment& environment, const char* name, const char* value) {
    if (value != nullptr) {
        environment.Set(name, value);
    } else {
        environment.Unset(name);
    }
}

TEST(Locations, SettingsFollowXdgConfigHomeOnlyWhenItIsAbsolute) {
    struct Case {
        const char* xdgConfigHome;
        const char* home;
        const char* settings;
    };
    const Case cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/kestrune/Kestrune.ini"},
        {"/x/cfg/", "/home/u", "/x/cfg/kestrune/Kestrune.ini"},
        {nullptr, "/home/u", "/home/u/.config/kestrune/Kestrune.ini"},
        {"", "/home/u/", "/home/u/.config/kestrune/Kestrune.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/kestrune/Kestrune.ini"},
        {nullptr, "/", "/.config/kestrune/Kestrune.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        test::ScopedEnvironment environment;
        SetOrUnset(environment, "XDG_CONFIG_HOME", c.xdgConfigHome);
        SetOrUnset(environment, "HOME", c.home);
        EXPECT_EQ(SettingsFilePath(), c.settings);
    }
}

TEST(Locations, OutputFolderIsTeMP3InTheHomeFolderFromTheUserDatabaseWithoutHome) {
    {
        test::ScopedEnvironment environment;
        environment.Set("HOME", "/home/Пользователь");
        EXPECT_EQ(HomeFolder(), "/home/Пользователь/");
        EXPECT_EQ(DefaultOutputFolder(), "/home/Пользователь/TeMP3/");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative"}) {
        test::ScopedEnvironment environment;
        SetOrUnset(environment, "HOME", unusable);
        const std::string folder = HomeFolder();
        ASSERT_TRUE(folder.starts_with('/')) << folder;
        EXPECT_TRUE(folder.ends_with('/'));
        EXPECT_EQ(DefaultOutputFolder(), folder + "TeMP3/");
    }
}

TEST(Locations, SearchPathGivesTheFirstAbsoluteFolderWithAnExecutable) {
    struct Case {
        const char* searchPath;
        std::optional<std::string> found;
    };
    const std::set<std::string> executables = {"/usr/bin/lame", "/opt/b/lame", "/lame"};
    std::vector<std::string> asked;
    const auto isExecutable = [&](const std::string& path) {
        asked.push_back(path);
        return executables.contains(path);
    };
    const Case cases[] = {
        {"/usr/local/bin:/usr/bin:/opt/b", "/usr/bin/lame"},
        {"/opt/b/:/usr/bin", "/opt/b/lame"},
        {"/opt/b//", "/opt/b/lame"},
        {"/", "/lame"},
        {"::bin:.:/opt/b", "/opt/b/lame"},
        {"", std::nullopt},
        {"/usr/local/bin", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.searchPath);
        EXPECT_EQ(FindInSearchPath(c.searchPath, "lame", isExecutable), c.found);
    }
    for (const std::string& path : asked) {
        EXPECT_TRUE(path.starts_with('/')) << "relative folders are never searched: " << path;
    }
}

TEST(Locations, EncoderIsFoundOnPathWhenItIsNotBesideTheProgram) {
    ASSERT_FALSE(EncoderBesideProgram());
    const std::string searchPath =
        "/nonexistent:" + std::string(FolderOf(KESTRUNE_LAME, kPosixSeparators));
    test::ScopedEnvironment environment;
    environment.Set("PATH", searchPath);
    EXPECT_EQ(FindEncoder(), std::string(KESTRUNE_LAME));
    environment.Set("PATH", "/nonexistent");
    EXPECT_EQ(FindEncoder(), std::nullopt);
}
#else
TEST(Locations, SettingsAndOutputLiveBesideTheProgramAndHomeIsTheUserProfile) {
    const std::string folder = ProgramFolder();
    EXPECT_EQ(SettingsFilePath(), folder + "Kestrune.ini");
    EXPECT_EQ(DefaultOutputFolder(), folder + "TeMP3\\");
    test::ScopedEnvironment environment;
    environment.Set("USERPROFILE", "C:\\Users\\Пользователь");
    EXPECT_EQ(HomeFolder(), "C:\\Users\\Пользователь\\");
}

TEST(Locations, EncoderIsFoundBesideTheProgramAndNeverOnPath) {
    const test::TempDir dir;
    test::WriteBytes(dir.File("LAME.EXE"), {});
    test::ScopedEnvironment environment;
    environment.Set("PATH", test::Utf8Of(dir.Path()));
    EXPECT_EQ(FindEncoder(), std::nullopt);
    const std::string beside = ProgramFolder() + "LAME.EXE";
    test::WriteBytes(beside, {});
    EXPECT_EQ(FindEncoder(), beside);
    RemoveFile(beside);
}
#endif

TEST(Locations, ProgramFolderHoldsTheRunningProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_TRUE(test::PathOf(folder).is_absolute() && EndsWithSeparator(folder)) << folder;
#ifdef _WIN32
    const std::string program = folder + "test_platform.exe";
#else
    const std::string program = folder + "test_platform";
#endif
    EXPECT_TRUE(std::filesystem::exists(test::PathOf(program)));
}

}  // namespace
}  // namespace kestrune::platform
