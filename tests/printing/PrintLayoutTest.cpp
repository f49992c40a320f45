// Template expansion, page geometry, line splitting and page breaking of printed documents, on a fake
// device of fixed metrics.
#include "printing/PrintLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/LineRecord.h"
#include "printing/PageTemplate.h"

namespace {

// A document as a linked list of line records over strings the test owns.
class TLines {
public:
    explicit TLines(std::vector<std::string> lines) : text_(std::move(lines)), records_(text_.size())
    {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            records_[i].text = text_[i].data();
            records_[i].prev = i ? &records_[i - 1] : nullptr;
            records_[i].next = i + 1 < text_.size() ? &records_[i + 1] : nullptr;
            records_[i].state = 0;
        }
    }
    const LineRecord* First() const { return records_.data(); }
    int32_t LastLine() const { return static_cast<int32_t>(text_.size()) - 1; }
    TLineSpan All() const { return {0, LastLine() + 1}; }

private:
    std::vector<std::string> text_;
    std::vector<LineRecord> records_;
};

// Every character 10 pixels wide except 'W', 25: widths are not proportional to lengths.
class TFakeDevice : public TPrintDevice {
public:
    struct TText {
        int page;
        int x;
        int y;
        std::string text;
    };

    int TextWidth(const char* text, int length) override
    {
        int w = 0;
        for (int i = 0; i < length; ++i)
            w += text[i] == 'W' ? 25 : 10;
        return w;
    }
    bool StartPage() override
    {
        ++started;
        return started != failStartAt;
    }
    bool EndPage() override
    {
        ++ended;
        return true;
    }
    void DrawText(int x, int y, const char* text, int length) override
    {
        texts.push_back({started, x, y, std::string(text, length)});
    }
    bool Cancelled() override { return cancelAfterStart != 0 && started >= cancelAfterStart; }

    // The texts of one page at one y.
    std::vector<TText> At(int page, int y) const
    {
        std::vector<TText> found;
        for (const TText& t : texts)
            if (t.page == page && t.y == y)
                found.push_back(t);
        return found;
    }

    int started = 0;
    int ended = 0;
    int failStartAt = 0;
    int cancelAfterStart = 0;
    std::vector<TText> texts;
};

// A small page: 100 dpi, 1000 x 1400 pixels, 20-pixel rows; margins 254 (100 px) all round give a text
// area 800 wide and 1200 high: 59 rows.
TDeviceMetrics SmallPage()
{
    TDeviceMetrics m;
    m.dpiX = m.dpiY = 100;
    m.paperWidth = 1000;
    m.paperHeight = 1400;
    m.offsetX = m.offsetY = 0;
    m.printableWidth = 1000;
    m.printableHeight = 1400;
    m.lineHeight = 20;
    return m;
}

TPageSetup EvenMargins()
{
    TPageSetup s;
    s.leftMargin = s.rightMargin = s.topMargin = s.bottomMargin = 254;
    return s;
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

TTemplateFields Fields()
{
    TTemplateFields f;
    f.fileName = "C:\\DOCS\\NOTES.TXT";
    f.date = "12/9/26";
    f.time = "03:55";
    return f;
}

}  // namespace

TEST(PageTemplateTest, FieldsSwitchPartsAndInsertValues)
{
    TTemplateFields f = Fields();
    f.page = 12;
    TTemplateParts p = ExpandTemplate("&lLeft&cMiddle&rRight", f);
    EXPECT_EQ(p.left, "Left");
    EXPECT_EQ(p.centre, "Middle");
    EXPECT_EQ(p.right, "Right");

    p = ExpandTemplate("Page &p of &F at &t on &D", f);
    EXPECT_EQ(p.centre, "Page 12 of C:\\DOCS\\NOTES.TXT at 03:55 on 12/9/26");
    EXPECT_EQ(p.left, "");
    EXPECT_EQ(p.right, "");

    // Case does not matter, and switching back to a part continues it.
    p = ExpandTemplate("&Ra&Cb&Rc&Ld", f);
    EXPECT_EQ(p.right, "ac");
    EXPECT_EQ(p.centre, "b");
    EXPECT_EQ(p.left, "d");
}

