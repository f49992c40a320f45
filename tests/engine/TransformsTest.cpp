// Block formatting and text transforms: alignment, reflow, case, transposition, tabs, fill, conversion,
// sorting, word count and line drawing, each checked for its bytes and its one undo record.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Transforms.h"
#include "engine/Undo.h"
#include "support/EngineFixture.h"

namespace {
// An editor whose dialogs answer as a test says.
class TDialogEditor : public TClipboardEditor {
public:
    bool SortDialog(int* keyColumn, int* keyLength) noexcept override
    {
        ++sortAsked;
        if (sortColumn)
            *keyColumn = sortColumn;
        if (sortLength)
            *keyLength = sortLength;
        return sortAnswer;
    }
    bool FillBlockDialog(char* buffer, int size) noexcept override
    {
        shownFill = buffer;
        std::snprintf(buffer, static_cast<std::size_t>(size), "%s", fill.c_str());
        return fillAnswer;
    }
    bool ConvertTextDialog(unsigned char* table, bool* selectionOnly) noexcept override
    {
        if (!convertAnswer)
            return false;
        std::memcpy(table, convertTable, 256);
        *selectionOnly = convertSelection;
        return true;
    }
    void WordCount(long lines, long nonBlank, long paragraphs, long words, long chars) noexcept override
    {
        counts = {lines, nonBlank, paragraphs, words, chars};
    }
    int sortColumn = 0;
    int sortLength = 0;
    bool sortAnswer = true;
    int sortAsked = 0;
    std::string fill;
    std::string shownFill;
    bool fillAnswer = true;
    unsigned char convertTable[256] = {};
    bool convertAnswer = true;
    bool convertSelection = false;
    std::vector<long> counts;
};

class Transforms : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        TransformOptions() = TTransformOptions{};
        for (int b = 0; b < 256; ++b)
            ed.convertTable[b] = static_cast<unsigned char>(b);
    }
    void TearDown() override
    {
        EXPECT_TRUE(ed.CheckList());
        EngineOptions() = TEngineOptions{};
        TransformOptions() = TTransformOptions{};
    }
    void Doc(const std::string& text)
    {
        ASSERT_TRUE(ed.Load(text));
        ed.ClearUndo();
        ed.modified = false;
    }
    void Run(unsigned command) { ed.ExecuteCommand(command, 0); }
    void Select(int c0, int l0, int c1, int l1, bool column = false)
    {
        ed.selStartCol = static_cast<int16_t>(c0);
        ed.selStartLine = l0;
        ed.selEndCol = static_cast<int16_t>(c1);
        ed.selEndLine = l1;
        ed.columnMode = column;
        ed.selShown = true;
    }
    // Runs a command that must change the text with exactly one record labelled `label`, whose Undo gives
    // back the exact bytes; the text after the command is returned.
    std::string Changed(unsigned command, const char* label)
    {
        const std::string before = ed.Joined();
        const int32_t records = ed.undoCount;
        Run(command);
        cursorAfter = ed.Cursor();
        const std::string after = ed.Joined();
        EXPECT_NE(after, before);
        EXPECT_EQ(ed.undoCount, records + 1);
        EXPECT_TRUE(ed.modified);
        EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), label);
        Run(cmUndo);
        EXPECT_EQ(ed.Joined(), before);
        Run(cmRedo);
        EXPECT_EQ(ed.Joined(), after);
        // Undo and Redo placed the cursor: the next step starts where the command left it.
        ed.GotoPosition(cursorAfter.col, cursorAfter.line, false);
        return after;
    }
    // Runs a command that must leave the text and the undo list alone.
    void Unchanged(unsigned command)
    {
        const std::string before = ed.Joined();
        const int32_t records = ed.undoCount;
        Run(command);
        EXPECT_EQ(ed.Joined(), before);
        EXPECT_EQ(ed.undoCount, records);
    }

    TDialogEditor ed;
    TPosition cursorAfter;
};

// ---- Alignment and reflow. ---------------------------------------------------------------------------
TEST_F(Transforms, LeftAlignsTheParagraphAroundTheCursorAndKeepsTheCursor)
{
    Doc("  one\t two   three  \n   four\n\nafter   it");
    ed.GotoPosition(3, 1, false);
    EXPECT_EQ(Changed(cmLeftBlockPara, "&Undo Formating"), "one two three\nfour\n\nafter   it");
    EXPECT_EQ(cursorAfter, Pos(3, 1));
}

