// Inserting and deleting text: the primitives and the typing and deletion commands.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/Alloc.h"
#include "support/EngineFixture.h"

class Editing : public EngineTest {};

TEST_F(Editing, CrLfAndLoneCrBreakLinesButLoneLfStays)
{
    ASSERT_TRUE(ed.InsertText("a\r\nb\rc\nd"));
    EXPECT_EQ(ed.Joined(), "a\nb\nc\nd");
    EXPECT_EQ(ed.lastLine, 2);
    EXPECT_EQ(ed.Text(2), "c\nd");
    EXPECT_EQ(ed.Cursor(), (TPosition{3, 2}));
}

TEST_F(Editing, InsertSplitsTheLineAndKeepsTheTail)
{
    ed.Load("hello world\n");
    Goto(5, 0);
    ASSERT_TRUE(ed.InsertText(",\r\nbig"));
    EXPECT_EQ(ed.Joined(), "hello,\nbig world");
    EXPECT_EQ(ed.Cursor(), (TPosition{3, 1}));
}

TEST_F(Editing, InsertThatWouldReachColumn1024KeepsTheTail)
{
    ed.Load(std::string(1000, 'a') + "TAIL\n");
    Goto(1000, 0);
    ASSERT_TRUE(ed.InsertText(std::string(100, 'x').c_str()));
    std::string line = ed.Text(0);
    EXPECT_EQ(line.substr(line.size() - 4), "TAIL");
    EXPECT_LT(TVokEditor::LineWidth(line.c_str()), 1024);
    EXPECT_EQ(line.substr(0, 1000), std::string(1000, 'a'));
}

TEST_F(Editing, DeleteRangeAcrossLinesJoinsThem)
{
    ed.Load("one\ntwo\nthree\n");
    ed.DeleteRange({1, 0}, {2, 2});
    EXPECT_EQ(ed.Joined(), "oree");
    EXPECT_EQ(ed.lastLine, 0);
    EXPECT_EQ(ed.Cursor(), (TPosition{1, 0}));
}

TEST_F(Editing, DeleteRangeWhoseJoinWouldReachColumn1024LeavesTwoLines)
{
    ed.Load(std::string(600, 'a') + "\nmid\n" + std::string(600, 'b') + "\n");
    ed.DeleteRange({600, 0}, {0, 2});
    EXPECT_EQ(ed.lastLine, 1);
    EXPECT_EQ(ed.Text(0), std::string(600, 'a'));
    EXPECT_EQ(ed.Text(1), std::string(600, 'b'));
}

TEST_F(Editing, ColumnBlockDeleteAndInsert)
{
    ed.Load("abcdef\nghijkl\nmn\n");
    Run(cmSetColumnSelMode);
    Goto(1, 0);
    ed.GotoPosition(3, 2, true);
    char* block = ed.GetSelectionText();
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "bc\r\nhi\r\nn\r\n");
    VokFree(block);
    Run(cmDelete);
    EXPECT_EQ(ed.Joined(), "adef\ngjkl\nm");
    Goto(0, 0);
    ASSERT_TRUE(ed.InsertColumnBlock("12\r\n34\r\n56\r\n78", 2, 4));
    EXPECT_EQ(ed.Joined(), "12adef\n34gjkl\n56m\n78");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "adef\ngjkl\nm");
}

TEST_F(Editing, OutOfMemoryWhileInsertingChangesNothingAndReportsIt)
{
    ed.Load("abc\ndef\n");
    Goto(1, 0);
    SetAllocFailAt(2);
    bool ok = ed.InsertText("x\r\ny\r\nz");
    SetAllocFailAt(0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ed.Joined(), "abc\ndef");
    EXPECT_EQ(ed.errors, std::vector<int>{kErrOutOfMemory});
}

TEST_F(Editing, InsertFileIsOneUndoStepAndSelectsTheText)
{
    ed.Load("start end\n");
    Goto(6, 0);
    const std::string file = "one\r\ntwo\n";
    TMemInStream in(file);
    ASSERT_TRUE(ed.InsertFile(in));
    EXPECT_EQ(ed.Joined(), "start one\ntwo\nend");
    EXPECT_TRUE(ed.selShown);
    EXPECT_EQ(ed.SelStart(), (TPosition{6, 0}));
    EXPECT_EQ(ed.SelEnd(), (TPosition{0, 2}));
    ed.curCommand = cmReadBlock;
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "start end");
}