TEST(PageTemplateTest, AmpersandsUnknownFieldsAndTheEnd)
{
    TTemplateFields f = Fields();
    EXPECT_EQ(ExpandTemplate("Smith && Sons", f).centre, "Smith & Sons");
    EXPECT_EQ(ExpandTemplate("&&&&", f).centre, "&&");
    // An unknown field drops itself and its letter; a final "&" ends the template.
    EXPECT_EQ(ExpandTemplate("a&xb&", f).centre, "ab");
    EXPECT_EQ(ExpandTemplate("&", f).centre, "");
    EXPECT_EQ(ExpandTemplate("&1&", f).centre, "");
    EXPECT_EQ(ExpandTemplate("", f).centre, "");
}

TEST(PageTemplateTest, EachPartHoldsAtMost79Characters)
{
    TTemplateFields f = Fields();
    f.fileName = std::string(100, 'n');
    TTemplateParts p = ExpandTemplate("&l&f&c&f&f&rab&f", f);
    EXPECT_EQ(p.left, std::string(79, 'n'));
    EXPECT_EQ(p.centre, std::string(79, 'n'));
    EXPECT_EQ(p.right, "ab" + std::string(77, 'n'));
    // Literal text is cut at the same limit, and a field after a full part adds nothing.
    p = ExpandTemplate(std::string(85, 'x') + "&p", f);
    EXPECT_EQ(p.centre, std::string(79, 'x'));
}

TEST(PrintGeometryTest, MarginsBecomeDevicePixelsLessTheUnprintableOffset)
{
    EXPECT_EQ(TenthsToPixels(254, 300), 300);
    EXPECT_EQ(TenthsToPixels(191, 300), 226);  // 225.59 rounds up
    EXPECT_EQ(TenthsToPixels(191, 600), 451);  // 451.18 rounds down
    EXPECT_EQ(TenthsToPixels(0, 600), 0);

    TDeviceMetrics m = SmallPage();
    m.offsetX = 15;
    m.offsetY = 25;
    TPageGeometry g = ComputeGeometry(EvenMargins(), m);
    EXPECT_EQ(g.left, 85);
    EXPECT_EQ(g.top, 75);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 1200);
    EXPECT_EQ(g.rowsPerPage, 59);  // 1200 / 20 less the row kept free
    EXPECT_EQ(g.headerTop, 50 - 25);                 // 12.7 mm below the paper's top edge
    EXPECT_EQ(g.footerBottom, 1400 - 50 - 25);       // 12.7 mm above its bottom edge

    // Different resolutions across and down.
    m = SmallPage();
    m.dpiY = 200;
    m.paperHeight = 2800;
    g = ComputeGeometry(EvenMargins(), m);
    EXPECT_EQ(g.top, 200);
    EXPECT_EQ(g.left, 100);
    EXPECT_EQ(g.height, 2400);
}

TEST(PrintGeometryTest, DegenerateMarginsStillGiveOneRowOfOnePixel)
{
    TPageSetup s = EvenMargins();
    s.leftMargin = s.rightMargin = 2000;
    s.topMargin = s.bottomMargin = 2000;
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    EXPECT_EQ(g.width, 1);
    EXPECT_EQ(g.rowsPerPage, 1);
}

TEST(PrintGeometryTest, MarginsInsideTheUnprintableAreaAreNoticed)
{
    TDeviceMetrics m = SmallPage();
    m.offsetX = 40;
    m.offsetY = 40;
    m.printableWidth = 1000 - 40 - 40;
    m.printableHeight = 1400 - 40 - 60;
    TPageSetup s = EvenMargins();  // 100 px each
    EXPECT_FALSE(MarginsOutsidePrintable(s, m));
    s.leftMargin = 99;  // 39 px
    EXPECT_TRUE(MarginsOutsidePrintable(s, m));
    s = EvenMargins();
    s.bottomMargin = 140;  // 55 px, the bottom offset is 60
    EXPECT_TRUE(MarginsOutsidePrintable(s, m));
    s.bottomMargin = 153;  // 60 px
    EXPECT_FALSE(MarginsOutsidePrintable(s, m));
    s.rightMargin = 0;
    EXPECT_TRUE(MarginsOutsidePrintable(s, m));
}