TEST_F(Transforms, CenterLeavesALineWithNoRoomAsItIs)
{
    EngineOptions().wordWrapColumn = 76;
    const std::string wide(80, 'w');
    Doc(wide);
    Unchanged(cmCenterBlockPara);
    Doc("  abcd  \nxy");
    EngineOptions().wordWrapColumn = 10;
    EXPECT_EQ(Changed(cmCenterBlockPara, "&Undo Formating"), "   abcd\n    xy");
}

TEST_F(Transforms, RightAlignsTheSelectedLinesOnly)
{
    EngineOptions().wordWrapColumn = 8;
    Doc("a  b\ncd\nef\ngh");
    Select(1, 1, 0, 3);  // ends at the start of line 3: lines 1 and 2
    EXPECT_EQ(Changed(cmRightBlockPara, "&Undo Formating"), "a  b\n      cd\n      ef\ngh");
    EXPECT_FALSE(ed.selShown);
}

TEST_F(Transforms, AlignOnABlankLineDoesNothing)
{
    Doc("x\n\ny");
    ed.GotoPosition(0, 1, false);
    Unchanged(cmLeftBlockPara);
    Unchanged(cmJustifyBlockPara);
}

TEST_F(Transforms, JustifyAtTenMakesFullLinesExceptTheLast)
{
    EngineOptions().wordWrapColumn = 10;
    Doc("ab ab ab ab ab");
    EXPECT_EQ(Changed(cmJustifyBlockPara, "&Undo Formating"), "ab  ab  ab\nab ab");
    Doc("aa bb cc\tdd ee ff gg hh ii");
    EXPECT_EQ(Changed(cmJustifyBlockPara, "&Undo Formating"), "aa  bb  cc\ndd  ee  ff\ngg hh ii");
}

TEST_F(Transforms, JustifyJoinsLinesAndSpreadsSpacesFromTheLeft)
{
    EngineOptions().wordWrapColumn = 12;
    Doc("a b c\nd  eeeeee\nf\n\nnext");
    EXPECT_EQ(Changed(cmJustifyBlockPara, "&Undo Formating"), "a   b   c  d\neeeeee f\n\nnext");
    EXPECT_EQ(cursorAfter, Pos(8, 1));
}

TEST_F(Transforms, JustifyWiderThanTheTextMakesOneRaggedLine)
{
    EngineOptions().wordWrapColumn = 76;
    Doc("short\n  text   here");
    EXPECT_EQ(Changed(cmJustifyBlockPara, "&Undo Formating"), "short text here");
}

TEST_F(Transforms, JustifyPutsAWordLongerThanTheWidthOnItsOwnLine)
{
    std::string out;
    ASSERT_TRUE(JustifyText("abcdefghijkl mn op", 10, &out));
    EXPECT_EQ(out, "abcdefghijkl\r\nmn op");
    std::string big(kJustifyTextLimit + 1, 'x');
    EXPECT_FALSE(JustifyText(big, 10, &out));
}

// ---- Case. -------------------------------------------------------------------------------------------
TEST_F(Transforms, CaseOfTheCharacterUnderTheCursorStepsRight)
{
    Doc("abc");
    ed.GotoPosition(1, 0, false);
    EXPECT_EQ(Changed(cmUpperCase, "&Undo Change Case"), "aBc");
    EXPECT_EQ(cursorAfter, Pos(2, 0));
    ed.GotoPosition(1, 0, false);
    Run(cmFlipCase);
    EXPECT_EQ(ed.Joined(), "abc");
    ed.GotoPosition(5, 0, false);
    Unchanged(cmUpperCase);
    EXPECT_EQ(ed.Cursor(), Pos(6, 0));
}

TEST_F(Transforms, CaseOfAStreamSelectionAndOfAColumnBlock)
{
    Doc("hello world\nsecond line\nthird");
    Select(6, 0, 3, 2);
    EXPECT_EQ(Changed(cmUpperCase, "&Undo Change Case"), "hello WORLD\nSECOND LINE\nTHIrd");
    Doc("abcdef\nab\nabcdef");
    Select(4, 0, 1, 2, true);
    EXPECT_EQ(Changed(cmUpperCase, "&Undo Change Case"), "aBCDef\naB\naBCDef");
    Select(1, 0, 3, 2, true);
    EXPECT_EQ(Changed(cmFlipCase, "&Undo Change Case"), "abcDef\nab\nabcDef");
}

