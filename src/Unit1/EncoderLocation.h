// Asking the user where the encoder is when it cannot be found, and the message that says
// the program cannot work without it.
#pragma once

#include "Unit1/MainWindow.h"
#include "platform/Paths.h"

#include <string>
#include <string_view>

namespace kestrune::unit1 {

// The five lines that tell where the encoder can be downloaded.
std::string EncoderMissingMessage();

// True when the path's file name, upper-cased in ASCII, equals the encoder's upper-cased
// name ("LAME.EXE" on Windows, "LAME" elsewhere). The contents are not examined.
bool IsEncoderFileName(std::string_view path, std::string_view upperCaseName,
                       platform::PathSeparators separators);

// Asks whether to look for the encoder and lets the user pick it. A picked encoder becomes
// encoderPath; any other outcome tells that the program cannot work without it and posts a
// close request to the window.
void LocateEncoder(MainWindow& w);

}  // namespace kestrune::unit1
