// The line store: lookup by index, the column model with tabs, trimming, update batching and states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/EngineFixture.h"

namespace {
class LineStoreTest : public TEngineTest {};

TEST_F(LineStoreTest, NewDocumentHasOneEmptyLineThatEveryIndexFinds)
{
    EXPECT_EQ(ed.lastLine, 0);
    EXPECT_EQ(ed.firstLine->prev, nullptr);
    EXPECT_EQ(ed.firstLine->next, nullptr);
    for (int32_t i : {-3, 0, 1, 5, 1 << 30})
        EXPECT_EQ(ed.LineAt(i), ed.firstLine) << i;
    EXPECT_EQ(ed.CharAtCursor(), 0);
}

// Every target from every cursor position: before the head, nearer the head, nearer the cursor, past the end.
class LineAtTest : public TEngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(LineAtTest, FindsTheSameLineWhereverTheCursorStands)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i)
        lines.push_back("line " + std::to_string(i));
    Doc(lines);
    ed.GotoPosition(2, GetParam(), false);
    ASSERT_EQ(ed.curLineNo, GetParam());
    ASSERT_EQ(ed.Text(ed.curLineNo), "line " + std::to_string(GetParam()));
    for (int32_t t = -2; t < 16; ++t) {
        int32_t want = t < 0 ? 0 : (t > 11 ? 11 : t);
        EXPECT_EQ(ed.Text(t), "line " + std::to_string(want)) << "target " << t;
    }
    EXPECT_EQ(ed.curLineNo, GetParam());  // lookups never move the cursor
}

INSTANTIATE_TEST_SUITE_P(Cursor, LineAtTest, ::testing::Values(0, 1, 3, 6, 7, 10, 11));

TEST_F(LineStoreTest, StepLinesStopsAtEitherEnd)
{
    Doc({"a", "b", "c"});
    EXPECT_STREQ(TVokEditor::StepLines(ed.firstLine, 2)->text, "c");
    EXPECT_STREQ(TVokEditor::StepLines(ed.firstLine, 99)->text, "c");
    EXPECT_STREQ(TVokEditor::StepLines(ed.LineAt(2), -99)->text, "a");
    EXPECT_STREQ(TVokEditor::StepLines(ed.LineAt(1), 0)->text, "b");
}

TEST_F(LineStoreTest, InsertLineAfterLinksBothWays)
{
    Doc({"a", "c"});
    LineRecord* b = ed.InsertLineAfter(ed.firstLine);
    ASSERT_NE(b, nullptr);
    ++ed.lastLine;
    EXPECT_STREQ(b->text, "");
    EXPECT_EQ(b->state, 0);
    EXPECT_EQ(b->prev, ed.firstLine);
    EXPECT_EQ(ed.firstLine->next, b);
    EXPECT_EQ(b->next->prev, b);
    EXPECT_EQ(ed.Joined(), "a\n\nc");

    LineRecord* loose = ed.InsertLineAfter(nullptr);
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->prev, nullptr);
    EXPECT_EQ(loose->next, nullptr);
    ed.FreeLine(loose);
}

TEST_F(LineStoreTest, InsertLineAfterLinksNothingWhenMemoryRunsOut)
{
    Doc({"a", "b"});
    // Records come from blocks, so only the text's allocation is certain to be asked for here.
    for (bool always : {false, true}) {
        if (always)
            SetAllocFailAt(1);
        else
            SetAllocFailOnce(1);
        EXPECT_EQ(ed.InsertLineAfter(ed.firstLine), nullptr) << always;
        SetAllocFailAt(0);
        EXPECT_EQ(ed.firstLine->next->prev, ed.firstLine);
        EXPECT_EQ(ed.Joined(), "a\nb");
    }
}

// PointerAtColumn stops at the first byte at which the running column is no longer below the wanted one.
struct TColumnCase {
    int tab;
    const char* text;
    int col;
    int byteIndex;
};

