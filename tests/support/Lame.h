// Real MP3 files for tests, encoded by the lame program from a generated tone.
#pragma once

#include <string>

namespace kestrune::test {

// Writes a 16-bit PCM WAV file with a sine tone of the given length.
void WriteToneWav(const std::string& path, double seconds, int sampleRate = 44100,
                  int channels = 2);

// Encodes a tone of the given length with lame and the given options (for example
// "-b 128" or "-V 5 --tt Title") into mp3Path. Fails the current test when lame fails.
void MakeMp3(const std::string& mp3Path, const std::string& lameOptions, double seconds = 2.0,
             int sampleRate = 44100, int channels = 2);

// Quotes a text for the POSIX shell.
std::string ShellQuote(const std::string& text);

}  // namespace kestrune::test
