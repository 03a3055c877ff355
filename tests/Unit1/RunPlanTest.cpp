// The run's plan made from the window: the options as the controls show them when it is made,
// and every row's entries as the list holds them.
#include "MainWindowFixture.h"

#include "Unit1/BatchRun.h"

namespace kestrune::unit1 {
namespace {

class RunPlanOfWindow : public MainWindowFixture {};

TEST_F(RunPlanOfWindow, TheControlsAndTheRowsAreReadWhenThePlanIsMade) {
    MainWindow& w = Build();
    const std::string song = MakeTaggedMp3("a.b.MP3", "Title", 17);
    driver.QueueOpenDialogResult(song);
    driver.Click(*w.addButton);
    w.outputFolder = dir.File("out");
    w.encoders = 3;

    RunPlan plan = PlanOfWindow(w);
    EXPECT_EQ(plan.encoderPath, w.encoderPath);
    EXPECT_EQ(plan.outputFolder, dir.File("out"));
    EXPECT_EQ(plan.encoders, 3);
    ASSERT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(plan.rows[0].sourcePath, song);
    EXPECT_EQ(plan.rows[0].outputName, "a.b");
    EXPECT_EQ(plan.rows[0].title, "Title");
    EXPECT_EQ(plan.rows[0].genre, "17");
    EXPECT_EQ(FullEncoderCommandLine(plan.encoderPath, plan.options, {}, "/out/x"),
              FullEncoderCommandLine(plan.encoderPath, EncoderOptions{}, {}, "/out/x"));

    driver.Click(*w.monoBox);
    driver.Click(*w.vbrRadio);
    driver.DragTrackBar(*w.qualityTrackBar, 3);
    driver.Click(*w.id3v1Box);
    plan = PlanOfWindow(w);
    EXPECT_TRUE(plan.options.mono);
    EXPECT_TRUE(plan.options.variableBitRate);
    EXPECT_FALSE(plan.options.constantBitRate);
    EXPECT_EQ(plan.options.vbrQuality, 3);
    EXPECT_FALSE(plan.options.tagV1);
}

}  // namespace
}  // namespace kestrune::unit1
