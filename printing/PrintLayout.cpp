// How a document falls onto printed pages.
#include "printing/PrintLayout.h"

#include <algorithm>
#include <cstring>

#include "engine/LineRecord.h"

bool ParseMargin(const std::string& text, int32_t* tenths)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        return false;
    std::size_t end = text.find_last_not_of(' ') + 1;
    auto digit = [&](std::size_t k) { return k < end && text[k] >= '0' && text[k] <= '9'; };
    int32_t whole = 0;
    int digits = 0;
    for (; digit(i); ++i, ++digits) {
        if (digits == 4)
            return false;
        whole = whole * 10 + (text[i] - '0');
    }
    int32_t tenth = 0;
    if (i < end && (text[i] == '.' || text[i] == ',')) {
        ++i;
        if (digit(i)) {
            tenth = text[i++] - '0';
            ++digits;
        }
    }
    if (i != end || digits == 0)
        return false;
    *tenths = whole * 10 + tenth;
    return true;
}

std::string FormatMargin(int32_t tenths)
{
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10)
        text += "." + std::to_string(tenths % 10);
    return text;
}

bool MarginsFitPage(const TPageSetup& setup, int32_t paperWidth, int32_t paperHeight)
{
    if (paperWidth > 0 && setup.leftMargin + setup.rightMargin >= paperWidth)
        return false;
    if (paperHeight > 0 && setup.topMargin + setup.bottomMargin >= paperHeight)
        return false;
    return true;
}

int TenthsToPixels(int32_t tenths, int dpi)
{
    return static_cast<int>((static_cast<int64_t>(dpi) * tenths + 127) / 254);
}

TPageGeometry ComputeGeometry(const TPageSetup& setup, const TDeviceMetrics& device)
{
    TPageGeometry g;
    int left = TenthsToPixels(setup.leftMargin, device.dpiX);
    int right = TenthsToPixels(setup.rightMargin, device.dpiX);
    int top = TenthsToPixels(setup.topMargin, device.dpiY);
    int bottom = TenthsToPixels(setup.bottomMargin, device.dpiY);
    g.left = left - device.offsetX;
    g.top = top - device.offsetY;
    // Margins wider than the paper leave one pixel rather than a negative width.
    g.width = std::max(1, device.paperWidth - left - right);
    g.height = std::max(0, device.paperHeight - top - bottom);
    g.lineHeight = std::max(1, device.lineHeight);
    // One row is kept free below the text; a page always holds at least one row so printing moves on.
    g.rowsPerPage = std::max(1, g.height / g.lineHeight - 1);
    int edge = TenthsToPixels(kHeaderDistance, device.dpiY);
    g.headerTop = edge - device.offsetY;
    g.footerBottom = device.paperHeight - edge - device.offsetY;
    return g;
}

bool MarginsOutsidePrintable(const TPageSetup& setup, const TDeviceMetrics& device)
{
    int rightOffset = device.paperWidth - device.offsetX - device.printableWidth;
    int bottomOffset = device.paperHeight - device.offsetY - device.printableHeight;
    return TenthsToPixels(setup.leftMargin, device.dpiX) < device.offsetX ||
           TenthsToPixels(setup.topMargin, device.dpiY) < device.offsetY ||
           TenthsToPixels(setup.rightMargin, device.dpiX) < rightOffset ||
           TenthsToPixels(setup.bottomMargin, device.dpiY) < bottomOffset;
}

std::string ExpandTabs(const char* text, int tabSize)
{
    std::string out;
    ExpandTabs(text, tabSize, out);
    return out;
}

void ExpandTabs(const char* text, int tabSize, std::string& out)
{
    if (tabSize < 1)
        tabSize = 1;
    out.clear();
    const char* p = text;
    while (*p && static_cast<int>(out.size()) < kPrintLineWidth) {
        // Runs without a tab go in whole.
        std::size_t run = std::strcspn(p, "\t");
        std::size_t room = kPrintLineWidth - out.size();
        out.append(p, std::min(run, room));
        p += run;
        if (*p != '\t' || run >= room)
            break;
        std::size_t to = (out.size() / tabSize + 1) * tabSize;
        out.resize(std::min<std::size_t>(to, kPrintLineWidth), ' ');
        ++p;
    }
}

void SplitPieces(const std::string& expanded, int width, bool split, TPrintMeasure& measure,
                 std::vector<TPiece>& pieces)
{
    pieces.clear();
    int size = static_cast<int>(expanded.size());
    if (size == 0) {
        pieces.push_back({0, 0});
        return;
    }
    const char* text = expanded.data();
    for (int offset = 0; offset < size;) {
        int rest = size - offset;
        int fit;
        // Most lines fit whole: one measurement settles them.
        if (measure.TextWidth(text + offset, rest) <= width) {
            fit = rest;
        } else {
            // The longest fitting prefix, by bisection: widths only grow with length.
            int lo = 1, hi = rest - 1;
            fit = 1;
            while (lo <= hi) {
                int mid = lo + (hi - lo) / 2;
                if (measure.TextWidth(text + offset, mid) <= width) {
                    fit = mid;
                    lo = mid + 1;
                } else {
                    hi = mid - 1;
                }
            }
        }
        pieces.push_back({offset, fit});
        if (!split)
            break;
        offset += fit;
    }
}

