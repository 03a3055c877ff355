// The bit-rate group: which controls each rate mode enables, the bit rates of the arrows,
// and the options record read from the controls.
#include "MainWindowFixture.h"

#include "Unit1/OptionControls.h"

namespace kestrune::unit1 {
namespace {

using toolkit::headless::Arrow;

class OptionControls : public MainWindowFixture {};

TEST_F(OptionControls, EachRateModeEnablesItsOwnControlsAndKeepsTheOthersValues) {
    MainWindow& w = Build();
    const std::vector<const toolkit::Control*> quality{w.qualityTrackBar, w.higherLabel,
                                                       w.lowerLabel, w.qualityLabel};
    const std::vector<const toolkit::Control*> bitRate{w.bitRateLabel, w.bitRateUpDown,
                                                       w.kbpsLabel};
    auto expectEnabled = [](const std::vector<const toolkit::Control*>& controls, bool enabled) {
        for (const toolkit::Control* control : controls) {
            EXPECT_EQ(control->IsEnabled(), enabled);
        }
    };

    ASSERT_TRUE(driver.ReleaseUpDown(*w.bitRateUpDown, Arrow::Up));
    ASSERT_TRUE(driver.Click(*w.vbrRadio));
    expectEnabled(quality, true);
    expectEnabled(bitRate, false);
    ASSERT_TRUE(driver.DragTrackBar(*w.qualityTrackBar, 2));

    ASSERT_TRUE(driver.Click(*w.cbrRadio));
    expectEnabled(quality, false);
    expectEnabled(bitRate, true);
    EXPECT_EQ(w.bitRateLabel->Text(), "40");
    EXPECT_EQ(w.qualityTrackBar->Position(), 2);
}

TEST_F(OptionControls, TheBitRateControlsStayShownOverTheSliderAndTheModeInUseIsOnTop) {
    MainWindow& w = Build();
    const std::vector<const toolkit::Control*> bitRate{w.bitRateLabel, w.bitRateUpDown,
                                                       w.kbpsLabel};
    const std::vector<const toolkit::Control*> qualityLabels{w.higherLabel, w.lowerLabel,
                                                             w.qualityLabel};
    for (toolkit::RadioButton* mode : {w.cbrRadio, w.vbrRadio, w.cbrRadio}) {
        SCOPED_TRACE(mode->Text());
        ASSERT_TRUE(driver.Click(*mode));
        const bool variable = mode == w.vbrRadio;
        for (const toolkit::Control* control : bitRate) {
            EXPECT_TRUE(control->IsVisible());
            EXPECT_TRUE(driver.IsAbove(*control, *w.qualityTrackBar));
            for (const toolkit::Control* label : qualityLabels) {
                EXPECT_EQ(driver.IsAbove(*label, *control), variable);
            }
        }
    }
}

TEST_F(OptionControls, TheArrowsStepThroughTheTwelveBitRates) {
    MainWindow& w = Build();
    const struct {
        Arrow arrow;
        int presses;
        const char* shown;
    } steps[] = {{Arrow::Up, 2, "48"},  {Arrow::Up, 7, "160"}, {Arrow::Up, 1, "224"},
                 {Arrow::Up, 1, "256"}, {Arrow::Up, 1, "256"}, {Arrow::Down, 11, "32"},
                 {Arrow::Down, 1, "32"}};
    for (const auto& step : steps) {
        for (int press = 0; press < step.presses; ++press) {
            ASSERT_TRUE(driver.ReleaseUpDown(*w.bitRateUpDown, step.arrow));
        }
        EXPECT_EQ(w.bitRateLabel->Text(), step.shown);
    }
}

TEST_F(OptionControls, TheOptionsAreWhatTheControlsShowNow) {
    MainWindow& w = Build();
    const EncoderOptions atStart = ReadEncoderOptions(w);
    const EncoderOptions defaults;
    EXPECT_EQ(atStart.mono, defaults.mono);
    EXPECT_EQ(atStart.constantBitRate, defaults.constantBitRate);
    EXPECT_EQ(atStart.variableBitRate, defaults.variableBitRate);
    EXPECT_EQ(atStart.bitRateText, defaults.bitRateText);
    EXPECT_EQ(atStart.vbrQuality, defaults.vbrQuality);
    EXPECT_EQ(atStart.tagV1, defaults.tagV1);
    EXPECT_EQ(atStart.tagV2, defaults.tagV2);

    driver.Click(*w.monoBox);
    driver.ReleaseUpDown(*w.bitRateUpDown, Arrow::Up);
    driver.Click(*w.vbrRadio);
    driver.DragTrackBar(*w.qualityTrackBar, 0);
    driver.Click(*w.id3v1Box);
    driver.Click(*w.id3v2Box);
    const EncoderOptions changed = ReadEncoderOptions(w);
    EXPECT_TRUE(changed.mono);
    EXPECT_FALSE(changed.constantBitRate);
    EXPECT_TRUE(changed.variableBitRate);
    EXPECT_EQ(changed.bitRateText, "40");
    EXPECT_EQ(changed.vbrQuality, 0);
    EXPECT_FALSE(changed.tagV1);
    EXPECT_TRUE(changed.tagV2);
}

}  // namespace
}  // namespace kestrune::unit1