// Loading accepts a line of 1024 columns, typed text stops below column 1024: Read Block of such a line
// splits it instead of dropping its last byte.
TEST_F(Editing, ReadBlockKeepsEveryByteOfA1024ColumnLine)
{
    const std::string line = std::string(1023, 'x') + "Y";
    const std::string file = line + "\r\n" + std::string(1030, 'z');
    TMemInStream in(file);
    ASSERT_TRUE(ed.InsertFile(in));
    EXPECT_EQ(ed.Joined(), std::string(1023, 'x') + "\nY\n" + std::string(1023, 'z') + "\n" + std::string(7, 'z'));
    EXPECT_EQ(ed.errors, std::vector<int>{kErrLongLinesSplit});
}

TEST_F(Editing, TabInsertsATabOrSpacesAndMergesWithTyping)
{
    Type("ab");
    Run(cmTab);
    // A tab typed at the end of a line stays until the cursor leaves the line, for the text typed after it.
    EXPECT_EQ(ed.Text(0), "ab\t");
    EXPECT_EQ(ed.curCol, 8);
    EXPECT_EQ(ed.undoCount, 1);
    EngineOptions().useTabChar = false;
    Run(cmTab);
    EXPECT_EQ(ed.curCol, 16);
}

// Blanks typed at the end of a line stay there while typing goes on, so that a Tab followed by text gives
// that tab, not the spaces that would pad a trimmed line out to the cursor; the cursor's leaving the line,
// a save and Undo each see them go.
TEST_F(Editing, BlanksTypedAtTheLineEndStayUntilTheCursorMoves)
{
    Type("a");
    Run(cmTab);
    Type("b");
    EXPECT_EQ(ed.Text(0), "a\tb");
    EXPECT_EQ(ed.curCol, 9);
    EXPECT_EQ(ed.undoCount, 1);  // one typing step

    Run(cmNewLine);
    Type("c\td  \t");
    EXPECT_EQ(ed.Text(1), "c\td  \t");
    EXPECT_EQ(ed.curCol, 16);
    Type("e");
    EXPECT_EQ(ed.Text(1), "c\td  \te");

    // Moved away from: trimmed, the cursor keeping its column in virtual space.
    Run(cmNewLine);
    Type("ab  ");
    Run(cmCursorLeft);
    EXPECT_EQ(ed.Text(2), "ab");
    EXPECT_EQ(ed.curCol, 3);
    Run(cmLineEnd);
    Run(cmTab);
    Run(cmCursorUp);
    EXPECT_EQ(ed.Text(2), "ab");
    EXPECT_EQ(ed.Text(1), "c\td  \te");

    // Saved while the cursor stands after them: the file has the line as the cursor's leaving would make it,
    // and typing goes on after the tab.
    Run(cmCursorDown);
    Run(cmLineEnd);
    Type("\t");
    TMemOutStream out;
    ASSERT_TRUE(ed.WriteFile(out, kFormatUnix));
    EXPECT_EQ(out.Text(), "a\tb\nc\td  \te\nab\n");
    EXPECT_FALSE(ed.modified);
    Type("x");
    EXPECT_EQ(ed.Text(2), "ab\tx");

    // Undo of the typing takes the blanks with it; Redo brings them back, and typing lands after them.
    Run(cmUndo);
    EXPECT_EQ(ed.Text(2), "ab");
    Run(cmRedo);
    EXPECT_EQ(ed.Text(2), "ab\tx");

    // Auto-indent blanks still go at once: the new line is empty, the cursor at the indent.
    ed.Load("    foo\n");
    Run(cmLineEnd);
    Run(cmNewLine);
    EXPECT_EQ(ed.Text(1), "");
    EXPECT_EQ(ed.curCol, 4);
    Run(cmTab);
    Type("x");
    EXPECT_EQ(ed.Text(1), "    \tx");
}

namespace {
// A window whose AutoCorrect knows "teh" and capitalizes sentences, with "e.g." as an abbreviation.
class TAutoCorrectEditor : public TRecordingEditor {
public:
    bool AutoCorrectWord(const char* word, char* buffer, int size) noexcept override
    {
        if (std::string(word) != "teh")
            return false;
        std::snprintf(buffer, static_cast<std::size_t>(size), "the");
        return true;
    }
    bool CapitalizeSentences() noexcept override { return true; }
    bool IsCapitalizeException(const char* token) noexcept override { return std::string(token) == "approx."; }
};
}  // namespace

TEST_F(Editing, AutoCorrectAndSentenceCapitals)
{
    TAutoCorrectEditor ac;
    auto type = [&](const std::string& s) {
        for (unsigned char c : s)
            ac.ExecuteCommand(cmInsertChar, c);
    };
    type("teh cat sat. it is, approx. fine.. ok a. b ");
    EXPECT_EQ(ac.Joined(), "The cat sat. It is, approx. fine.. ok a. B ");
    EXPECT_EQ(ac.curCol, 43);
}
