// Real MP3 files for tests, encoded by the lame program from a generated tone.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Skips the current test, saying why, where no lame is at hand.
#define KESTRUNE_SKIP_WITHOUT_LAME()          \
    if (!::kestrune::test::LameIsAvailable()) \
    GTEST_SKIP() << "no LAME.EXE for Windows was given to the build (KESTRUNE_WINDOWS_LAME)"

namespace kestrune::test {

// Writes a 16-bit PCM WAV file with a sine tone of the given length.
void WriteToneWav(const std::string& path, double seconds, int sampleRate = 44100,
                  int channels = 2);

// True when there is a lame to encode with: always on POSIX; on Windows when a LAME.EXE was
// given to the build.
bool LameIsAvailable();

// Encodes a tone of the given length with lame and the given options, a command-line text
// with the Windows quoting rules (for example "-b 128" or "-V 5 --tt \"A title\""), into
// mp3Path. Fails the current test when lame fails.
void MakeMp3(const std::string& mp3Path, const std::string& lameOptions, double seconds = 2.0,
             int sampleRate = 44100, int channels = 2);

}  // namespace kestrune::test