TEST_F(Transforms, WordCommandsTakeTheWordAtTheCursor)
{
    Doc("say hELLo_x there");
    ed.GotoPosition(6, 0, false);
    EXPECT_EQ(Changed(cmUpperCaseWord, "&Undo Change Case"), "say HELLO_X there");
    EXPECT_EQ(Changed(cmLowerCaseWord, "&Undo Change Case"), "say hello_x there");
    EXPECT_EQ(Changed(cmCapitalizeWord, "&Undo Change Case"), "say Hello_x there");
    EXPECT_EQ(Changed(cmFlipCaseWord, "&Undo Change Case"), "say hELLO_X there");
    EXPECT_EQ(ed.Cursor(), Pos(6, 0));
    ed.GotoPosition(3, 0, false);  // after "say": the word before the cursor
    EXPECT_EQ(Changed(cmUpperCaseWord, "&Undo Change Case"), "SAY hELLO_X there");
}

TEST_F(Transforms, TitleCaseLooksLeftOfAColumnBlock)
{
    Doc("the QUICK brown-fox\nxjumps over");
    Select(0, 0, 11, 1);
    EXPECT_EQ(Changed(cmTitleCase, "&Undo Change Case"), "The Quick Brown-Fox\nXjumps Over");
    Doc("abcdef\nab cdef");
    Select(1, 0, 5, 1, true);
    EXPECT_EQ(Changed(cmTitleCase, "&Undo Change Case"), "abcdef\nab Cdef");
}

TEST_F(Transforms, SentenceCaseStartsAfterStopsAndEmptyLines)
{
    Doc("one. TWO! three? FOUR\nstill FOUR\n\nfive");
    Select(0, 0, 4, 3);
    EXPECT_EQ(Changed(cmSentenceCase, "&Undo Change Case"), "One. Two! Three? Four\nstill four\n\nFive");
    Doc("done.  NEXT word");
    Select(7, 0, 16, 0);
    EXPECT_EQ(Changed(cmSentenceCase, "&Undo Change Case"), "done.  Next word");
    Doc("mid WORD here");
    ed.GotoPosition(5, 0, false);
    EXPECT_EQ(Changed(cmSentenceCase, "&Undo Change Case"), "mid word here");
}

TEST_F(Transforms, CroatianLettersChangeCaseUnderTheirLanguage)
{
    EngineOptions().language = 3;
    Doc("\x7Buma");
    Select(0, 0, 4, 0);
    EXPECT_EQ(Changed(cmUpperCase, "&Undo Change Case"), "\x5BUMA");
    EngineOptions().language = 0;
    Doc("\x7Buma");
    Select(0, 0, 4, 0);
    EXPECT_EQ(Changed(cmUpperCase, "&Undo Change Case"), "\x7BUMA");
}

// ---- Transpositions. ---------------------------------------------------------------------------------
TEST_F(Transforms, TransposeCharAtTheStartInsideAndBeyondTheEnd)
{
    Doc("abcd");
    EXPECT_EQ(Changed(cmTransposeChar, "&Undo Transpose"), "bacd");
    ed.GotoPosition(2, 0, false);
    EXPECT_EQ(Changed(cmTransposeChar, "&Undo Transpose"), "bcad");
    EXPECT_EQ(ed.Cursor(), Pos(2, 0));
    ed.GotoPosition(9, 0, false);
    EXPECT_EQ(Changed(cmTransposeChar, "&Undo Transpose"), "bcda");
    Doc("x");
    ed.GotoPosition(1, 0, false);
    Unchanged(cmTransposeChar);
    Doc("a\tb");
    ed.GotoPosition(3, 0, false);  // inside the tab
    Unchanged(cmTransposeChar);
}

