// Handlers of the bit-rate group and the reading of every option control.
#include "Unit1/OptionControls.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace kestrune::unit1 {

void ApplyRateMode(MainWindow& w) {
    using Controls = std::initializer_list<toolkit::Control*>;
    const Controls qualityLabels{w.higherLabel, w.lowerLabel, w.qualityLabel};
    const Controls bitRateControls{w.bitRateLabel, w.bitRateUpDown, w.kbpsLabel};
    const bool variable = w.vbrRadio->IsChecked();
    w.qualityTrackBar->SetEnabled(variable);
    for (toolkit::Control* control : qualityLabels) {
        control->SetEnabled(variable);
    }
    const bool constant = w.cbrRadio->IsChecked();
    for (toolkit::Control* control : bitRateControls) {
        control->SetEnabled(constant);
    }
    // The bit-rate controls stand over the lower part of the slider and reach below it: drawn
    // over it in both modes, greyed or not, they leave no strip of themselves under it. Where
    // the labels of the two modes overlap, those in use are on top.
    for (toolkit::Control* control : constant ? qualityLabels : bitRateControls) {
        control->BringToFront();
    }
    for (toolkit::Control* control : constant ? bitRateControls : qualityLabels) {
        control->BringToFront();
    }
}

void ShowBitRate(MainWindow& w) {
    const int position = std::clamp(w.bitRateUpDown->Position(), 0, kBitRateCount - 1);
    w.bitRateLabel->SetText(std::to_string(kBitRates[position]));
}

void ShowEncoderOptions(MainWindow& w, const EncoderOptions& options) {
    w.monoBox->SetChecked(options.mono);
    w.cbrRadio->SetChecked(options.constantBitRate);
    w.vbrRadio->SetChecked(options.variableBitRate);
    const auto offered = std::ranges::find(kBitRates, std::atoi(options.bitRateText.c_str()));
    w.bitRateUpDown->SetPosition(
        offered == kBitRates.end() ? 0 : static_cast<int>(offered - kBitRates.begin()));
    w.bitRateLabel->SetText(options.bitRateText);
    w.qualityTrackBar->SetPosition(options.vbrQuality);
    w.id3v1Box->SetChecked(options.tagV1);
    w.id3v2Box->SetChecked(options.tagV2);
}

EncoderOptions ReadEncoderOptions(const MainWindow& w) {
    return EncoderOptions{.mono = w.monoBox->IsChecked(),
                          .constantBitRate = w.cbrRadio->IsChecked(),
                          .variableBitRate = w.vbrRadio->IsChecked(),
                          .bitRateText = w.bitRateLabel->Text(),
                          .vbrQuality = w.qualityTrackBar->Position(),
                          .tagV1 = w.id3v1Box->IsChecked(),
                          .tagV2 = w.id3v2Box->IsChecked()};
}

}  // namespace kestrune::unit1
