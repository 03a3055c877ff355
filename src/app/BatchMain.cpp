// kestrune-batch: the window's run without a window, for scripts, scheduled jobs and many
// machines sharing a folder.
#include "Unit1/Mp3Files.h"
#include "Unit1/RunPlan.h"
#include "Unit1/Runner.h"
#include "adCpuUsage/CpuUsageError.h"
#include "adCpuUsage/SystemCpuUsageMonitor.h"
#include "app/BatchArguments.h"
#include "app/ConsoleRunSink.h"
#include "platform/Console.h"
#include "platform/File.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "platform/ProgramArguments.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace kestrune;

constexpr int kAllEncoded = 0;
constexpr int kNotAllEncoded = 1;
constexpr int kWrongArguments = 2;
constexpr int kInterrupted = 130;  // as a shell reports a program ended by Ctrl+C

void Print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

int Refuse(const std::string& reason) {
    Print(stderr, "kestrune-batch: " + reason + "\n\n");
    Print(stderr, app::BatchUsage());
    return kWrongArguments;
}

// Paths from standard input, one a line (a carriage return before the line end dropped) or
// ended by zero bytes.
std::vector<std::string> PathsFromInput(bool nulSeparated) {
    std::vector<std::string> paths;
    std::string path;
    while (std::getline(std::cin, path, nulSeparated ? '\0' : '\n')) {
        if (!nulSeparated && !path.empty() && path.back() == '\r') {
            path.pop_back();
        }
        if (!path.empty()) {
            paths.push_back(path);
        }
    }
    return paths;
}

// The encoder as the window finds it: the one given, the one the settings name when asked
// to take it from there, else the one beside the program or on PATH.
std::optional<std::string> EncoderOf(const app::BatchArguments& arguments) {
    if (arguments.encoderPath) {
        return arguments.encoderPath;
    }
    if (arguments.fromSettings) {
        const std::string stored =
            platform::ReadProfileText(platform::SettingsFilePath(), "Lame", "Patch", "");
        if (platform::IsExistingFile(stored)) {
            return stored;
        }
    }
    return platform::FindEncoder();
}

// A switch on the command line, or in the settings when asked to take it from there.
bool SwitchOf(const app::BatchArguments& arguments, bool given, const char* key) {
    return given ||
           (arguments.fromSettings &&
            platform::ReadProfileText(platform::SettingsFilePath(), "Options", key, "") == "1");
}

int EncodersOf(const app::BatchArguments& arguments) {
    if (arguments.encoders) {
        return *arguments.encoders;
    }
    if (arguments.fromSettings) {
        const std::string stored =
            platform::ReadProfileText(platform::SettingsFilePath(), "Options", "Encoders", "");
        if (!stored.empty()) {
            return unit1::EncodersSettingOf(stored);
        }
    }
    return 0;
}

// The rows of the files given, as the window lists dropped files: the MP3 files of folders
// with their subfolders, each file once. Folders that could not be read are told.
std::vector<unit1::FileEntry> RowsOf(const std::vector<std::string>& paths) {
    const unit1::Mp3Search search = unit1::FindMp3Files(paths);
    for (const std::string& folder : search.unreadableFolders) {
        Print(stderr, folder + ": папку не удалось прочитать\n");
    }
    unit1::FileList list;
    for (const unit1::FoundMp3& file : search.files) {
        if (!list.IsListed(file.path)) {
            list.Append(unit1::EntryOfFile(file.path, file.folderBelow));
        }
    }
    return list.Entries();
}

int Run(const unit1::RunPlan& plan) {
    std::unique_ptr<cpuusage::CpuUsageMonitor> monitor;
    try {
        monitor = cpuusage::CreateSystemCpuUsageMonitor();
    } catch (const cpuusage::CpuUsageError&) {
        Print(stderr, "kestrune-batch: не удаётся читать загрузку процессоров\n");
        return kNotAllEncoded;
    }
    platform::CatchInterrupts();
    app::ConsoleRunSink sink(*monitor, plan.rows.size());
    unit1::ExecuteRunPlan(plan, sink);
    if (sink.Interrupted()) {
        return kInterrupted;
    }
    return sink.AllEncoded() ? kAllEncoded : kNotAllEncoded;
}

int Main(int argc, char** argv) {
    platform::UseUtf8Console();
    const auto parsed = app::ParseBatchArguments(platform::ProgramArguments(argc, argv));
    if (const auto* error = std::get_if<app::ArgumentError>(&parsed)) {
        return Refuse(error->reason);
    }
    const auto& arguments = std::get<app::BatchArguments>(parsed);
    if (arguments.help) {
        Print(stdout, app::BatchUsage());
        return kAllEncoded;
    }
    if (arguments.version) {
        Print(stdout, "kestrune-batch " KESTRUNE_VERSION "\n");
        return kAllEncoded;
    }
    if (!platform::IsFolder(arguments.outputFolder)) {
        return Refuse("папка " + arguments.outputFolder + " не найдена");
    }
    const std::optional<std::string> encoder = EncoderOf(arguments);
    if (!encoder) {
        return Refuse("кодек LAME не найден; укажите его: --encoder ПУТЬ");
    }
    std::vector<std::string> paths = arguments.paths;
    if (arguments.pathsFromInput) {
        std::ranges::move(PathsFromInput(arguments.nulSeparated), std::back_inserter(paths));
    }
    const unit1::RunPlan plan{
        .encoderPath = *encoder,
        .outputFolder = arguments.outputFolder,
        .options = arguments.options,
        .rows = RowsOf(paths),
        .encoders = EncodersOf(arguments),
        .keepFolders = SwitchOf(arguments, arguments.keepFolders, "KeepFolders"),
        .neverLarger = SwitchOf(arguments, arguments.neverLarger, "NeverLarger")};
    if (arguments.dryRun) {
        for (std::size_t row = 0; row < plan.rows.size(); ++row) {
            const unit1::FileEntry& entry = plan.rows[row];
            const std::string output =
                unit1::OutputPath(unit1::OutputFolderOfRow(plan, entry), entry.outputName);
            // A row that would be copied has no encoder line; a comment tells it instead.
            Print(stdout, (unit1::IsCopiedUnencoded(plan, entry)
                               ? "# copy " + entry.sourcePath + " -> " + output
                               : unit1::EncoderLineOfRow(plan, row, output)) +
                              "\n");
        }
        return kAllEncoded;
    }
    return Run(plan);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (...) {
        // Out of memory and the like: every output already in place is whole, so say so
        // plainly rather than let the runtime end the program with an English line.
        std::fputs("kestrune-batch: непредвиденная ошибка, работа прервана\n", stderr);
        return kNotAllEncoded;
    }
}