TEST(PrintPiecesTest, TabsExpandToStopsAndLinesStopAt1024Columns)
{
    EXPECT_EQ(ExpandTabs("a\tb", 8), "a       b");
    EXPECT_EQ(ExpandTabs("\t\tx", 4), "        x");
    EXPECT_EQ(ExpandTabs("abcd\t", 4), "abcd    ");
    EXPECT_EQ(ExpandTabs("", 8), "");
    EXPECT_EQ(ExpandTabs(std::string(1030, 'x').c_str(), 8).size(), 1024u);
    // A tab at the end of the width fills only to the limit.
    std::string nearEnd = std::string(1020, 'x') + "\ty";
    EXPECT_EQ(ExpandTabs(nearEnd.c_str(), 8), std::string(1020, 'x') + "    ");
}

TEST(PrintPiecesTest, LongestPrefixThatFitsEachTime)
{
    TFakeDevice d;
    std::vector<TPiece> pieces;
    SplitPieces("", 100, true, d, pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].length, 0);

    SplitPieces("0123456789", 100, true, d, pieces);  // exactly the width
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].length, 10);

    SplitPieces("0123456789ab", 100, true, d, pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].offset, 10);
    EXPECT_EQ(pieces[1].length, 2);

    // Wide letters: WWWW is 100, so "aWWWW" (110) needs two pieces of 4 and 1.
    SplitPieces("aWWWWb", 100, true, d, pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].length, 4);
    EXPECT_EQ(pieces[1].offset, 4);
    EXPECT_EQ(pieces[1].length, 2);

    // Without splitting the line is cut: only the first piece.
    SplitPieces("0123456789abcdefghijklmnop", 100, false, d, pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].length, 10);

    // A glyph wider than the page still takes one row, so the walk moves on.
    SplitPieces("WWW", 20, true, d, pieces);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[2].offset, 2);
}

// The pieces against the plain definition: the longest prefix, measured character by character.
TEST(PrintPiecesTest, SplittingAgreesWithALinearScan)
{
    TFakeDevice d;
    std::mt19937 random(2026);
    std::vector<TPiece> pieces;
    for (int round = 0; round < 500; ++round) {
        std::string line(random() % 300, 'a');
        for (char& c : line)
            c = random() % 4 == 0 ? 'W' : 'a' + random() % 26;
        int width = 5 + static_cast<int>(random() % 400);
        SplitPieces(line, width, true, d, pieces);
        std::size_t k = 0;
        int offset = 0;
        do {
            int len = 0;
            while (offset + len < static_cast<int>(line.size()) &&
                   d.TextWidth(line.data() + offset, len + 1) <= width)
                ++len;
            if (len == 0 && !line.empty())
                len = 1;
            ASSERT_LT(k, pieces.size()) << line << " width " << width;
            EXPECT_EQ(pieces[k].offset, offset);
            ASSERT_EQ(pieces[k].length, len) << line << " width " << width;
            offset += len;
            ++k;
        } while (offset < static_cast<int>(line.size()));
        EXPECT_EQ(k, pieces.size());
    }
}

TEST(PrintRangeTest, SelectionLinesAndAll)
{
    EXPECT_EQ(ResolveRange(TPrintRange::All, 0, 0, 9, 0, 0).first, 0);
    EXPECT_EQ(ResolveRange(TPrintRange::All, 0, 0, 9, 0, 0).count, 10);
    TLineSpan s = ResolveRange(TPrintRange::Selection, 0, 0, 9, 6, 3);
    EXPECT_EQ(s.first, 3);
    EXPECT_EQ(s.count, 4);
    s = ResolveRange(TPrintRange::Lines, 2, 4, 9, 0, 0);
    EXPECT_EQ(s.first, 1);
    EXPECT_EQ(s.count, 3);
    s = ResolveRange(TPrintRange::Lines, 10, 10, 9, 0, 0);
    EXPECT_EQ(s.first, 9);
    EXPECT_EQ(s.count, 1);
    // Outside the document or backwards: nothing.
    EXPECT_EQ(ResolveRange(TPrintRange::Lines, 11, 12, 9, 0, 0).count, 0);
    EXPECT_EQ(ResolveRange(TPrintRange::Lines, 5, 11, 9, 0, 0).count, 0);
    EXPECT_EQ(ResolveRange(TPrintRange::Lines, 0, 3, 9, 0, 0).count, 0);
    EXPECT_EQ(ResolveRange(TPrintRange::Lines, 4, 3, 9, 0, 0).count, 0);
}