TEST_F(Transforms, TransposeWordSwapsTheCursorWordWithTheOneBefore)
{
    Doc("one, two three");
    ed.GotoPosition(6, 0, false);
    EXPECT_EQ(Changed(cmTransposeWord, "&Undo Transpose"), "two, one three");
    ed.GotoPosition(8, 0, false);  // between words: the next one is the second
    EXPECT_EQ(Changed(cmTransposeWord, "&Undo Transpose"), "two, three one");
    ed.GotoPosition(14, 0, false);  // at the end: the last byte's word
    EXPECT_EQ(Changed(cmTransposeWord, "&Undo Transpose"), "two, one three");
    ed.GotoPosition(15, 0, false);
    Unchanged(cmTransposeWord);
    ed.GotoPosition(1, 0, false);  // no word before the first
    Unchanged(cmTransposeWord);
}

// Found by the undo model: swapping a byte with a tab, or words of different lengths around tabs, moves the
// tabs to other stops, and a line near the limit grew past the 1024 columns a line may hold.
TEST_F(Transforms, TranspositionsRefuseToWidenALinePast1024)
{
    EngineOptions().tabSize = 4;
    const std::string line = std::string(1019, 'x') + "\tab";  // 1022 columns; "a\tb" would be 1025
    Doc(line);
    ed.GotoPosition(1020, 0, false);
    Unchanged(cmTransposeChar);
    EXPECT_EQ(ed.errors, std::vector<int>{kErrLineTooLong});

    std::string words = std::string(1015, 'y') + " a\tbbbb";  // 1024 columns; "bbbb\ta" would be 1025
    ASSERT_EQ(TVokEditor::LineWidth(words.c_str()), 1024);
    Doc(words);
    ed.errors.clear();
    ed.GotoPosition(1021, 0, false);
    Unchanged(cmTransposeWord);
    EXPECT_EQ(ed.errors, std::vector<int>{kErrLineTooLong});
}

TEST_F(Transforms, TransposeLineOnLineZeroSwapsTheFirstTwo)
{
    Doc("first\nsecond\nthird");
    EXPECT_EQ(Changed(cmTransposeLine, "&Undo Transpose"), "second\nfirst\nthird");
    ed.GotoPosition(2, 2, false);
    EXPECT_EQ(Changed(cmTransposeLine, "&Undo Transpose"), "second\nthird\nfirst");
    EXPECT_EQ(ed.Cursor(), Pos(2, 2));
    Doc("alone");
    Unchanged(cmTransposeLine);
}

// ---- Tabs and spaces. --------------------------------------------------------------------------------
TEST_F(Transforms, ExpandTabsToSpacesAtTheTabSize)
{
    EngineOptions().tabSize = 4;
    Doc("a\tb\n\t\tc\nnone");
    EXPECT_EQ(Changed(cmExpandTabsToSpaces, "&Undo"), "a   b\n        c\nnone");
}

TEST_F(Transforms, CompressLeavesRunsInsideStringsAndTakesThoseAfter)
{
    EXPECT_EQ(CompressSpaces("p(\"a      b\")      q", 8), "p(\"a      b\")\t   q");
    // The escaped quote does not end the string.
    EXPECT_EQ(CompressSpaces("p(\"a\\\"      b\")      q", 8), "p(\"a\\\"      b\")\t     q");
    // Runs of two stay, and a line no longer than the tab size is skipped.
    EXPECT_EQ(CompressSpaces("ab  cd  ef      g", 8), "ab  cd  ef\tg");
    EXPECT_EQ(CompressSpaces("a      ", 8), "a      ");
    EXPECT_EQ(CompressSpaces("        x", 8), "\tx");
    EngineOptions().tabSize = 8;
    Doc("x = \"a     b\";        // note");
    EXPECT_EQ(Changed(cmCompressSpacesToTabs, "&Undo"), "x = \"a     b\";\t      // note");
}

TEST_F(Transforms, TabSizeConversionKeepsTheLook)
{
    EngineOptions().tabSize = 8;
    Doc("\tx\n\t\ty = 1;\nab\tc");
    EXPECT_EQ(Changed(cmTab8TextToTab3Text, "&Undo"), "\t\t  x\n\t\t\t\t\t y = 1;\nab\t\t  c");
    Doc("\t\tdeep");
    EXPECT_EQ(Changed(cmTab3TextToTab8Text, "&Undo"), "      deep");
    EngineOptions().tabSize = 4;
    Doc("\tx");
    EXPECT_EQ(Changed(cmTab8TextToCurTabText, "&Undo"), "\t\tx");
    EXPECT_EQ(Changed(cmCurTabTextToTab8Text, "&Undo"), "\tx");
}

