// Where the settings, the default output and the encoder are looked for on POSIX.
#include "platform/Locations.h"

#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrune::platform {
namespace {

// Sets or unsets an environment variable for the life of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const char* value) {
        if (value != nullptr) {
            ::setenv(name_, value, 1);
        } else {
            ::unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> old_;
};

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
        const ScopedEnvironment xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
        const ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(SettingsFilePath(), c.settings);
    }
}

TEST(Locations, OutputFolderIsTeMP3InTheHomeFolderFromTheUserDatabaseWithoutHome) {
    {
        const ScopedEnvironment home("HOME", "/home/Пользователь");
        EXPECT_EQ(HomeFolder(), "/home/Пользователь/");
        EXPECT_EQ(DefaultOutputFolder(), "/home/Пользователь/TeMP3/");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative"}) {
        const ScopedEnvironment home("HOME", unusable);
        const std::string folder = HomeFolder();
        ASSERT_TRUE(folder.starts_with('/')) << folder;
        EXPECT_TRUE(folder.ends_with('/'));
        EXPECT_EQ(DefaultOutputFolder(), folder + "TeMP3/");
    }
}

TEST(Locations, ProgramFolderHoldsTheRunningProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_TRUE(folder.starts_with('/') && folder.ends_with('/')) << folder;
    EXPECT_TRUE(std::filesystem::exists(folder + "test_platform"));
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
    const ScopedEnvironment path("PATH", searchPath.c_str());
    EXPECT_EQ(FindEncoder(), std::string(KESTRUNE_LAME));
    const ScopedEnvironment nowhere("PATH", "/nonexistent");
    EXPECT_EQ(FindEncoder(), std::nullopt);
}

}  // namespace
}  // namespace kestrune::platform
