// The encoder's argument text for one row of the main window's file list, with the options
// as the controls show them at this moment.
#pragma once

#include "Unit1/EncoderCommandLine.h"
#include "Unit1/MainWindow.h"

#include <string>
#include <string_view>

namespace kestrune::unit1 {

// The row's values by index; an index without an entry reads as empty text.
EncoderRow ReadEncoderRow(const MainWindow& w, int row);

// The argument text of a row with the options the controls show; outputFile is the file the
// encoder writes, picturePath names a file with the row's cover picture, or is empty.
std::string BuildEncoderCommandLine(const MainWindow& w, int row, std::string_view outputFile,
                                    const std::string& picturePath = {});

}  // namespace kestrune::unit1
