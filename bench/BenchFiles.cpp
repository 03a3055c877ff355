#include "BenchFiles.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kestrune::bench {

namespace {

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

}  // namespace

std::vector<std::string> MakeBenchFiles(const std::string& folder, int count, bool withTags,
                                        int seconds) {
    std::filesystem::create_directories(folder);
    const std::string tone = folder + "/tone.wav";
    Run(std::string(KESTRUNE_MAKE_TONE) + " " + tone + " " + std::to_string(seconds));
    const std::string lame = std::string("LC_ALL=C.UTF-8 ") + KESTRUNE_LAME + " --quiet ";
    std::vector<std::string> templates{folder + "/cbr.mp3", folder + "/vbr.mp3"};
    Run(lame + "-b 128 " + tone + " " + templates[0]);
    Run(lame + "-V 5 " + tone + " " + templates[1]);
    if (withTags) {
        templates.push_back(folder + "/tagged.mp3");
        Run(lame +
            "-b 128 --add-id3v2 --tt 'Песня' --ta 'Исполнитель' --tl 'Альбом' "
            "--ty 2024 --tg 17 --tc 'Комментарий' " +
            tone + " " + templates[2]);
    }
    std::filesystem::remove(tone);

    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const std::string path = folder + "/f" + std::to_string(i) + ".mp3";
        std::filesystem::copy_file(templates[i % templates.size()], path,
                                   std::filesystem::copy_options::overwrite_existing);
        paths.push_back(path);
    }
    return paths;
}

}  // namespace kestrune::bench
