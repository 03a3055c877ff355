// Judges each encoder's end and words the report of a run's failed rows.
#include "Unit1/RunReport.h"

#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::unit1 {

namespace {

constexpr std::size_t kMaxDetailCharacters = 200;
// Rows the report names one by one; a box of this many lines fits a screen 768 pixels high.
constexpr std::size_t kMostReportedRows = 20;
// A line longer than this is cut, so that the box stays narrower than the screen.
constexpr std::size_t kMostLineCharacters = 150;
constexpr const char* kCopiedRows =
    "Скопировано без сжатия, чтобы не сделать файл больше исходного: ";

std::string WithDetail(const std::string& reason, const std::string& detail) {
    return detail.empty() ? reason : reason + ": " + detail;
}

std::string Reason(const RowResult& row) {
    switch (*row.failure) {
        case RowFailure::SourceMissing:
            return "исходный файл не найден или недоступен";
        case RowFailure::NotMp3:
            return "не является файлом MP3";
        case RowFailure::NotStarted:
            return WithDetail("не удалось запустить кодек", row.detail);
        case RowFailure::EncoderError:
            return WithDetail("ошибка кодека", row.detail);
        case RowFailure::StoppedAsIdle:
            return "кодек завис и был остановлен";
        case RowFailure::Aborted:
            return "прервано";
        case RowFailure::Skipped:
            return "пропущен: сжатый файл записался бы поверх исходного";
        case RowFailure::TagsNotWritten:
            return "не удалось записать теги в сжатый файл";
        case RowFailure::NotSaved:
            return "сжатый файл не удалось записать в папку";
    }
    return {};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string StartErrorText(const platform::StartError& error) {
    using Kind = platform::StartError::Kind;
    switch (error.kind) {
        case Kind::programNotFound:
            return "программа кодека не найдена";
        case Kind::accessDenied:
            return "нет доступа к программе кодека";
        case Kind::noResources:
            return "системе не хватает ресурсов";
        case Kind::other:
            break;
    }
    return "системная ошибка " + std::to_string(error.systemCode);
}

std::optional<RowFailure> EncoderOutcome(bool killedByWatchdog, bool abortedByUser,
                                         const std::optional<platform::ProcessExit>& exit) {
    if (killedByWatchdog) {
        return RowFailure::StoppedAsIdle;
    }
    if (abortedByUser) {
        return RowFailure::Aborted;
    }
    if (!exit || exit->code != 0 || exit->signal != 0) {
        return RowFailure::EncoderError;
    }
    return std::nullopt;
}

std::string LastErrorLine(std::string_view stdErrTail) {
    while (!stdErrTail.empty() && IsBlank(stdErrTail.back())) {
        stdErrTail.remove_suffix(1);
    }
    const std::size_t lineStart = stdErrTail.find_last_of("\r\n");
    std::string_view line =
        lineStart == std::string_view::npos ? stdErrTail : stdErrTail.substr(lineStart + 1);
    while (!line.empty() && IsBlank(line.front())) {
        line.remove_prefix(1);
    }
    const std::string text = platform::SanitiseUtf8(line);
    return std::string(platform::FirstCharacters(text, kMaxDetailCharacters));
}

std::string WithOutputName(std::string text, std::string_view partialPath,
                           std::string_view outputPath) {
    for (const auto& [from, to] :
         {std::pair{partialPath, outputPath},
          std::pair{platform::FileNameOf(partialPath), platform::FileNameOf(outputPath)}}) {
        for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
             at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

std::string FailureText(const RowResult& row) {
    return row.failure ? Reason(row) : std::string();
}

std::string RunReportText(std::vector<RowResult> failures, int copiedRows,
                          std::optional<RunInterruption> interruption) {
    std::ranges::stable_sort(failures, {}, &RowResult::row);
    // An interrupted run has not compressed every file either.
    std::string text = failures.empty() && !interruption ? "" : "Не все файлы удалось сжать:\r\n";
    for (std::size_t i = 0; i < failures.size() && i < kMostReportedRows; ++i) {
        const RowResult& row = failures[i];
        const bool nameShared = std::ranges::count(failures, row.name, &RowResult::name) > 1;
        const std::string line =
            (nameShared ? row.sourcePath : row.name) + " — " + FailureText(row);
        text += "\r\n" + std::string(platform::FirstCharacters(line, kMostLineCharacters));
        if (platform::CountCharacters(line) > kMostLineCharacters) {
            text += "…";
        }
    }
    if (failures.size() > kMostReportedRows) {
        text += "\r\n… и ещё " + std::to_string(failures.size() - kMostReportedRows);
    }
    if (copiedRows > 0) {
        text += (text.empty() ? "" : "\r\n\r\n") + std::string(kCopiedRows) +
                std::to_string(copiedRows) + ".";
    }
    if (interruption) {
        text += *interruption == RunInterruption::outOfMemory
                    ? "\r\n\r\nСжатие прервано: не хватило памяти."
                    : "\r\n\r\nСжатие прервано из-за непредвиденной ошибки программы.";
    }
    return text;
}

}  // namespace kestrune::unit1
