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

TEST(NeverLarger, CopiesARowWhoseRateIsAtOrBelowTheChosenOne) {
    const struct {
        int sourceRate;
        const char* constantRate;  // nullptr: VBR at vbrQuality
        int vbrQuality;
        bool valid;
        bool copied;
    } cases[] = {
        {96, "128", 0, true, true},    {128, "128", 0, true, true},
        {160, "128", 0, true, false},  {32, "32", 0, true, true},
        {245, nullptr, 0, true, true}, {246, nullptr, 0, true, false},
        {65, nullptr, 9, true, true},  {66, nullptr, 9, true, false},
        {128, nullptr, 5, true, true}, {131, nullptr, 5, true, false},
        {0, "128", 0, false, false},  // no MP3 file: refused, never copied
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.sourceRate) + " against " +
                     (c.constantRate ? c.constantRate : "V" + std::to_string(c.vbrQuality)));
        RunPlan plan;
        plan.neverLarger = true;
        plan.options.variableBitRate = c.constantRate == nullptr;
        plan.options.constantBitRate = !plan.options.variableBitRate;
        plan.options.bitRateText = c.constantRate ? c.constantRate : "";
        plan.options.vbrQuality = c.vbrQuality;
        FileEntry row;
        row.bitRate = c.sourceRate;
        row.valid = c.valid;
        EXPECT_EQ(IsCopiedUnencoded(plan, row), c.copied);
        plan.neverLarger = false;
        EXPECT_FALSE(IsCopiedUnencoded(plan, row));
    }
}

}  // namespace
}  // namespace kestrune::unit1
