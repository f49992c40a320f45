// Deterministic documents and a window-less editor for the load and save benchmarks.
#pragma once

#include <cstdint>
#include <string>

#include "engine/VokEditor.h"

// A generated file on disk.
struct TBenchFile {
    std::string path;
    std::uint64_t bytes = 0;
    long lines = 0;
};

// The directory the benchmark files live in: $VOK_BENCH_DIR, else "vok_bench" in the system's temp dir.
std::string BenchDir();

// About 100 MiB in roughly 2 million CR LF lines of mixed length (empty, short, typical and long lines,
// some indented with tabs). The same bytes on every run and every machine; written afresh on every call.
TBenchFile MixedFile(const std::string& dir);

// About 10 MiB in LF lines of 5000 bytes each: every line is split on loading.
TBenchFile LongLineFile(const std::string& dir);

// About 50 MiB documents for the import timing: a Word 6 compound file and a WordPerfect 5.1 document of
// prose paragraphs with their codes, and plain CR LF text of the same size to compare them with.
TBenchFile Word6File(const std::string& dir);
TBenchFile WordPerfectFile(const std::string& dir);
TBenchFile PlainFile(const std::string& dir);

// An editor with every window hook doing nothing, as a document without a window.
class TBenchEditor final : public TVokEditor {
public:
    void SetCaret(int, int) noexcept override {}
    void RepaintAll() noexcept override {}
    void RepaintLine(int32_t) noexcept override {}
    void SaveFile() noexcept override {}
    void SaveFileAs() noexcept override {}
    void WriteBlock() noexcept override {}
    void ReadBlock() noexcept override {}
    void Print() noexcept override {}
};

// Loads the file through a file stream into ed; false on any failure. format receives the detected one.
bool LoadDocument(TBenchEditor& ed, const std::string& path, int16_t* format);
// Writes ed to path in the given format; false on any failure.
bool SaveDocument(TBenchEditor& ed, const std::string& path, int format);
// Imports the document into ed as File > Import Text does (wrap column 76, tab size 8); false on failure.
bool ImportIntoDocument(TBenchEditor& ed, const std::string& path);
// Size of a file in bytes, or 0.
std::uint64_t FileBytes(const std::string& path);
