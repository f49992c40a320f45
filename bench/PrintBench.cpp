// Laying out the 100 MiB document for printing on a fake device of fixed metrics: the preview's page index
// (at most 5000 pages) and every page of the document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchFiles.h"
#include "printing/PrintLayout.h"

namespace {

// Courier 10 point at 300 dots per inch: 25 pixels a character, looked up per byte as a real font's widths.
class TFixedMeasure : public TPrintMeasure {
public:
    TFixedMeasure()
    {
        for (int& w : widths_)
            w = 25;
    }
    int TextWidth(const char* text, int length) override
    {
        int w = 0;
        for (int i = 0; i < length; ++i)
            w += widths_[static_cast<unsigned char>(text[i])];
        return w;
    }

private:
    int widths_[256];
};

// The mixed document, loaded once (the load benchmark's main writes the file before any benchmark runs).
TBenchEditor& Document()
{
    static std::unique_ptr<TBenchEditor> ed = [] {
        auto e = std::make_unique<TBenchEditor>();
        int16_t format = 0;
        if (!LoadDocument(*e, BenchDir() + "/mixed-100m.txt", &format))
            e.reset();
        return e;
    }();
    return *ed;
}

TPageGeometry A4Geometry(const TPageSetup& setup)
{
    TDeviceMetrics m;
    m.dpiX = m.dpiY = 300;
    m.paperWidth = 2480;
    m.paperHeight = 3508;
    m.offsetX = m.offsetY = 50;
    m.lineHeight = 42 + 4;
    return ComputeGeometry(setup, m);
}

// Arg: the page limit (0: every page). Split long lines on, tab size 8.
void PrintIndex(benchmark::State& state)
{
    TBenchEditor& ed = Document();
    TPageSetup setup;
    TPageGeometry geometry = A4Geometry(setup);
    TFixedMeasure measure;
    std::size_t limit = state.range(0) ? static_cast<std::size_t>(state.range(0)) : ~std::size_t{0};
    std::size_t pages = 0;
    for (auto _ : state) {
        std::vector<TPageStart> index =
            IndexPages(ed.firstLine, {0, ed.lastLine + 1}, setup, geometry, 8, measure, limit);
        pages = index.size();
        benchmark::DoNotOptimize(index.data());
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["rows/page"] = geometry.rowsPerPage;
}
BENCHMARK(PrintIndex)
    ->Arg(static_cast<int64_t>(kPreviewPageLimit))
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