TEST(PrintPagesTest, ThreePartHeaderSitsLeftCentreAndRight)
{
    TLines doc({"text"});
    TPageSetup s = EvenMargins();
    s.header = "&lone&ctwo&rthree";
    s.footer = "";
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    TFakeDevice d;
    TPrintOutcome o = PrintPages(d, doc.First(), doc.All(), s, g, 8, Fields());
    EXPECT_EQ(o.pages, 1);
    std::vector<TFakeDevice::TText> header = d.At(1, g.headerTop);
    ASSERT_EQ(header.size(), 3u);
    EXPECT_EQ(header[0].text, "one");
    EXPECT_EQ(header[0].x, 100);
    EXPECT_EQ(header[1].text, "two");
    EXPECT_EQ(header[1].x, 100 + (800 - 30) / 2);
    EXPECT_EQ(header[2].text, "three");
    EXPECT_EQ(header[2].x, 900 - 50);
    // The text below, and no footer line at all.
    ASSERT_EQ(d.At(1, g.top).size(), 1u);
    EXPECT_EQ(d.texts.size(), 4u);
}

TEST(PrintPagesTest, FooterNumbersCountFromTheFirstPageNumber)
{
    TPageSetup s = EvenMargins();
    s.firstPage = 5;
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    TLines doc(Numbered(2 * g.rowsPerPage + 3));
    TFakeDevice d;
    TPrintOutcome o = PrintPages(d, doc.First(), doc.All(), s, g, 8, Fields());
    EXPECT_EQ(o.pages, 3);
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(d.started, 3);
    EXPECT_EQ(d.ended, 3);
    int footerTop = g.footerBottom - g.lineHeight;
    std::vector<TFakeDevice::TText> footer = d.At(3, footerTop);
    ASSERT_EQ(footer.size(), 1u);
    EXPECT_EQ(footer[0].text, "Page 7");
    EXPECT_EQ(footer[0].x, 100 + (800 - 60) / 2);
    EXPECT_EQ(d.At(1, footerTop)[0].text, "Page 5");
    // The default header is the file name, centred on every page.
    EXPECT_EQ(d.At(2, g.headerTop)[0].text, "C:\\DOCS\\NOTES.TXT");
    // The third page starts with the line after the second page's last.
    EXPECT_EQ(d.At(3, g.top)[0].text, "line " + std::to_string(2 * g.rowsPerPage + 1));
    EXPECT_EQ(d.At(3, g.top + 2 * g.lineHeight)[0].text, "line " + std::to_string(2 * g.rowsPerPage + 3));
}

TEST(PrintPagesTest, ALongLineIsCutOrContinuesAndCountsAgainstThePage)
{
    TPageSetup s = EvenMargins();
    s.footer = s.header = "";
    TPageGeometry g = ComputeGeometry(s, SmallPage());  // 80 characters across, 59 rows
    std::vector<std::string> lines = Numbered(g.rowsPerPage);
    lines[1] = std::string(80, 'a') + std::string(80, 'b') + "cc";  // three printed rows
    TLines doc(lines);

    TFakeDevice cut;
    s.splitLongLines = false;
    EXPECT_EQ(PrintPages(cut, doc.First(), doc.All(), s, g, 8, Fields()).pages, 1);
    EXPECT_EQ(cut.At(1, g.top + g.lineHeight)[0].text, std::string(80, 'a'));
    EXPECT_EQ(cut.At(1, g.top + 2 * g.lineHeight)[0].text, "line 3");
    EXPECT_EQ(cut.texts.size(), static_cast<std::size_t>(g.rowsPerPage));

    TFakeDevice split;
    s.splitLongLines = true;
    EXPECT_EQ(PrintPages(split, doc.First(), doc.All(), s, g, 8, Fields()).pages, 2);
    EXPECT_EQ(split.At(1, g.top + 2 * g.lineHeight)[0].text, std::string(80, 'b'));
    EXPECT_EQ(split.At(1, g.top + 3 * g.lineHeight)[0].text, "cc");
    // The two extra rows push the last two lines onto a second page.
    EXPECT_EQ(split.At(2, g.top)[0].text, "line " + std::to_string(g.rowsPerPage - 1));
    EXPECT_EQ(split.At(2, g.top + g.lineHeight)[0].text, "line " + std::to_string(g.rowsPerPage));
}

