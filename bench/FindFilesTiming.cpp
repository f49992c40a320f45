// Times Find Files' search (name pattern and containing text over a tree) for bench/findfiles-bench.sh.
// Usage: FindFilesTiming ROOT PATTERN TEXT [ignore-case]; prints the files found and the seconds taken.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "findfiles/FileSearch.h"

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ROOT PATTERN TEXT [ignore-case]\n", argv[0]);
        return 2;
    }
    std::string root = argv[1];
    TStdDirectoryLister lister;
    if (root.back() != lister.Separator()) root += lister.Separator();
    unsigned options = argc > 4 && std::strcmp(argv[4], "ignore-case") == 0 ? kFindIgnoreCase : 0;
    // The list's limit of 768 files does not stop a timing run: each directory is searched on its own.
    auto began = std::chrono::steady_clock::now();
    std::size_t found = 0;
    for (const TDirEntry& e : lister.List(root)) {
        if (!e.directory) continue;
        TFileSearch search(argv[2], argv[3], options);
        search.Run(lister, {root + e.name + lister.Separator()}, kFindMaxDepth, nullptr);
        found += search.Found().size();
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%zu files %.3f s\n", found, seconds);
    return 0;
}