TEST_F(Transforms, TabSizeConversionOfPlainTextChangesNothing)
{
    Doc("a b  c\nno tabs here");
    Unchanged(cmTab8TextToTab3Text);
    EXPECT_FALSE(ed.modified);
    EngineOptions().tabSize = 8;
    Unchanged(cmTab8TextToCurTabText);  // 8 to 8
}

TEST_F(Transforms, TabSizeConversionRefusesLinesThatWouldGrowPast1024)
{
    EngineOptions().tabSize = 3;
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += "\tx";  // 600 columns at 3, 1600 at 8
    Doc(line);
    Unchanged(cmTab8TextToTab3Text);
    EXPECT_EQ(ed.errors, std::vector<int>{kErrLineTooLong});
}

// Found by the undo model: tabs made for stops of 3 are wider at the tab size in force, and the line grew
// past the 1024 columns a line may hold.
TEST_F(Transforms, TabSizeConversionRefusesTextWiderThan1024AtTheTabSizeInForce)
{
    EngineOptions().tabSize = 8;
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += "ab   ";  // 1000 columns, no tab
    ASSERT_GT(TVokEditor::LineWidth(CompressSpaces(line, 3).c_str()), kLineWidthLimit);
    Doc(line);
    Unchanged(cmTab8TextToTab3Text);
    EXPECT_EQ(ed.errors, std::vector<int>{kErrLineTooLong});
}

TEST_F(Transforms, TabSizeConversionOfALargeDocumentClearsTheHistory)
{
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "\tline of text " + std::to_string(i) + "\n";
    Doc(text);
    ed.GotoPosition(0, 0, false);
    ed.ExecuteCommand(cmInsertChar, 'z');
    ASSERT_EQ(ed.undoCount, 1);
    Run(cmTab8TextToTab3Text);
    EXPECT_EQ(ed.Text(0), "z\t\t  line of text 0");
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_EQ(ed.redoCount, 0);
    EXPECT_TRUE(ed.modified);
}

// ---- Fill and conversion. ----------------------------------------------------------------------------
TEST_F(Transforms, FillBlockRepeatsTheStringAcrossTheBlock)
{
    TransformOptions().sort = {};
    Doc("abcdefgh\nab\n\tz  \nabcdefgh");
    ed.fill = "xy";
    Select(1, 0, 6, 2, true);
    EXPECT_EQ(Changed(cmFillBlock, "&Undo"), "axyxyxgh\naxyxyx\n xyxyx  z\nabcdefgh");
    EXPECT_STREQ(TransformOptions().fillString, "xy");
    // The dialog opens on the last string; an empty answer, a cancel or a stream selection do nothing.
    ed.fill = "";
    Select(1, 0, 6, 2, true);
    Unchanged(cmFillBlock);
    EXPECT_EQ(ed.shownFill, "xy");
    ed.fill = "q";
    ed.fillAnswer = false;
    Unchanged(cmFillBlock);
    ed.fillAnswer = true;
    Select(1, 0, 6, 2, false);
    Unchanged(cmFillBlock);
}

TEST_F(Transforms, ConvertTextNeverMakesNorChangesLineBytes)
{
    Doc("AbA\tx\nBB");
    ed.convertTable[static_cast<unsigned char>('A')] = 0;
    ed.convertTable[static_cast<unsigned char>('b')] = '\n';
    ed.convertTable[static_cast<unsigned char>('\t')] = 'T';
    ed.convertTable[static_cast<unsigned char>('x')] = 0xE8;
    ed.convertTable[static_cast<unsigned char>('B')] = 'C';
    EXPECT_EQ(Changed(cmConvertText, "&Undo Convert Text"), "AbA\t\xE8\nCC");
    ed.convertAnswer = false;
    Unchanged(cmConvertText);
}

TEST_F(Transforms, ConvertTextOfTheSelectionOnly)
{
    Doc("aaaa\naaaa\naaaa");
    ed.convertTable[static_cast<unsigned char>('a')] = 'b';
    ed.convertSelection = true;
    Select(2, 0, 1, 1);
    EXPECT_EQ(Changed(cmConvertText, "&Undo Convert Text"), "aabb\nbaaa\naaaa");
    Select(1, 0, 3, 2, true);
    EXPECT_EQ(Changed(cmConvertText, "&Undo Convert Text"), "abbb\nbbba\nabba");
}