class PointerAtColumnTest : public TEngineTest, public ::testing::WithParamInterface<TColumnCase> {};

TEST_P(PointerAtColumnTest, WalksTabsToTheirNextStop)
{
    const TColumnCase& c = GetParam();
    EngineOptions().tabSize = static_cast<int16_t>(c.tab);
    EXPECT_EQ(TVokEditor::PointerAtColumn(c.text, c.col) - c.text, c.byteIndex)
        << "tab " << c.tab << " column " << c.col;
}

INSTANTIATE_TEST_SUITE_P(Table, PointerAtColumnTest,
                         ::testing::Values(TColumnCase{8, "a\tb", 0, 0}, TColumnCase{8, "a\tb", 1, 1},
                                           TColumnCase{8, "a\tb", 2, 2}, TColumnCase{8, "a\tb", 5, 2},
                                           TColumnCase{8, "a\tb", 8, 2}, TColumnCase{8, "a\tb", 9, 3},
                                           TColumnCase{8, "a\tb", 500, 3}, TColumnCase{3, "a\tb", 2, 2},
                                           TColumnCase{3, "a\tb", 3, 2}, TColumnCase{3, "a\tb", 4, 3},
                                           TColumnCase{3, "\t\tx", 3, 1}, TColumnCase{3, "\t\tx", 4, 2},
                                           TColumnCase{3, "\t\tx", 6, 2}, TColumnCase{8, "", 4, 0},
                                           TColumnCase{8, "abc", -1, 0}));

TEST_F(LineStoreTest, ColumnOfPointerCountsTabExpansion)
{
    const char* text = "a\tb\tc";
    EngineOptions().tabSize = 8;
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text), 0);
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 1), 1);
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 2), 8);
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 4), 16);
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 5), 17);
    EngineOptions().tabSize = 3;
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 2), 3);
    EXPECT_EQ(TVokEditor::ColumnOfPointer(text, text + 4), 6);
    // The two walks are inverse on every byte.
    for (const char* p = text; *p; ++p)
        EXPECT_EQ(TVokEditor::PointerAtColumn(text, TVokEditor::ColumnOfPointer(text, p)), p);
}

// The column walks step over runs of plain bytes at once; the byte-by-byte definition is the reference.
TEST_F(LineStoreTest, ColumnWalksAgreeWithTheBytewiseDefinitionOnRandomLines)
{
    unsigned state = 11;
    auto next = [&state](unsigned bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    };
    for (int round = 0; round < 2000; ++round) {
        const int tab = 1 + static_cast<int>(next(16));
        EngineOptions().tabSize = static_cast<int16_t>(tab);
        std::string text;
        const unsigned length = next(4) == 0 ? next(300) : next(30);
        for (unsigned i = 0; i < length; ++i)
            text += next(5) == 0 ? '\t' : static_cast<char>('a' + next(3));
        std::vector<int> columnBefore;  // the column at which each byte starts, and the width at the end
        int c = 0;
        for (char ch : text) {
            columnBefore.push_back(c);
            c += ch == '\t' ? tab - c % tab : 1;
        }
        columnBefore.push_back(c);
        const char* t = text.c_str();
        ASSERT_EQ(TVokEditor::LineWidth(t), c) << text;
        for (std::size_t i = 0; i <= text.size() + 2; ++i)
            ASSERT_EQ(TVokEditor::ColumnOfPointer(t, t + std::min(i, text.size())),
                      columnBefore[std::min(i, text.size())]);
        for (int col = -1; col <= c + 3; ++col) {
            std::size_t at = 0;
            while (at < text.size() && columnBefore[at] < col)
                ++at;
            ASSERT_EQ(TVokEditor::PointerAtColumn(t, col) - t, static_cast<std::ptrdiff_t>(at))
                << "column " << col << " of \"" << text << "\" tab " << tab;
        }
    }
}