TLineSpan ResolveRange(TPrintRange range, int32_t from, int32_t to, int32_t lastLine, int32_t selFirst,
                       int32_t selLast)
{
    switch (range) {
    case TPrintRange::Selection: {
        int32_t a = std::clamp(std::min(selFirst, selLast), 0, lastLine);
        int32_t b = std::clamp(std::max(selFirst, selLast), 0, lastLine);
        return {a, b - a + 1};
    }
    case TPrintRange::Lines:
        if (from < 1 || to > lastLine + 1 || from > to)
            return {0, 0};
        return {from - 1, to - from + 1};
    case TPrintRange::All: break;
    }
    return {0, lastLine + 1};
}

TPageWalker::TPageWalker(const LineRecord* first, TLineSpan span, const TPageSetup& setup,
                         const TPageGeometry& geometry, int tabSize, TPrintMeasure& measure)
    : record_(nullptr), line_(0), remaining_(0), setup_(setup), geometry_(geometry), tabSize_(tabSize),
      measure_(measure)
{
    Seek(first, span, {span.first, 0});
}

void TPageWalker::Seek(const LineRecord* first, TLineSpan span, TPageStart start)
{
    record_ = first;
    for (int32_t i = 0; i < start.line && record_; ++i)
        record_ = record_->next;
    line_ = start.line;
    remaining_ = record_ ? std::max(0, span.first + span.count - start.line) : 0;
    pieces_.clear();
    piece_ = 0;
    if (remaining_ == 0)
        return;
    LoadLine();
    while (piece_ < pieces_.size() && pieces_[piece_].offset < start.offset)
        ++piece_;
    if (piece_ == pieces_.size())
        piece_ = pieces_.size() - 1;
}

void TPageWalker::LoadLine()
{
    ExpandTabs(record_->text, tabSize_, expanded_);
    SplitPieces(expanded_, geometry_.width, setup_.splitLongLines, measure_, pieces_);
    piece_ = 0;
}

TPageStart TPageWalker::Position() const
{
    if (remaining_ == 0)
        return {line_, 0};
    return {line_, static_cast<uint16_t>(pieces_[piece_].offset)};
}

bool TPageWalker::NextPage(std::vector<std::string>* rows)
{
    if (rows)
        rows->clear();
    if (remaining_ == 0)
        return false;
    for (int row = 0; row < geometry_.rowsPerPage && remaining_ > 0; ++row) {
        const TPiece& p = pieces_[piece_];
        if (rows)
            rows->emplace_back(expanded_, p.offset, p.length);
        if (++piece_ < pieces_.size())
            continue;
        ++line_;
        record_ = record_->next;
        if (--remaining_ > 0 && record_)
            LoadLine();
        else
            remaining_ = 0;
    }
    return true;
}

std::vector<TPageStart> IndexPages(const LineRecord* first, TLineSpan span, const TPageSetup& setup,
                                   const TPageGeometry& geometry, int tabSize, TPrintMeasure& measure,
                                   std::size_t limit)
{
    std::vector<TPageStart> starts;
    TPageWalker walker(first, span, setup, geometry, tabSize, measure);
    while (!walker.AtEnd() && starts.size() < limit) {
        starts.push_back(walker.Position());
        walker.NextPage(nullptr);
    }
    return starts;
}

void DrawTemplateLine(TPrintDevice& device, const TTemplateParts& parts, const TPageGeometry& geometry, int top)
{
    auto width = [&](const std::string& s) { return device.TextWidth(s.data(), static_cast<int>(s.size())); };
    if (!parts.left.empty())
        device.DrawText(geometry.left, top, parts.left.data(), static_cast<int>(parts.left.size()));
    if (!parts.centre.empty())
        device.DrawText(geometry.left + (geometry.width - width(parts.centre)) / 2, top, parts.centre.data(),
                        static_cast<int>(parts.centre.size()));
    if (!parts.right.empty())
        device.DrawText(geometry.left + geometry.width - width(parts.right), top, parts.right.data(),
                        static_cast<int>(parts.right.size()));
}

void DrawPage(TPrintDevice& device, const std::vector<std::string>& rows, const TPageSetup& setup,
              const TPageGeometry& geometry, TTemplateFields fields)
{
    if (!setup.header.empty())
        DrawTemplateLine(device, ExpandTemplate(setup.header, fields), geometry, geometry.headerTop);
    int y = geometry.top;
    for (const std::string& row : rows) {
        device.DrawText(geometry.left, y, row.data(), static_cast<int>(row.size()));
        y += geometry.lineHeight;
    }
    if (!setup.footer.empty())
        DrawTemplateLine(device, ExpandTemplate(setup.footer, fields), geometry,
                         geometry.footerBottom - geometry.lineHeight);
}

TPrintOutcome PrintPages(TPrintDevice& device, const LineRecord* first, TLineSpan span, const TPageSetup& setup,
                         const TPageGeometry& geometry, int tabSize, TTemplateFields fields)
{
    TPrintOutcome outcome;
    TPageWalker walker(first, span, setup, geometry, tabSize, device);
    std::vector<std::string> rows;
    fields.page = setup.firstPage;
    while (walker.NextPage(&rows)) {
        if (!device.StartPage()) {
            outcome.failed = true;
            break;
        }
        DrawPage(device, rows, setup, geometry, fields);
        if (!device.EndPage()) {
            outcome.failed = true;
            break;
        }
        ++outcome.pages;
        ++fields.page;
        if (device.Cancelled()) {
            outcome.cancelled = true;
            break;
        }
    }
    return outcome;
}
