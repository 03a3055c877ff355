// What a plan makes of each row: its encoder line, its output's folder, whether it is
// copied; and the numbers of encoders at once, as a run uses them and the settings store them.
#include "Unit1/RunPlan.h"

#include "platform/Paths.h"
#include "platform/Process.h"

#include <algorithm>
#include <charconv>
#include <thread>

namespace kestrune::unit1 {

std::string EncoderLineOfRow(const RunPlan& plan, std::size_t row, std::string_view outputFile,
                             const std::string& picturePath) {
    const FileEntry& entry = plan.rows.at(row);
    return FullEncoderCommandLine(plan.encoderPath, plan.options,
                                  {.sourcePath = entry.sourcePath,
                                   .title = entry.title,
                                   .artist = entry.artist,
                                   .album = entry.album,
                                   .year = entry.year,
                                   .genre = entry.genre,
                                   .outputName = entry.outputName,
                                   .track = entry.track,
                                   .comment = entry.comment,
                                   .picturePath = picturePath},
                                  outputFile);
}

std::string OutputFolderOfRow(const RunPlan& plan, const FileEntry& row) {
    return plan.keepFolders && !row.folderBelow.empty()
               ? platform::JoinPath(plan.outputFolder, row.folderBelow)
               : plan.outputFolder;
}

int TargetBitRate(const EncoderOptions& options) {
    if (options.variableBitRate) {
        return kNominalVbrRates.at(
            static_cast<std::size_t>(std::clamp(options.vbrQuality, kBestQuality, kLowestQuality)));
    }
    int rate = 0;
    const std::string& text = options.bitRateText;
    std::from_chars(text.data(), text.data() + text.size(), rate);
    return rate;
}

bool IsCopiedUnencoded(const RunPlan& plan, const FileEntry& row) {
    // A row that is no MP3 file has no rate to compare; it is refused, never copied.
    return plan.neverLarger && row.valid && row.bitRate <= TargetBitRate(plan.options);
}

std::size_t EncodersAtOnce(int setting) {
    if (setting == 0) {
        setting = static_cast<int>(std::thread::hardware_concurrency());
    }
    return static_cast<std::size_t>(std::clamp(setting, 1, platform::kMostWaitedProcesses));
}

int EncodersSettingOf(const std::string& stored) {
    int encoders = -1;
    const char* end = stored.data() + stored.size();
    const auto [stop, error] = std::from_chars(stored.data(), end, encoders);
    if (error == std::errc::result_out_of_range && stop == end && stored.front() != '-') {
        return platform::kMostWaitedProcesses;
    }
    if (error != std::errc() || stop != end || encoders < 0) {
        return 1;
    }
    return std::min(encoders, platform::kMostWaitedProcesses);
}

}  // namespace kestrune::unit1
