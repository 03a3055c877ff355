// How many files per second MpegAudioInfo::ReadFromFile analyses, over 2,000 small files
// with and without tags (warm file cache).
#include "BenchFiles.h"
#include "MPEGaudio/MpegAudioInfo.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void AnalyseFiles(benchmark::State& state, bool withTags) {
    const std::string folder = (std::filesystem::temp_directory_path() /
                                (withTags ? "kestrune-bench-tags" : "kestrune-bench-plain"))
                                   .string();
    const auto paths = kestrune::bench::MakeBenchFiles(folder, 2000, withTags);
    kestrune::mpeg::MpegAudioInfo info;
    for (auto _ : state) {
        for (const std::string& path : paths) {
            benchmark::DoNotOptimize(info.ReadFromFile(path));
        }
    }
    state.counters["files/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * paths.size()), benchmark::Counter::kIsRate);
    std::filesystem::remove_all(folder);
}

void BM_ReadFromFileWithoutTags(benchmark::State& state) {
    AnalyseFiles(state, false);
}
void BM_ReadFromFileWithTags(benchmark::State& state) {
    AnalyseFiles(state, true);
}

BENCHMARK(BM_ReadFromFileWithoutTags)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFromFileWithTags)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