// ---- Sort. -------------------------------------------------------------------------------------------
TEST_F(Transforms, SortTheWholeDocumentAsOneRecord)
{
    Doc("pear\nApple\nfig\napple\nBanana");
    EXPECT_EQ(Changed(cmSort, "&Undo"), "Apple\napple\nBanana\nfig\npear");
    TransformOptions().sort.descending = true;
    EXPECT_EQ(Changed(cmSort, "&Undo"), "pear\nfig\nBanana\nApple\napple");
}

TEST_F(Transforms, SortByAColumnBlockKeyAndNumerically)
{
    Doc("x  10\ny   9\nz 100\nw  -2");
    Select(2, 0, 5, 3, true);
    TransformOptions().sort.numeric = true;
    EXPECT_EQ(Changed(cmSort, "&Undo"), "w  -2\ny   9\nx  10\nz 100");
    TransformOptions().sort.numeric = false;
    Select(2, 0, 5, 3, true);
    EXPECT_EQ(Changed(cmSort, "&Undo"), "w  -2\nx  10\nz 100\ny   9");
}

TEST_F(Transforms, SortKeyFromTheDialogAndItsLimits)
{
    Doc("b2\na3\nc1");
    ed.sortColumn = 2;
    ed.sortLength = 99;  // taken as 31
    EXPECT_EQ(Changed(cmSort, "&Undo"), "c1\nb2\na3");
    ed.sortAnswer = false;
    Unchanged(cmSort);
    ed.sortAnswer = true;
    Doc("only line");
    Unchanged(cmSort);
    EXPECT_EQ(ed.sortAsked, 3);
}

TEST_F(Transforms, SortOfMoreThan40000LinesDoesNothing)
{
    std::string text;
    for (int i = kSortMaxLines + 1; i >= 0; --i)
        text += std::to_string(i) + "\n";
    Doc(text);
    Select(1, 0, 1, kSortMaxLines + 1);
    Unchanged(cmSort);
    EXPECT_EQ(ed.sortAsked, 0);
    Select(1, 1, 1, kSortMaxLines + 1);  // exactly 40000 past the first
    Run(cmSort);
    EXPECT_EQ(ed.sortAsked, 1);
    EXPECT_EQ(ed.Text(0), std::to_string(kSortMaxLines + 1));
    EXPECT_EQ(ed.Text(1), "9");  // the one-digit lines have empty keys, and keep their order
    EXPECT_TRUE(ed.modified);
    // Far more text than a record may hold: the history goes, never the sort.
    EXPECT_EQ(ed.undoCount, 0);
}

TEST_F(Transforms, CaseSensitiveSortPutsUpperCaseFirstAmongEqualKeys)
{
    Doc("ab\nAb\naB\nAB\nb");
    Unchanged(cmSort);  // equal keys keep their order
    Doc("b\nab\nAb\naB\nAB");
    TransformOptions().sort.caseSensitive = true;
    EXPECT_EQ(Changed(cmSort, "&Undo"), "AB\nAb\naB\nab\nb");
}

// ---- Word count. -------------------------------------------------------------------------------------
TEST_F(Transforms, WordCountFigures)
{
    Doc("Two words\n  \t\nnext para, here_it is\nsame para\n\n\tlast");
    Run(cmWordCount);
    EXPECT_EQ(ed.counts, (std::vector<long>{6, 4, 3, 9, 38}));
    EXPECT_EQ(ed.undoCount, 0);
}

// ---- Line drawing. -----------------------------------------------------------------------------------
class LineDraw : public Transforms {
protected:
    // Keys: L R U D, each an arrow in line-draw mode.
    void Draw(int style, const std::string& keys)
    {
        TransformOptions().lineDrawStyle = style;
        Run(cmStartLineDraw);
        for (char k : keys)
            Run(k == 'L' ? cmCursorLeft : k == 'R' ? cmCursorRight : k == 'U' ? cmCursorUp : cmCursorDown);
        Run(cmEndLineDraw);
    }
};

