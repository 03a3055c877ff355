// Asking for the encoder when none is found: the question, the search dialog, the name
// check, the encoder-missing message, and the close that follows every failure.
#include "MainWindowFixture.h"

#include "Unit1/EncoderLocation.h"
#include "platform/Locations.h"
#include "platform/Profile.h"

namespace kestrune::unit1 {
namespace {

using toolkit::MessageAnswer;
using toolkit::MessageButtons;
using toolkit::MessageIcon;

constexpr const char* kQuestion = "Не найден кодек LAME.EXE\r\n         Будем искать?";

#ifdef _WIN32
constexpr const char* kEncoderName = "Lame.Exe";
const toolkit::FileFilter kEncoderFilter{"MP3 Encoder LAME.EXE", "LAME.EXE"};
constexpr const char* kSearchFolder = "C:\\";
#else
constexpr const char* kEncoderName = "Lame";
const toolkit::FileFilter kEncoderFilter{"MP3 Encoder LAME", "lame"};
constexpr const char* kSearchFolder = "/usr/bin/";
#endif

TEST(EncoderLocation, TheMissingMessageHasItsFiveLinesWithTheirBlanks) {
    EXPECT_EQ(EncoderMissingMessage(),
              "К сожалению, без LAME.EXE программа не будет работать\r\n"
              "       Рабочую версию кодека можно взять здесь:\r\n"
              "           " KESTRUNE_DOWNLOAD_SITE
              "/progs/lame.zip\r\n"
              "                   или здесь:\r\n"
              "             https://lame.sourceforge.io/ ");
}

TEST(EncoderLocation, ThePickedFileIsJudgedByItsNameAlone) {
    const struct {
        const char* path;
        std::string_view name;
        platform::PathSeparators separators;
        bool accepted;
    } cases[] = {
        {"C:\\Programs\\Lame.Exe", "LAME.EXE", platform::kWindowsSeparators, true},
        {"D:lame.exe", "LAME.EXE", platform::kWindowsSeparators, true},
        {"C:\\Programs\\lame2.exe", "LAME.EXE", platform::kWindowsSeparators, false},
        {"C:\\lame.exe\\x.exe", "LAME.EXE", platform::kWindowsSeparators, false},
        {"C:/Programs/LAME.EXE", "LAME.EXE", platform::kWindowsSeparators, true},
        {"/usr/bin/lame", "LAME", platform::kPosixSeparators, true},
        {"/opt/Lame", "LAME", platform::kPosixSeparators, true},
        {"/usr/bin/lame.exe", "LAME", platform::kPosixSeparators, false},
        {"/usr/bin/lame2", "LAME", platform::kPosixSeparators, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsEncoderFileName(c.path, c.name, c.separators), c.accepted);
    }
}

class LocateEncoderAtStart : public MainWindowFixture {
protected:
    LocateEncoderAtStart() { RemoveEncoder(); }

    // The settings file's encoder after the window has handled its posted close.
    std::string StoredEncoderAfterClose() {
        EXPECT_FALSE(main->window->IsClosed()) << "the close must be posted, not sent";
        toolkit::ProcessMessages();
        EXPECT_TRUE(main->window->IsClosed());
        return platform::ReadProfileText(platform::SettingsFilePath(), "Lame", "Patch", "?");
    }
};

TEST_F(LocateEncoderAtStart, APickedEncoderIsAcceptedInAnyLetterCase) {
    const std::string picked = dir.File(kEncoderName);
    driver.QueueMessageAnswer(MessageAnswer::Yes);
    driver.QueueOpenDialogResult(picked);
    MainWindow& w = Build();

    ASSERT_EQ(driver.ShownMessages().size(), 1u);
    const auto& question = driver.ShownMessages()[0];
    EXPECT_EQ(question.text, kQuestion);
    EXPECT_EQ(question.caption, "Kestrune");
    EXPECT_EQ(question.owner, w.window.get());
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    ASSERT_EQ(driver.OpenDialogRequests().size(), 1u);
    const auto& search = driver.OpenDialogRequests()[0];
    EXPECT_EQ(search.filters, std::vector<toolkit::FileFilter>{kEncoderFilter});
    EXPECT_EQ(search.initialFolder, kSearchFolder);
    EXPECT_EQ(search.title, "Поиск кодека LAME");
    EXPECT_EQ(w.encoderPath, picked);
    toolkit::ProcessMessages();
    EXPECT_FALSE(w.window->IsClosed());

    // The dialog is shared: adding files asks with the platform's own title.
    driver.QueueOpenDialogResult(std::nullopt);
    ASSERT_TRUE(driver.Click(*w.addButton));
    ASSERT_EQ(driver.OpenDialogRequests().size(), 2u);
    EXPECT_EQ(driver.OpenDialogRequests()[1].title, "");
}

TEST_F(LocateEncoderAtStart, EveryOtherOutcomeIsToldThenClosesTheWindowAndStillWritesTheSettings) {
    const struct {
        const char* name;
        MessageAnswer answer;
        std::optional<std::string> picked;
        MessageIcon icon;
    } cases[] = {
        {"another name", MessageAnswer::Yes, "/somewhere/lame2", MessageIcon::None},
        {"search cancelled", MessageAnswer::Yes, std::nullopt, MessageIcon::None},
        {"declined", MessageAnswer::No, std::nullopt, MessageIcon::Information},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const toolkit::headless::HeadlessDriver recordsCleared;
        driver.QueueMessageAnswer(c.answer);
        if (c.answer == MessageAnswer::Yes) {
            driver.QueueOpenDialogResult(c.picked);
        }
        driver.QueueMessageAnswer(MessageAnswer::Ok);
        MainWindow& w = Build();
        EXPECT_EQ(driver.PendingAnswers(), 0u);
        ASSERT_EQ(driver.ShownMessages().size(), 2u);
        const auto& missing = driver.ShownMessages()[1];
        EXPECT_EQ(missing.text, EncoderMissingMessage());
        EXPECT_EQ(missing.buttons, MessageButtons::Ok);
        EXPECT_EQ(missing.icon, c.icon);
        EXPECT_EQ(missing.caption, "Kestrune");
        // The failed value is what the close writes: the program folder, a folder.
        EXPECT_EQ(StoredEncoderAfterClose(), w.programFolder);
    }
}

}  // namespace
}  // namespace kestrune::unit1
