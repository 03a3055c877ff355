// The encoder's argument text of a row of the main window: the options as the controls
// show them when it is built, the row's entries and its column-0 name.
#include "MainWindowFixture.h"

#include "Unit1/MainWindowCommandLine.h"

namespace kestrune::unit1 {
namespace {

class MainWindowCommandLine : public MainWindowFixture {};

TEST_F(MainWindowCommandLine, TheControlsAndTheRowAreReadWhenTheLineIsBuilt) {
    MainWindow& w = Build();
    const std::string song = MakeTaggedMp3("a.b.MP3", "Title", 17);
    driver.QueueOpenDialogResult(song);
    driver.Click(*w.addButton);
    const std::string input = " -e n-s --silent \"" + song + "\" \"/out/a.b.mp3\"";

    EXPECT_EQ(BuildEncoderCommandLine(w, 0, "/out"),
              " --mp3input --nohist  -m s -b 32 --tt \"Title\" --ta \"\" --tl \"\" --ty \"\" "
              "--tg \"17\" --id3v1-only" +
                  input);

    driver.Click(*w.monoBox);
    driver.Click(*w.vbrRadio);
    driver.DragTrackBar(*w.qualityTrackBar, 3);
    driver.Click(*w.id3v1Box);
    EXPECT_EQ(BuildEncoderCommandLine(w, 0, "/out"), " --mp3input --nohist  -m m -V 3" + input);
}

TEST_F(MainWindowCommandLine, ARowWithoutEntriesReadsAsEmptyValues) {
    MainWindow& w = Build();
    EXPECT_EQ(BuildEncoderCommandLine(w, 3, "/out"),
              " --mp3input --nohist  -m s -b 32 --tt \"\" --ta \"\" --tl \"\" --ty \"\" --tg \"\" "
              "--id3v1-only -e n-s --silent \"\" \"/out/.mp3\"");
}

}  // namespace
}  // namespace kestrune::unit1
