// The report box at the end of a run: it fits the screen however many rows failed, tells two
// rows of one name apart, never shows a temporary name of the program's, and says why a run
// was interrupted after the rows that failed before and the rows copied rather than enlarged.
#include "Unit1/RunReport.h"

#include <gtest/gtest.h>

namespace kestrune::unit1 {
namespace {

RowResult Row(int row, std::string name, std::string source,
              RowFailure failure = RowFailure::Aborted) {
    return {.row = row,
            .name = std::move(name),
            .sourcePath = std::move(source),
            .outputPath = {},
            .failure = failure};
}

TEST(RunReport, ListsTheFirstRowsInListOrderThenHowManyMoreAndWhyTheRunStopped) {
    std::vector<RowResult> many;
    for (int row = 24; row >= 0; --row) {
        many.push_back(Row(row, "r" + std::to_string(row), "/m/r.mp3"));
    }
    const std::string text = RunReportText(many, 0, RunInterruption::unexpectedFailure);
    std::string expected = "Не все файлы удалось сжать:\r\n";
    for (int row = 0; row < 20; ++row) {
        expected += "\r\nr" + std::to_string(row) + " — прервано";
    }
    expected += "\r\n… и ещё 5\r\n\r\nСжатие прервано из-за непредвиденной ошибки программы.";
    EXPECT_EQ(text, expected);

    EXPECT_EQ(
        RunReportText({Row(0, "Песня", "/a/Песня.mp3", RowFailure::NotMp3), Row(1, "b", "/b/b.mp3"),
                       Row(2, "Песня", "/c/Песня.mp3", RowFailure::SourceMissing)},
                      2, RunInterruption::outOfMemory),
        "Не все файлы удалось сжать:\r\n\r\n/a/Песня.mp3 — не является файлом MP3"
        "\r\nb — прервано\r\n/c/Песня.mp3 — исходный файл не найден или недоступен"
        "\r\n\r\nСкопировано без сжатия, чтобы не сделать файл больше исходного: 2."
        "\r\n\r\nСжатие прервано: не хватило памяти.");
    EXPECT_EQ(RunReportText({}, 1),
              "Скопировано без сжатия, чтобы не сделать файл больше исходного: 1.");
}

TEST(RunReport, TheEncodersWordsNameTheOutputNotThePartialFile) {
    EXPECT_EQ(WithOutputName("Can't init outfile '/out/.kestrune-0a1b2c3d.part'",
                             "/out/.kestrune-0a1b2c3d.part", "/out/Песня.mp3"),
              "Can't init outfile '/out/Песня.mp3'");
    EXPECT_EQ(WithOutputName("error writing .kestrune-0a1b2c3d.part",
                             "/out/.kestrune-0a1b2c3d.part", "/out/Песня.mp3"),
              "error writing Песня.mp3");
}

}  // namespace
}  // namespace kestrune::unit1
