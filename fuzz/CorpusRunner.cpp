// Runs one fuzz target over files and folders of inputs without libFuzzer, so that an ordinary compiler
// with sanitizers can check every target against its corpus in the normal test run.
//   g++ -std=c++20 -fsanitize=address,undefined -I. fuzz/CorpusRunner.cpp fuzz/KeymapFileFuzz.cpp \
//       build/native/libvokcore.a -o keymap_corpus && ./keymap_corpus fuzz/corpus/KeymapFile
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

void RunFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, so that the address sanitizer sees a read past its end.
    std::vector<uint8_t> input(bytes.begin(), bytes.end());
    static uint8_t none = 0;
    LLVMFuzzerTestOneInput(input.empty() ? &none : input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv)
{
    long runs = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                RunFile(file);
                ++runs;
            }
        } else if (std::filesystem::is_regular_file(arg)) {
            RunFile(arg);
            ++runs;
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
    }
    // The empty input is always worth a run.
    static uint8_t none = 0;
    LLVMFuzzerTestOneInput(&none, 0);
    std::printf("%ld inputs ran clean\n", runs + 1);
    return 0;
}