TEST(PrintPagesTest, APageBreakInsideALineContinuesOnTheNextPage)
{
    TPageSetup s = EvenMargins();
    s.footer = s.header = "";
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    std::vector<std::string> lines = Numbered(g.rowsPerPage);
    lines.back() = std::string(80, 'x') + "\ty";  // the tab expands to column 88
    TLines doc(lines);
    TFakeDevice d;
    EXPECT_EQ(PrintPages(d, doc.First(), doc.All(), s, g, 8, Fields()).pages, 2);
    EXPECT_EQ(d.At(2, g.top)[0].text, "        y");
    std::vector<TPageStart> index = IndexPages(doc.First(), doc.All(), s, g, 8, d, kPreviewPageLimit);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[1].line, g.rowsPerPage - 1);
    EXPECT_EQ(index[1].offset, 80);
}

TEST(PrintPagesTest, ALinesRangeBeyondTheEndPrintsNothing)
{
    TLines doc(Numbered(5));
    TPageSetup s = EvenMargins();
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    TFakeDevice d;
    TLineSpan span = ResolveRange(TPrintRange::Lines, 6, 9, doc.LastLine(), 0, 0);
    TPrintOutcome o = PrintPages(d, doc.First(), span, s, g, 8, Fields());
    EXPECT_EQ(o.pages, 0);
    EXPECT_EQ(d.started, 0);
    EXPECT_TRUE(d.texts.empty());

    // A range inside prints just its lines, numbered from the first page number.
    span = ResolveRange(TPrintRange::Lines, 2, 3, doc.LastLine(), 0, 0);
    o = PrintPages(d, doc.First(), span, s, g, 8, Fields());
    EXPECT_EQ(o.pages, 1);
    EXPECT_EQ(d.At(1, g.top)[0].text, "line 2");
    EXPECT_EQ(d.At(1, g.top + g.lineHeight)[0].text, "line 3");
    EXPECT_TRUE(d.At(1, g.top + 2 * g.lineHeight).empty());
}

TEST(PrintPagesTest, CancellingStopsAfterTheCurrentPage)
{
    TPageSetup s = EvenMargins();
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    TLines doc(Numbered(5 * g.rowsPerPage));
    TFakeDevice d;
    d.cancelAfterStart = 2;  // the user presses Cancel while page 2 is drawn
    TPrintOutcome o = PrintPages(d, doc.First(), doc.All(), s, g, 8, Fields());
    EXPECT_TRUE(o.cancelled);
    EXPECT_EQ(o.pages, 2);
    EXPECT_EQ(d.started, 2);
    EXPECT_EQ(d.ended, 2);  // the current page is finished

    TFakeDevice failing;
    failing.failStartAt = 3;
    o = PrintPages(failing, doc.First(), doc.All(), s, g, 8, Fields());
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.pages, 2);
    EXPECT_EQ(failing.ended, 2);
}

TEST(PrintPagesTest, EmptyLinesAndAnEmptyDocumentTakeRows)
{
    TPageSetup s = EvenMargins();
    s.header = s.footer = "";
    TPageGeometry g = ComputeGeometry(s, SmallPage());
    TLines empty({""});
    TFakeDevice d;
    EXPECT_EQ(PrintPages(d, empty.First(), empty.All(), s, g, 8, Fields()).pages, 1);

    std::vector<std::string> lines(g.rowsPerPage + 1, "");
    TLines blanks(lines);
    EXPECT_EQ(IndexPages(blanks.First(), blanks.All(), s, g, 8, d, kPreviewPageLimit).size(), 2u);
}