TEST_F(LineDraw, ClosedSingleBox)
{
    Doc("");
    Draw(3, "RRRRDDLLLLUUR");
    EXPECT_EQ(ed.Joined(), "\xDA\xC4\xC4\xC4\xBF\n\xB3   \xB3\n\xC0\xC4\xC4\xC4\xD9");
    EXPECT_EQ(ed.Cursor(), Pos(1, 0));
}

TEST_F(LineDraw, DoubleBox)
{
    Doc("");
    Draw(4, "RRRRDDLLLLUUR");
    EXPECT_EQ(ed.Joined(), "\xC9\xCD\xCD\xCD\xBB\n\xBA   \xBA\n\xC8\xCD\xCD\xCD\xBC");
}

TEST_F(LineDraw, BoxCrossedByALine)
{
    Doc("");
    Draw(3, "RRRRDDLLLLUUR");
    ed.GotoPosition(0, 1, false);
    Draw(3, "RRRRRR");
    EXPECT_EQ(ed.Joined(), "\xDA\xC4\xC4\xC4\xBF\n\xC3\xC4\xC4\xC4\xC5\xC4\n\xC0\xC4\xC4\xC4\xD9");
    // Down through the top edge and the crossing line.
    ed.GotoPosition(2, 0, false);
    Draw(3, "DDDD");
    EXPECT_EQ(ed.Joined(), "\xDA\xC4\xC2\xC4\xBF\n\xC3\xC4\xC5\xC4\xC5\xC4\n\xC0\xC4\xC5\xC4\xD9\n  \xB3\n");
}

TEST_F(LineDraw, MixedStylesDoubleTopAndDoubleSide)
{
    Doc("");
    Draw(5, "RRRRDDLLLLUUR");
    EXPECT_EQ(ed.Joined(), "\xD5\xCD\xCD\xCD\xB8\n\xB3   \xB3\n\xD4\xCD\xCD\xCD\xBE");
    Doc("");
    Draw(6, "RRRRDDLLLLUUR");
    EXPECT_EQ(ed.Joined(), "\xD6\xC4\xC4\xC4\xB7\n\xBA   \xBA\n\xD3\xC4\xC4\xC4\xBD");
}

TEST_F(LineDraw, AsciiAnsiAndTheUserCharacter)
{
    Doc("");
    Draw(1, "RRDDLLL");
    EXPECT_EQ(ed.Joined(), "--+\n  |\n--+");
    Doc("");
    Draw(2, "DD");
    EXPECT_EQ(ed.Joined(), "\xA6\n\xA6\n");
    Doc("");
    TransformOptions().lineDrawChar = '*';
    Draw(0, "RRD");
    EXPECT_EQ(ed.Joined(), "***\n");
}

TEST_F(LineDraw, TabsAreExpandedAndEachStepIsOneRecord)
{
    EngineOptions().tabSize = 4;
    Doc("\tab");
    ed.GotoPosition(1, 0, false);
    TransformOptions().lineDrawStyle = 3;
    Run(cmStartLineDraw);
    Run(cmCursorRight);
    EXPECT_EQ(ed.Joined(), " \xC4  ab");
    EXPECT_EQ(ed.undoCount, 1);
    Run(cmCursorRight);
    EXPECT_EQ(ed.undoCount, 2);
    Run(cmUndo);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "\tab");
    // A selection being made moves instead of drawing.
    Run(cmStartSelect);
    Run(cmCursorRight);
    EXPECT_EQ(ed.Joined(), "\tab");
}

TEST(BoxTable, EveryBoxCharacterIsFoundByItsArms)
{
    for (int c = 0xB3; c <= 0xDA; ++c)
        EXPECT_EQ(BoxCharacter(BoxConnections(c)), c);
    EXPECT_EQ(BoxConnections(0xC4), 3);
    EXPECT_EQ(BoxConnections(0xBA), 192);
    EXPECT_EQ(BoxConnections(0xC5), 15);
    EXPECT_EQ(BoxCharacter(2), 0);
    // Different kinds above and below: no vertical arm.
    EXPECT_EQ(LineDrawCharacter(3, ' ', 2, 0, 0, 0xBA, 0xB3), 0xC4);
    EXPECT_EQ(LineDrawCharacter(3, ' ', 9, 0, 0, 0xB3, 0), 0xC0);  // any other direction is right
}
}  // namespace
