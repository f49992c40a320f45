// Load and save timing without a benchmark library, for the Windows build run under Wine.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "BenchFiles.h"

#ifdef _WIN32
#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32, no psapi.dll to link
#include <windows.h>

#include <psapi.h>
#endif

namespace {
// The process's private bytes (Windows) or resident bytes (elsewhere), for the memory a document takes.
double MemoryBytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
        // Wine leaves PrivateUsage at 0; the commit charge is the same memory there.
        return static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
    return 0;
#else
    long pages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        long size = 0;
        if (std::fscanf(f, "%ld %ld", &size, &pages) != 2)
            pages = 0;
        std::fclose(f);
    }
    return static_cast<double>(pages) * 4096;
#endif
}

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// Best of a few runs of loading and writing one file; false if any run failed.
bool TimeFile(const char* name, const TBenchFile& file, int runs)
{
    const double mib = static_cast<double>(file.bytes) / (1 << 20);
    const std::string out = file.path + ".out";
    double bestLoad = 1e30;
    double bestWrite = 1e30;
    long lines = 0;
    double perByte = 0;
    for (int i = 0; i < runs; ++i) {
        const double before = MemoryBytes();
        auto ed = std::make_unique<TBenchEditor>();
        int16_t format = kFormatDos;
        auto start = TClock::now();
        if (!LoadDocument(*ed, file.path, &format))
            return false;
        double load = SecondsSince(start);
        perByte = (MemoryBytes() - before) / static_cast<double>(file.bytes);
        start = TClock::now();
        if (!SaveDocument(*ed, out, format))
            return false;
        double write = SecondsSince(start);
        lines = ed->lastLine + 1;
        bestLoad = load < bestLoad ? load : bestLoad;
        bestWrite = write < bestWrite ? write : bestWrite;
    }
    std::remove(out.c_str());
    std::printf("%-16s %7.1f MiB %8ld lines  load %7.3f s %8.1f MiB/s  write %7.3f s %8.1f MiB/s"
                "  both %7.3f s  memory %.2f bytes per byte\n",
                name, mib, lines, bestLoad, mib / bestLoad, bestWrite, mib / bestWrite, bestLoad + bestWrite,
                perByte);
    return true;
}
// Best of a few Import Text runs of one document into a new editor.
bool TimeImport(const char* name, const TBenchFile& file, int runs)
{
    const double mib = static_cast<double>(file.bytes) / (1 << 20);
    double best = 1e30;
    long lines = 0;
    for (int i = 0; i < runs; ++i) {
        auto ed = std::make_unique<TBenchEditor>();
        auto start = TClock::now();
        if (!ImportIntoDocument(*ed, file.path))
            return false;
        double took = SecondsSince(start);
        lines = ed->lastLine + 1;
        best = took < best ? took : best;
    }
    std::printf("%-16s %7.1f MiB %8ld lines  import %7.3f s %8.1f MiB/s\n", name, mib, lines, best, mib / best);
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : BenchDir();
    const int runs = 3;
    TBenchFile mixed = MixedFile(dir);
    TBenchFile longLines = LongLineFile(dir);
    if (mixed.bytes == 0 || longLines.bytes == 0) {
        std::fprintf(stderr, "cannot write the benchmark files in %s\n", dir.c_str());
        return 1;
    }
    std::printf("best of %d runs, files in %s\n", runs, dir.c_str());
    bool ok = TimeFile("mixed-100m", mixed, runs) && TimeFile("long-lines-10m", longLines, runs);
    // Import Text against loading plain text of the same size.
    TBenchFile plain = PlainFile(dir);
    TBenchFile word6 = Word6File(dir);
    TBenchFile wordPerfect = WordPerfectFile(dir);
    ok = ok && TimeFile("plain-50m", plain, runs) && TimeImport("word6-50m", word6, runs) &&
         TimeImport("wp51-50m", wordPerfect, runs);
    if (!ok)
        std::fprintf(stderr, "a load, write or import failed\n");
    return ok ? 0 : 1;
}
