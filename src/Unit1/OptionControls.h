// The encoder options as the controls show them: constant or variable bit rate, the bit
// rate chosen with the arrows, and the record the command line is built from.
#pragma once

#include "Unit1/EncoderOptions.h"
#include "Unit1/MainWindow.h"

#include <array>

namespace kestrune::unit1 {

// Enables the quality controls for variable and the bit-rate controls for constant bit
// rate; disabled controls keep their values.
void ApplyRateMode(MainWindow& w);

// Shows the bit rate at the arrows' position.
void ShowBitRate(MainWindow& w);

// The options as the controls hold them at this moment.
EncoderOptions ReadEncoderOptions(const MainWindow& w);

// Sets the controls to the options; the arrows stand at the bit rate shown (at the first one
// for a bit rate that is not offered). The rate mode is applied separately (ApplyRateMode).
void ShowEncoderOptions(MainWindow& w, const EncoderOptions& options);

}  // namespace kestrune::unit1