TEST_F(LineStoreTest, LineWidthsWithAndWithoutTrailingBlanks)
{
    EngineOptions().tabSize = 8;
    EXPECT_EQ(TVokEditor::LineWidth(""), 0);
    EXPECT_EQ(TVokEditor::LineWidth("ab\t"), 8);
    EXPECT_EQ(TVokEditor::LineWidthTrimmed("ab\t  "), 2);
    EXPECT_EQ(TVokEditor::LineWidthTrimmed("\tx \t"), 9);
    EXPECT_EQ(TVokEditor::LineWidthTrimmed(" \t "), 0);
}

TEST_F(LineStoreTest, ChangingTheTabSizeMovesColumnsButNotBytes)
{
    Doc({"\tx"});
    EngineOptions().tabSize = 8;
    EXPECT_EQ(TVokEditor::LineWidth(ed.Text(0).c_str()), 9);
    EngineOptions().tabSize = 4;
    EXPECT_EQ(TVokEditor::LineWidth(ed.Text(0).c_str()), 5);
    EXPECT_EQ(ed.Save(kFormatUnix), "\tx\n");
}

TEST_F(LineStoreTest, CharAndWordAtCursor)
{
    Doc({"  foo_1+bar"});
    char buf[16];
    ed.GotoPosition(3, 0, false);
    EXPECT_EQ(ed.CharAtCursor(), 'o');
    EXPECT_EQ(ed.WordAtCursor(buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "foo_1");
    ed.GotoPosition(7, 0, false);  // on '+', just after the word: the word ending here
    EXPECT_EQ(ed.WordAtCursor(buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "foo_1");
    ed.GotoPosition(1, 0, false);
    EXPECT_EQ(ed.WordAtCursor(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    ed.GotoPosition(40, 0, false);
    EXPECT_EQ(ed.CharAtCursor(), 0);
    EXPECT_EQ(ed.WordAtCursor(buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "bar");
    ed.GotoPosition(3, 0, false);
    EXPECT_EQ(ed.WordAtCursor(buf, 0), 0);
    EXPECT_EQ(ed.WordAtCursor(buf, 3), 2);  // cut to fit with its terminating zero
    EXPECT_STREQ(buf, "fo");
}

TEST_F(LineStoreTest, RedrawOutsideABatchFlushesInOrder)
{
    ed.winLines = 10;
    ed.GotoPosition(3, 0, false);
    ed.ClearLog();
    ed.RequestRedraw(kRedrawLine);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 3,0", "line 0", "scroll", "status"}));
    ed.ClearLog();
    ed.RequestRedraw(kRedrawAll | kRedrawLine);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 3,0", "all", "scroll", "status"}));
    ed.ClearLog();
    ed.RequestRedraw(kRedrawCaret);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 3,0", "scroll", "status"}));
    EXPECT_EQ(ed.pendingRedraw, 0u);
}

TEST_F(LineStoreTest, NestedBatchesFlushOnceAtTheOutermostEnd)
{
    ed.BeginUpdate();
    ed.BeginUpdate();
    ed.RequestRedraw(kRedrawLine);
    ed.EndUpdate();
    EXPECT_TRUE(ed.calls.empty());
    ed.RequestRedraw(kRedrawCaret);
    ed.EndUpdate();
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 0,0", "line 0", "scroll", "status"}));
    ed.ClearLog();
    ed.EndUpdate();  // unbalanced: nothing pending, nothing happens
    EXPECT_EQ(ed.lockCount, 0);
    EXPECT_TRUE(ed.calls.empty());
    {
        TUpdateBatch batch(ed);
        EXPECT_EQ(ed.lockCount, 1);
    }
    EXPECT_EQ(ed.lockCount, 0);
    EXPECT_TRUE(ed.calls.empty());
}

// A toy colouring: a line's state is 1 while inside "/*" ... "*/".
class TCommentScheme : public TSyntaxScheme {
public:
    uint16_t NextState(const char* text, uint16_t state) const override
    {
        ++calls;
        for (const char* p = text; *p; ++p) {
            if (!state && p[0] == '/' && p[1] == '*') {
                state = 1;
                ++p;
            } else if (state && p[0] == '*' && p[1] == '/') {
                state = 0;
                ++p;
            }
        }
        return state;
    }
    mutable int calls = 0;
};

class TSchemeEditor : public TRecordingEditor {
public:
    const TSyntaxScheme* SyntaxScheme() noexcept override { return &scheme; }
    TCommentScheme scheme;
};

TEST_F(LineStoreTest, StatesArePropagatedOnlyUntilTheyAgree)
{
    TSchemeEditor doc;
    ASSERT_TRUE(doc.Load("a\n/* b\nc\nd */\ne\nf"));
    std::vector<uint16_t> states;
    for (LineRecord* l = doc.firstLine; l; l = l->next)
        states.push_back(l->state);
    EXPECT_EQ(states, (std::vector<uint16_t>{0, 1, 1, 0, 0, 0}));

    // Closing the comment early changes the lines after it up to the first that already agrees.
    ASSERT_TRUE(doc.SetLineText(doc.LineAt(1), "/* b */", 7));
    doc.scheme.calls = 0;
    EXPECT_TRUE(doc.RecomputeLineState(1));
    EXPECT_EQ(doc.LineAt(1)->state, 0);
    EXPECT_EQ(doc.LineAt(2)->state, 0);
    EXPECT_EQ(doc.LineAt(3)->state, 0);
    EXPECT_EQ(doc.scheme.calls, 3);  // lines 1 and 2 changed; line 3 agreed and stopped the walk
    EXPECT_FALSE(doc.RecomputeLineState(4));
}

TEST_F(LineStoreTest, WithoutASchemeNoStateIsComputed)
{
    Doc({"/* a", "b"});
    EXPECT_EQ(ed.LineAt(0)->state, 0);
    EXPECT_FALSE(ed.RecomputeLineState(0));
}

TEST_F(LineStoreTest, LeavingALineTrimsItsTrailingBlanks)
{
    Doc({"ab  ", " \t ", "x"});
    ed.GotoPosition(4, 0, false);
    ed.CursorLeft(false);
    EXPECT_EQ(ed.Cursor(), Pos(3, 0));
    EXPECT_EQ(ed.Text(0), "ab");
    ed.GotoPosition(2, 1, false);
    EXPECT_EQ(ed.Text(1), " \t ");  // only the line being left is trimmed
    ed.CursorDown(false);
    EXPECT_EQ(ed.Text(1), "");
    EXPECT_EQ(ed.Text(2), "x");
}

TEST_F(LineStoreTest, TrimmingSurvivesAFailedShrink)
{
    Doc({"abc        "});
    SetAllocFailOnce(1);
    ed.TrimLine(ed.curLine);
    EXPECT_EQ(ed.Text(0), "abc");
    SetAllocFailAt(0);
    ASSERT_TRUE(ed.SetLineText(ed.curLine, "q     ", 6));
    ed.TrimLine(ed.curLine);
    EXPECT_EQ(ed.Text(0), "q");
}

TEST_F(LineStoreTest, SetLineTextKeepsTheOldTextWhenMemoryRunsOut)
{
    Doc({"old"});
    SetAllocFailOnce(1);
    EXPECT_FALSE(ed.SetLineText(ed.curLine, "newer", 5));
    EXPECT_EQ(ed.Text(0), "old");
    // Text of the same length is written over the old and needs no memory.
    SetAllocFailOnce(1);
    EXPECT_TRUE(ed.SetLineText(ed.curLine, "new", 3));
    EXPECT_EQ(ed.Text(0), "new");
    SetAllocFailAt(0);
}

TEST_F(LineStoreTest, ClearLinesLeavesOneEmptyLine)
{
    Doc({"a", "b", "c"});
    ed.GotoPosition(1, 2, false);
    ed.ClearLines();
    EXPECT_EQ(ed.lastLine, 0);
    EXPECT_EQ(ed.Cursor(), Pos(0, 0));
    EXPECT_EQ(ed.Joined(), "");
    EXPECT_EQ(ed.firstLine->next, nullptr);
}

TEST_F(LineStoreTest, ErrorTexts)
{
    EXPECT_STREQ(EngineErrorText(kErrOutOfMemory), "Out of memory.");
    EXPECT_STREQ(EngineErrorText(kErrNotFound), "Search string not found.");
    EXPECT_STREQ(EngineErrorText(kErrLongLinesSplit),
                 "Line length exceeds editor capacity.\n\nLong lines split.");
    EXPECT_STREQ(EngineErrorText(kErrLineTooLong), "Line length exceeds editor capacity.");
    EXPECT_STREQ(EngineErrorText(kErrBinaryFile),
                 "This is probably binary file. It is strongly recommended that you do not edit this file.");
    EXPECT_EQ(EngineErrorText(0), nullptr);
}

TEST_F(LineStoreTest, EngineCaseHooksMapOnlyAsciiLetters)
{
    char text[] = "aZ\xe8_1";
    ed.UpperString(text);
    EXPECT_STREQ(text, "AZ\xe8_1");
    ed.LowerString(text);
    EXPECT_STREQ(text, "az\xe8_1");
    EXPECT_TRUE(ed.IsWordChar('_'));
    EXPECT_FALSE(ed.IsWordChar('-'));
    EXPECT_FALSE(ed.IsWordChar(0xe8));
}
}  // namespace

// Loaded texts live in blocks of the document, not one allocation each: every way a line's text is
// replaced, cut or dropped must leave those blocks alone (the address sanitizer sees a stray free), and
// loading again must start from clean blocks.
TEST_F(LineStoreTest, LoadedTextsSurviveEditsUndoAndReloading)
{
    std::string file;
    for (int i = 0; i < 3000; ++i)
        file += "line " + std::to_string(i) + (i % 7 == 0 ? "      \n" : "\n");
    ASSERT_TRUE(ed.Load(file));
    const std::string loaded = ed.Joined();
    ed.GotoPosition(8, 14, false);  // in the trailing blanks: leaving the line trims them
    ed.ExecuteCommand(cmCursorDown, 0);
    ASSERT_TRUE(ed.SetLineText(ed.LineAt(5), "a longer text than before", 25));
    ASSERT_TRUE(ed.SetLineText(ed.LineAt(6), "line X", 6));  // same length: written over
    ed.GotoPosition(3, 100, false);
    ed.ExecuteCommand(cmInsertChar, 'z');
    ed.ExecuteCommand(cmNewLine, 0);
    ed.GotoPosition(0, 200, false);
    ed.ExecuteCommand(cmDeleteLine, 0);
    ed.GotoPosition(2, 300, false);
    ed.ExecuteCommand(cmStartSelect, 0);
    ed.GotoPosition(4, 400, true);
    ed.ExecuteCommand(cmDeleteBlock, 0);
    EXPECT_TRUE(ed.CheckList());
    while (ed.undoCount > 0)
        ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Text(100), "line 100");
    EXPECT_EQ(ed.Text(300), "line 300");
    ASSERT_NE(ed.Joined(), loaded);  // the direct text changes have no undo record

    ASSERT_TRUE(ed.Load("p\nq\n"));
    EXPECT_EQ(ed.Joined(), "p\nq");
    // A document cut down to one line, loaded over.
    ed.ExecuteCommand(cmSelectAll, 0);
    ed.ExecuteCommand(cmDeleteBlock, 0);
    ASSERT_EQ(ed.lastLine, 0);
    ASSERT_TRUE(ed.Load(file));
    EXPECT_EQ(ed.Joined(), loaded);
}