// The preview's index against the printed run: seeking to every recorded start gives the same page.
TEST(PrintPagesTest, PageIndexAgreesWithASequentialWalk)
{
    std::mt19937 random(77);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> lines(1 + random() % 200);
        for (std::string& line : lines) {
            line.assign(random() % 5 == 0 ? random() % 400 : random() % 60, 'a');
            for (char& c : line)
                c = "aW \t"[random() % 4];
        }
        TLines doc(lines);
        TPageSetup s = EvenMargins();
        s.splitLongLines = random() % 2;
        TDeviceMetrics m = SmallPage();
        m.lineHeight = 15 + random() % 200;
        TPageGeometry g = ComputeGeometry(s, m);
        TFakeDevice d;
        int tab = 1 + random() % 8;
        int32_t from = random() % lines.size();
        TLineSpan span{from, static_cast<int32_t>(1 + random() % (lines.size() - from))};

        std::vector<std::vector<std::string>> pages;
        TPageWalker walk(doc.First(), span, s, g, tab, d);
        std::vector<std::string> rows;
        while (walk.NextPage(&rows))
            pages.push_back(rows);
        std::vector<TPageStart> index = IndexPages(doc.First(), span, s, g, tab, d, kPreviewPageLimit);
        ASSERT_EQ(index.size(), pages.size());
        for (std::size_t p = 0; p < pages.size(); ++p) {
            TPageWalker seek(doc.First(), span, s, g, tab, d);
            seek.Seek(doc.First(), span, index[p]);
            ASSERT_TRUE(seek.NextPage(&rows));
            ASSERT_EQ(rows, pages[p]) << "round " << round << " page " << p;
        }
        // Every line's rows appear once: the pages hold every row of the span.
        std::size_t total = 0;
        for (const auto& page : pages)
            total += page.size();
        std::size_t expected = 0;
        std::vector<TPiece> pieces;
        for (int32_t i = span.first; i < span.first + span.count; ++i) {
            SplitPieces(ExpandTabs(lines[i].c_str(), tab), g.width, s.splitLongLines, d, pieces);
            expected += pieces.size();
        }
        EXPECT_EQ(total, expected);
    }
}

TEST(PrintPagesTest, TheIndexStopsAtItsLimit)
{
    TPageSetup s = EvenMargins();
    TDeviceMetrics m = SmallPage();
    m.lineHeight = 600;  // one row a page
    TPageGeometry g = ComputeGeometry(s, m);
    ASSERT_EQ(g.rowsPerPage, 1);
    TLines doc(Numbered(30));
    TFakeDevice d;
    EXPECT_EQ(IndexPages(doc.First(), doc.All(), s, g, 8, d, 25).size(), 25u);
    EXPECT_EQ(IndexPages(doc.First(), doc.All(), s, g, 8, d, 5000).size(), 30u);
}

TEST(PageSetupValuesTest, MarginsAreDecimalMillimetres)
{
    int32_t t = -1;
    EXPECT_TRUE(ParseMargin("19.1", &t));
    EXPECT_EQ(t, 191);
    EXPECT_TRUE(ParseMargin(" 25 ", &t));
    EXPECT_EQ(t, 250);
    EXPECT_TRUE(ParseMargin("0", &t));
    EXPECT_EQ(t, 0);
    EXPECT_TRUE(ParseMargin("12,5", &t));
    EXPECT_EQ(t, 125);
    EXPECT_TRUE(ParseMargin(".5", &t));
    EXPECT_EQ(t, 5);
    EXPECT_TRUE(ParseMargin("7.", &t));
    EXPECT_EQ(t, 70);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1.25", "-3", "12mm", ".", "10000", "1 2", "+4"})
        EXPECT_FALSE(ParseMargin(bad, &t)) << bad;
    for (int32_t v : {0, 5, 191, 254, 1000, 99999}) {
        ASSERT_TRUE(ParseMargin(FormatMargin(v), &t)) << v;
        EXPECT_EQ(t, v);
    }
    EXPECT_EQ(FormatMargin(191), "19.1");
    EXPECT_EQ(FormatMargin(250), "25");

    TPageSetup s;
    EXPECT_TRUE(MarginsFitPage(s, 2100, 2970));
    s.leftMargin = 1000;
    s.rightMargin = 1100;
    EXPECT_FALSE(MarginsFitPage(s, 2100, 2970));
    EXPECT_TRUE(MarginsFitPage(s, 0, 0));  // no page known
    s = TPageSetup{};
    s.topMargin = 2970;
    EXPECT_FALSE(MarginsFitPage(s, 2100, 2970));
}

