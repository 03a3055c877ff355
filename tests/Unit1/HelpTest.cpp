// The help button: the help file of the program folder opened through the shell, once.
#include "MainWindowFixture.h"

#include <filesystem>

namespace kestrune::unit1 {
namespace {

class Help : public MainWindowFixture {};

TEST_F(Help, OpensTheHelpFileUnlessItIsMissingOrAlreadyOpen) {
    MainWindow& w = Build();
    w.programFolder = dir.File("bin") + "/";
    ASSERT_TRUE(driver.Click(*w.helpButton));
    EXPECT_TRUE(driver.ShellOpens().empty());

    std::filesystem::create_directories(dir.Path() / "share" / "kestrune" / "help");
    const std::string installed = MakeFile("share/kestrune/help/index.html", 10);
    ASSERT_TRUE(driver.Click(*w.helpButton));
    ASSERT_EQ(driver.ShellOpens().size(), 1u);
    EXPECT_EQ(std::filesystem::weakly_canonical(driver.ShellOpens()[0]), installed);

    driver.AddForeignWindow("Справка");
    ASSERT_TRUE(driver.Click(*w.helpButton));
    EXPECT_EQ(driver.ShellOpens().size(), 1u);
}

TEST_F(Help, AHelpFolderBesideTheProgramComesFirst) {
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
