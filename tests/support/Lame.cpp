// Real MP3 files for tests: a WAV tone written here, encoded by lame started through the
// program's own launcher.
#include "support/Lame.h"

#include "platform/CommandLine.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

namespace kestrune::test {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

void WriteToneWav(const std::string& path, double seconds, int sampleRate, int channels) {
    const auto frames = static_cast<std::uint32_t>(seconds * sampleRate);
    const std::uint32_t dataSize = frames * static_cast<std::uint32_t>(channels) * 2;
    std::vector<std::uint8_t> wav{'R', 'I', 'F', 'F'};
    PutLittleEndian(wav, 36 + dataSize, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);
    PutLittleEndian(wav, static_cast<std::uint32_t>(channels), 2);
    PutLittleEndian(wav, static_cast<std::uint32_t>(sampleRate), 4);
    PutLittleEndian(wav, static_cast<std::uint32_t>(sampleRate * channels * 2), 4);
    PutLittleEndian(wav, static_cast<std::uint32_t>(channels * 2), 2);
    PutLittleEndian(wav, 16, 2);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    PutLittleEndian(wav, dataSize, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        // A tone that wanders in pitch, so VBR encodings really vary their frame sizes.
        const double t = static_cast<double>(i) / sampleRate;
        const double value = 0.4 * std::sin(2 * std::numbers::pi * (440 + 300 * std::sin(t)) * t);
        const auto sample = static_cast<std::int16_t>(value * 32767);
        for (int c = 0; c < channels; ++c) {
            PutLittleEndian(wav, static_cast<std::uint16_t>(sample), 2);
        }
    }
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    ASSERT_TRUE(out.good());
}

bool LameIsAvailable() {
    return std::filesystem::is_regular_file(PathOf(KESTRUNE_LAME));
}

void MakeMp3(const std::string& mp3Path, const std::string& lameOptions, double seconds,
             int sampleRate, int channels) {
    const std::string wavPath = mp3Path + ".wav";
    WriteToneWav(wavPath, seconds, sampleRate, channels);
    const std::string commandLine = platform::QuoteArgument(KESTRUNE_LAME) + " --quiet " +
                                    lameOptions + " " + platform::QuoteArgument(wavPath) + " " +
                                    platform::QuoteArgument(mp3Path);
    const ProgramRun run = RunProgram(commandLine);
    std::filesystem::remove(PathOf(wavPath));
    ASSERT_EQ(run.status, 0) << commandLine << "\n" << run.errorOutput;
}

}  // namespace kestrune::test