#include "printing/PreviewPages.h"

TEST(PreviewPagesTest, AOnePageDocumentAllowsNoMove)
{
    TPreviewPages p(1);
    EXPECT_FALSE(p.CanGoBack());
    EXPECT_FALSE(p.CanGoForward());
    p.Next();
    p.Last();
    p.SetTwoPages(true);
    EXPECT_EQ(p.FirstShown(), 1u);
    EXPECT_EQ(p.LastShown(), 1u);
    EXPECT_EQ(p.StatusText("Page", "of"), "Page 1 of 1");
    EXPECT_FALSE(p.CanGoForward());
}

TEST(PreviewPagesTest, TwoPagesOfThreeStopAtTheEnd)
{
    TPreviewPages p(3);
    p.SetTwoPages(true);
    EXPECT_EQ(p.StatusText("Page", "of"), "Page 1 - 2  of 3");
    EXPECT_FALSE(p.CanGoBack());
    p.Next();
    EXPECT_EQ(p.FirstShown(), 2u);
    EXPECT_EQ(p.LastShown(), 3u);
    EXPECT_FALSE(p.CanGoForward());
    p.Next();
    EXPECT_EQ(p.FirstShown(), 2u);
    EXPECT_EQ(p.LastShown(), 3u);
    p.First();
    EXPECT_EQ(p.FirstShown(), 1u);
    EXPECT_EQ(p.LastShown(), 2u);
    // Back to one page keeps the left page.
    p.Next();
    p.SetTwoPages(false);
    EXPECT_EQ(p.StatusText("Page", "of"), "Page 2 of 3");
    p.Last();
    EXPECT_EQ(p.FirstShown(), 3u);
    // Two pages on the last page show the last two.
    p.SetTwoPages(true);
    EXPECT_EQ(p.FirstShown(), 2u);
    EXPECT_EQ(p.LastShown(), 3u);
}

TEST(PreviewPagesTest, LastInTwoPageModeShowsTheLastPair)
{
    TPreviewPages p(10);
    p.SetTwoPages(true);
    p.Last();
    EXPECT_EQ(p.FirstShown(), 9u);
    EXPECT_EQ(p.LastShown(), 10u);
    EXPECT_TRUE(p.CanGoBack());
    EXPECT_FALSE(p.CanGoForward());
    p.Previous();
    EXPECT_EQ(p.FirstShown(), 8u);
    p.First();
    p.Previous();
    EXPECT_EQ(p.FirstShown(), 1u);
    EXPECT_EQ(p.LastShown(), 2u);
}

// Any sequence of moves keeps both pages inside the document and the pair adjacent.
TEST(PreviewPagesTest, RandomMovesKeepThePagesInRange)
{
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        unsigned max = 1 + random() % 12;
        TPreviewPages p(max);
        for (int step = 0; step < 50; ++step) {
            switch (random() % 5) {
            case 0: p.First(); break;
            case 1: p.Previous(); break;
            case 2: p.Next(); break;
            case 3: p.Last(); break;
            default: p.SetTwoPages(!p.TwoPages()); break;
            }
            ASSERT_GE(p.FirstShown(), 1u);
            ASSERT_LE(p.LastShown(), max);
            unsigned span = p.TwoPages() && max > 1 ? 1u : 0u;
            ASSERT_EQ(p.LastShown() - p.FirstShown(), span) << "max " << max << " step " << step;
        }
    }
}
