// The entry of ozmbatch: the command line in, the exit code out.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "batch/BatchOptions.h"
#include "batch/BatchRunner.h"
#include "batch/FileSystem.h"
#include "engine/VokEditor.h"

namespace {

// True when everything sent to standard output reached it; a full disk or a closed pipe shows only here.
bool StandardOutputWritten()
{
    std::cout.flush();
    return std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

int CannotWriteStandardOutput()
{
    std::cerr << "ozmbatch: cannot write to standard output\n";
    return kExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // A document written to standard output keeps its own line ends.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    TBatchOptions options;
    TParseResult parsed = ParseBatchOptions(args, &options);
    if (!parsed.ok) {
        std::cerr << "ozmbatch: " << parsed.error << "\n" << BatchUsage();
        return kExitUsage;
    }
    options.programPath = ProgramPath(argc > 0 ? argv[0] : nullptr);
    // Files shipped with the program (TEXT.CNV, syntax.hgl) sit beside it.
    options.programDirectory = std::filesystem::path(options.programPath).parent_path().string();
    if (options.help) {
        std::cout << BatchUsage();
        return StandardOutputWritten() ? kExitOk : CannotWriteStandardOutput();
    }
    // The last document is left for the system to reclaim: freeing two million lines one by one costs
    // a tenth of a large run, and nothing happens after it. It stays reachable, so it is no leak.
    static auto* lastDocument = new std::unique_ptr<TVokEditor>;
    int exitCode = RunBatch(options, {std::cout, std::cerr, lastDocument});
    // The run checked its own output; this catches what the C library still held.
    if (!StandardOutputWritten() && exitCode == kExitOk)
        return CannotWriteStandardOutput();
    return exitCode;
}
