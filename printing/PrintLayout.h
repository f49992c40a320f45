// How a document falls onto printed pages: margins in device pixels, tab-expanded lines split by printed
// width, page breaks, and the header and footer lines. Free of any graphics call: a device measures and
// draws, and the same walk serves the printer and the preview.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "printing/PageTemplate.h"

struct LineRecord;

// The page setup the user chose; the values last until the program exits.
struct TPageSetup {
    std::string header = "&f";
    std::string footer = "Page &p";
    int32_t leftMargin = 191;  // tenths of a millimetre from the paper's edges
    int32_t topMargin = 254;
    int32_t rightMargin = 191;
    int32_t bottomMargin = 254;
    int32_t firstPage = 1;  // 1..32767
    bool splitLongLines = true;
};

constexpr int32_t kFirstPageMin = 1;
constexpr int32_t kFirstPageMax = 32767;
constexpr int kHeaderDistance = 127;  // tenths of a millimetre from the paper's edge to a header or footer

// The printer as the layout sees it, in device pixels. The device's origin is the top left corner of its
// printable area, offsetX and offsetY from the paper's edges.
struct TDeviceMetrics {
    int dpiX = 300;
    int dpiY = 300;
    int paperWidth = 2480;
    int paperHeight = 3508;
    int offsetX = 0;
    int offsetY = 0;
    int printableWidth = 2400;  // the area the printer can print on
    int printableHeight = 3400;
    int lineHeight = 50;  // font height plus external leading
};

// Where the text, header and footer go, in the device's coordinates.
struct TPageGeometry {
    int left = 0;            // x of the text's left edge
    int top = 0;             // y of the first row's top
    int width = 0;           // printable width
    int height = 0;          // printable height
    int lineHeight = 1;
    int rowsPerPage = 1;
    int headerTop = 0;       // y of the header line's top
    int footerBottom = 0;    // y of the footer line's bottom
};

// A margin as typed in millimetres ("19.1", " 25 "), to tenths of a millimetre: digits with at most one
// decimal point (or comma) and one decimal, up to 9999.9. False for anything else.
bool ParseMargin(const std::string& text, int32_t* tenths);
// Tenths of a millimetre as the Page Setup dialog shows them: "19.1", "25".
std::string FormatMargin(int32_t tenths);
// Whether the margins leave room on a page of the given size in tenths of a millimetre (0: unknown).
bool MarginsFitPage(const TPageSetup& setup, int32_t paperWidth, int32_t paperHeight);

// Tenths of a millimetre to device pixels at a resolution, rounded.
int TenthsToPixels(int32_t tenths, int dpi);
TPageGeometry ComputeGeometry(const TPageSetup& setup, const TDeviceMetrics& device);
// Whether any margin lies inside the area the printer cannot print on.
bool MarginsOutsidePrintable(const TPageSetup& setup, const TDeviceMetrics& device);

// Measures text as it will be printed.
class TPrintMeasure {
public:
    virtual ~TPrintMeasure() = default;
    virtual int TextWidth(const char* text, int length) = 0;
};

// A device pages are drawn on: the printer, the preview pane or a test's fake.
class TPrintDevice : public TPrintMeasure {
public:
    // False when the page could not be started or ended: the job stops.
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual void DrawText(int x, int y, const char* text, int length) = 0;
    // True when the user cancelled; checked after every page.
    virtual bool Cancelled() { return false; }
};

constexpr int kPrintLineWidth = 1024;  // display columns a printed line holds after tab expansion

// Expands tabs to the next multiple of tabSize, keeping at most kPrintLineWidth characters.
std::string ExpandTabs(const char* text, int tabSize);
// The same into out, reusing its storage: the layout expands every line of a document.
void ExpandTabs(const char* text, int tabSize, std::string& out);

// A printed row: length characters of the expanded line from offset.
struct TPiece {
    int offset = 0;
    int length = 0;
};

// Splits an expanded line into pieces, each the longest prefix of the rest that fits width (at least one
// character, so a glyph wider than the page still moves on). An empty line is one empty piece; without
// split only the first piece is kept, the rest cut at the margin.
void SplitPieces(const std::string& expanded, int width, bool split, TPrintMeasure& measure,
                 std::vector<TPiece>& pieces);

// The first document line of a printed range and its count.
struct TLineSpan {
    int32_t first = 0;
    int32_t count = 0;
};

enum class TPrintRange { All, Selection, Lines };

// The lines a range prints: All every line; Selection the whole lines from selFirst to selLast; Lines the
// 1-based from..to, nothing unless 1 <= from <= to <= lastLine + 1.
TLineSpan ResolveRange(TPrintRange range, int32_t from, int32_t to, int32_t lastLine, int32_t selFirst,
                       int32_t selLast);

// Where a page begins: a document line and the expanded offset of its first piece there.
struct TPageStart {
    int32_t line = 0;
    uint16_t offset = 0;
};

// Walks a span of lines page by page with one device's metrics. It holds the line list's records but
// owns none of them: the document must not change while it lives.
class TPageWalker {
public:
    TPageWalker(const LineRecord* first, TLineSpan span, const TPageSetup& setup, const TPageGeometry& geometry,
                int tabSize, TPrintMeasure& measure);

    bool AtEnd() const { return remaining_ == 0; }
    TPageStart Position() const;
    // The rows of the next page into rows (when not null); false when the text had ended.
    bool NextPage(std::vector<std::string>* rows);
    // Moves to a start recorded by an earlier walk over the same span.
    void Seek(const LineRecord* first, TLineSpan span, TPageStart start);

private:
    void LoadLine();

    const LineRecord* record_;
    int32_t line_;
    int32_t remaining_;  // lines left, the current one included
    const TPageSetup& setup_;
    TPageGeometry geometry_;
    int tabSize_;
    TPrintMeasure& measure_;
    std::string expanded_;
    std::vector<TPiece> pieces_;
    std::size_t piece_ = 0;  // next piece of the current line
};

// The start of every page of a span, at most limit pages: the preview's page index.
std::vector<TPageStart> IndexPages(const LineRecord* first, TLineSpan span, const TPageSetup& setup,
                                   const TPageGeometry& geometry, int tabSize, TPrintMeasure& measure,
                                   std::size_t limit);

constexpr std::size_t kPreviewPageLimit = 5000;

// Draws a header or footer line of the given top across the text's width.
void DrawTemplateLine(TPrintDevice& device, const TTemplateParts& parts, const TPageGeometry& geometry, int top);

// Draws one page's header, rows and footer without starting or ending it.
void DrawPage(TPrintDevice& device, const std::vector<std::string>& rows, const TPageSetup& setup,
              const TPageGeometry& geometry, TTemplateFields fields);

// What a print run did.
struct TPrintOutcome {
    int pages = 0;
    bool failed = false;     // a page could not be started or ended
    bool cancelled = false;  // the user cancelled; the pages after the current one were not printed
};

// Prints a span page by page: numbers from the first page number, header and footer expanded per page,
// the run stopping at a device failure or after the page during which the user cancelled.
TPrintOutcome PrintPages(TPrintDevice& device, const LineRecord* first, TLineSpan span, const TPageSetup& setup,
                         const TPageGeometry& geometry, int tabSize, TTemplateFields fields);
