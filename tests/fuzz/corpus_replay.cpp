// Replays a fuzzer's seed corpus once, without libFuzzer: every file of the
// folders named on the command line goes through LLVMFuzzerTestOneInput in
// name order. A fuzzer reports a fault by aborting and the sanitizers by
// stopping the process, so reaching the end means every input passed. An
// empty or missing folder fails, so a moved corpus is noticed.
//   corpus_replay FOLDER...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> CorpusFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> files = CorpusFiles(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[i]);
            return 1;
        }
        for (const auto& file : files) {
            std::printf("%s\n", file.filename().string().c_str());
            std::fflush(stdout);
            const std::vector<std::uint8_t> input = ReadFile(file);
            // Empty files are valid inputs; a null pointer is what libFuzzer never passes.
            static const std::uint8_t none = 0;
            LLVMFuzzerTestOneInput(input.empty() ? &none : input.data(), input.size());
        }
        std::printf("%zu inputs of %s passed\n", files.size(), argv[i]);
    }
    return 0;
}
