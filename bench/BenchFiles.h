// Benchmark input: a folder of small MP3 files copied from three templates made with lame
// (constant bit rate, variable bit rate, and tagged with ID3v1 and ID3v2).
#pragma once

#include <string>
#include <vector>

namespace kestrune::bench {

// Makes count files of the given length in folder, the kinds taking turns, and answers their
// paths. Without withTags the tagged kind is left out.
std::vector<std::string> MakeBenchFiles(const std::string& folder, int count, bool withTags,
                                        int seconds = 1);

}  // namespace kestrune::bench
