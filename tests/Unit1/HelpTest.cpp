// The help button: the help file of the program folder opened through the shell, once.
#include "MainWindowFixture.h"

#include "platform/Paths.h"

#include <filesystem>

namespace kestrune::unit1 {
namespace {

class Help : public MainWindowFixture {};

#ifdef _WIN32
constexpr const char* kHelpFile = "bin/Help.chm";  // beside the program
#else
constexpr const char* kHelpFile = "share/kestrune/help/index.html";  // as installed
#endif

TEST_F(Help, OpensTheHelpFileUnlessItIsMissingOrAlreadyOpen) {
    MainWindow& w = Build();
    w.programFolder = platform::WithTrailingSeparator(dir.File("bin"));
    ASSERT_TRUE(driver.Click(*w.helpButton));
    EXPECT_TRUE(driver.ShellOpens().empty());

    std::filesystem::create_directories(test::PathOf(dir.File(kHelpFile)).parent_path());
    const std::string installed = MakeFile(kHelpFile, 10);
    ASSERT_TRUE(driver.Click(*w.helpButton));
    ASSERT_EQ(driver.ShellOpens().size(), 1u);
    EXPECT_EQ(std::filesystem::weakly_canonical(test::PathOf(driver.ShellOpens()[0])),
              test::PathOf(installed));

    driver.AddForeignWindow("Справка");
    ASSERT_TRUE(driver.Click(*w.helpButton));
    EXPECT_EQ(driver.ShellOpens().size(), 1u);
}

TEST_F(Help, AHelpFolderBesideTheProgramComesFirst) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has one help file, Help.chm beside the program";
#endif
    MainWindow& w = Build();
    w.programFolder = dir.File("bin") + "/";
    std::filesystem::create_directories(dir.Path() / "bin" / "help");
    std::filesystem::create_directories(dir.Path() / "share" / "kestrune" / "help");
    MakeFile("share/kestrune/help/index.html", 10);
    const std::string beside = MakeFile("bin/help/index.html", 10);
    ASSERT_TRUE(driver.Click(*w.helpButton));
    EXPECT_EQ(driver.ShellOpens(), std::vector<std::string>{beside});
}

}  // namespace
}  // namespace kestrune::unit1
