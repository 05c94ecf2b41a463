// The main of the replay tests: runs a fuzz target's entry function over every file of the
// folders and files named on the command line, in name order, so the committed corpus (seeds
// and every input that once crashed) is checked by the ordinary test run without libFuzzer.
// A fault aborts the process; the file being run is named first, so the log shows which one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace fs = std::filesystem;

static std::vector<fs::path> inputsOf(const fs::path &path)
{
    std::vector<fs::path> files;
    if (fs::is_directory(path)) {
        for (const auto &entry : fs::recursive_directory_iterator(path))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    } else if (fs::is_regular_file(path)) {
        files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER-OR-FILE...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> files = inputsOf(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "%s: no input in %s\n", argv[0], argv[i]);
            return 1;
        }
        for (const fs::path &file : files) {
            std::fprintf(stderr, "replaying %s\n", file.c_str());
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "replayed %d inputs\n", replayed);
    return 0;
}
