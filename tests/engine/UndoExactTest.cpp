// Undo and Redo give back exactly the bytes that were there: merging, trimmed blanks, refused edits, tabs,
// full-width lines and column blocks, each run through the dispatcher as keys would run it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/EngineFixture.h"

class UndoExact : public TEngineTest {
protected:
    void Times(unsigned command, int n)
    {
        for (int i = 0; i < n; ++i)
            Run(command);
    }
    static std::string Lines(const std::vector<std::string>& lines)
    {
        std::string s;
        for (std::size_t i = 0; i < lines.size(); ++i)
            s += (i ? "\n" : "") + lines[i];
        return s;
    }
};

// ---- A repeated command merges only into a record its previous run wrote. ------------------------------

TEST_F(UndoExact, BackspaceAfterTypingElsewhereDoesNotMergeIntoTheTypingRecord)
{
    Doc({"hello world"});
    Type("X");
    Run(cmLineEnd);
    Run(cmCursorRight);
    Run(cmBackspace);  // beyond the end: only moves
    Run(cmBackspace);  // deletes the d
    EXPECT_EQ(ed.Joined(), "Xhello worl");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "Xhello world");
    EXPECT_EQ(ed.undoCount, 1);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "hello world");
}

TEST_F(UndoExact, TypingOverAnEmptyColumnBlockDoesNotMergeIntoEarlierTyping)
{
    Doc({"", "keep1", "keep2", "keep3"});
    Type("c");
    Run(cmCursorDown);
    Run(cmCursorDown);
    Run(cmSetColumnSelMode);
    Run(cmDownSelect);
    Type(".");
    EXPECT_EQ(ed.Joined(), Lines({"c", "keep1", "keep2", "k.eep3"}));
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"c", "keep1", "keep2", "keep3"}));
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"", "keep1", "keep2", "keep3"}));
}

TEST_F(UndoExact, TypingAfterAClickElsewhereIsAStepOfItsOwn)
{
    Doc({"hello"});
    Type("ab");
    Goto(7, 0);  // the mouse moves the cursor without a command
    Type("c");
    EXPECT_EQ(ed.Joined(), "abhelloc");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "abhello");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "hello");
}

// ---- Column blocks. --------------------------------------------------------------------------------------

TEST_F(UndoExact, TypingOverAOneLineColumnBlockUndoesInOneStep)
{
    Doc({"hello world"});
    Run(cmSetColumnSelMode);
    Run(cmRightSelect);
    Type("c");
    EXPECT_EQ(ed.Joined(), "cello world");
    EXPECT_EQ(ed.UndoKind(), TUndoKind::Typing);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "hello world");
    Run(cmRedo);
    EXPECT_EQ(ed.Joined(), "cello world");
}

TEST_F(UndoExact, TwoColumnPastesInARowUndoExactly)
{
    Doc({"abcd", "efgh"});
    Run(cmSetColumnSelMode);
    Times(cmRightSelect, 2);
    Run(cmDownSelect);
    Run(cmCopy);
    Run(cmHideSelect);
    Run(cmTextStart);
    Run(cmLineEnd);
    Run(cmPaste);
    const std::string once = ed.Joined();
    EXPECT_EQ(once, Lines({"abcdab", "efghef"}));
    Run(cmPaste);
    const std::string twice = Lines({"abcdab", "efghabef", "    ef"});
    EXPECT_EQ(ed.Joined(), twice);
    // The second block overlaps the first, so the two pastes are one step, taken back whole.
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"abcd", "efgh"}));
    Run(cmRedo);
    EXPECT_EQ(ed.Joined(), twice);
}

TEST_F(UndoExact, TwoColumnPastesApartUndoOneByOne)
{
    Doc({"abcd", "efgh", "ijkl", "mnop", "qrst"});
    Run(cmSetColumnSelMode);
    Times(cmRightSelect, 2);
    Run(cmDownSelect);
    Run(cmCopy);
    Run(cmHideSelect);
    Run(cmTextStart);
    Run(cmLineEnd);
    Run(cmPaste);
    const std::string once = ed.Joined();
    EXPECT_EQ(once, Lines({"abcdab", "efghef", "ijkl", "mnop", "qrst"}));
    Run(cmPaste);
    EXPECT_EQ(ed.Joined(), Lines({"abcdab", "efghef", "ijklab", "mnopef", "qrst"}));
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), once);
    ASSERT_EQ(ed.undoCount, 1);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"abcd", "efgh", "ijkl", "mnop", "qrst"}));
}

TEST_F(UndoExact, ColumnCutOnAnEmptyLineKeepsTheHistory)
{
    Doc({"abc", "", "z"});
    Type("x");
    Run(cmCursorDown);
    Run(cmSetColumnSelMode);
    Times(cmRightSelect, 2);
    Run(cmCut);
    EXPECT_EQ(ed.undoCount, 1);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"abc", "", "z"}));
}

TEST_F(UndoExact, RedoOfAColumnPasteThatFillsTheLineKeepsItsLastByte)
{
    Doc({"yz", std::string(1022, 'x')});
    Run(cmSetColumnSelMode);
    Times(cmRightSelect, 2);
    Run(cmCopy);
    Run(cmHideSelect);
    Run(cmCursorDown);
    Run(cmLineEnd);
    Run(cmPaste);
    const std::string filled = std::string(1022, 'x') + "yz";
    EXPECT_EQ(ed.Text(1), filled);
    Run(cmUndo);
    EXPECT_EQ(ed.Text(1), std::string(1022, 'x'));
    Run(cmRedo);
    EXPECT_EQ(ed.Text(1), filled);
}

// ---- Blanks that an edit trims come back. -----------------------------------------------------------------

TEST_F(UndoExact, EnterAfterABlankGivesTheBlankBack)
{
    Doc({"    indented words here"});
    Goto(19, 0);
    Run(cmNewLine);
    EXPECT_EQ(ed.Joined(), Lines({"    indented words", "    here"}));
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "    indented words here");
    Run(cmRedo);
    EXPECT_EQ(ed.Joined(), Lines({"    indented words", "    here"}));
}

TEST_F(UndoExact, AWordWrapBreakGivesTheBlankBack)
{
    Doc({"abcd efghij"});
    Run(cmLineEnd);
    EngineOptions().wordWrap = true;
    EngineOptions().wordWrapColumn = 10;
    Type("k");
    EXPECT_EQ(ed.Joined(), Lines({"abcd", "efghijk"}));
    Run(cmUndo);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "abcd efghij");
}

TEST_F(UndoExact, ATrailingTabBehindADeletionComesBackAsATab)
{
    Doc({"ab\tcd"});
    Goto(8, 0);
    Run(cmDeleteToEOL);
    EXPECT_EQ(ed.Joined(), "ab");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "ab\tcd");
}

TEST_F(UndoExact, TrailingBlanksOfAJoinedLineComeBack)
{
    Doc({"ab", "cd \t"});
    Goto(1, 0);
    ed.GotoPosition(1, 1, true);
    Run(cmDelete);
    EXPECT_EQ(ed.Joined(), "ad");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"ab", "cd \t"}));
}

// ---- Tabs. ------------------------------------------------------------------------------------------------

TEST_F(UndoExact, ABlockStartingInsideATabComesBackWithTheTab)
{
    Doc({"\tbc"});
    Goto(3, 0);
    Times(cmRightSelect, 6);
    Run(cmCut);
    EXPECT_EQ(ed.Joined(), "\tc");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "\tbc");
}

// ---- Refused edits record nothing. ------------------------------------------------------------------------

TEST_F(UndoExact, ARefusedJoinRecordsNothingAndLeavesTheDocumentUnmodified)
{
    Doc({std::string(1020, 'a'), "bcdef"});
    Run(cmLineEnd);
    Run(cmDelete);
    EXPECT_EQ(ed.Joined(), Lines({std::string(1020, 'a'), "bcdef"}));
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({std::string(1020, 'a'), "bcdef"}));
}

TEST_F(UndoExact, TypingIntoAFullLineRecordsNothingAndLeavesTheDocumentUnmodified)
{
    Doc({std::string(1023, 'a')});
    Run(cmLineEnd);
    Type("x");
    EXPECT_EQ(ed.Text(0), std::string(1023, 'a'));
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);
}

TEST_F(UndoExact, TypingIntoALoadedFullWidthLineNeverDropsItsBytes)
{
    const std::string full = std::string(500, 'a') + std::string(524, 'b');
    Doc({full});
    Goto(500, 0);
    Type("x");
    EXPECT_EQ(ed.Text(0), full);
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);
}

// ---- Joins past the end of a line. ------------------------------------------------------------------------

TEST_F(UndoExact, RedoOfAJoinPastTheLineEndPadsAsTheEditDid)
{
    Doc({"X", "c"});
    Goto(2, 0);
    Run(cmDelete);
    EXPECT_EQ(ed.Joined(), "X c");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"X", "c"}));
    Run(cmRedo);
    EXPECT_EQ(ed.Joined(), "X c");
}

// ---- Lines of the full 1024 columns a file may hold. ------------------------------------------------------

TEST_F(UndoExact, DeleteLineOfAFullWidthLineUndoesWithEveryByte)
{
    const std::string full = std::string(1023, 'x') + "E";
    Doc({full, "b"});
    Run(cmDeleteLine);
    EXPECT_EQ(ed.Joined(), "b");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({full, "b"}));
    Run(cmRedo);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({full, "b"}));
}

TEST_F(UndoExact, BackspaceJoinUnderAFullWidthLineLeavesItWhole)
{
    const std::string full = std::string(1023, 'x') + "E";
    Doc({full, "", "z"});
    Goto(0, 1);
    Run(cmBackspace);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({full, "", "z"}));
}

TEST_F(UndoExact, AJoinMeasuresTabsWhereTheyLand)
{
    // Side by side the widths add up to 1018, but joined the tab starts at column 1016 and runs to 1024.
    Doc({std::string(1009, 'a'), "bbbbbbb\tc"});
    Run(cmLineEnd);
    Run(cmDelete);
    EXPECT_EQ(ed.lastLine, 1);
    EXPECT_LE(TVokEditor::LineWidth(ed.Text(0).c_str()), 1023);
    EXPECT_EQ(ed.undoCount, 0);
}

// ---- Found by the random model of the undo lists. ---------------------------------------------------------

TEST_F(UndoExact, CutLineGivesBackTheBlanksItsSelectingTrimmed)
{
    Doc({"keep", "cut me  \t", "keep"});
    ed.curLine = ed.LineAt(1);  // on the line as it was loaded, blanks and all
    ed.curLineNo = 1;
    Run(cmCutLine);
    EXPECT_EQ(ed.Joined(), Lines({"keep", "", "keep"}));
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), Lines({"keep", "cut me  \t", "keep"}));
}

TEST_F(UndoExact, TypingOverTheSameCharacterInOverwriteModeChangesNothing)
{
    Doc({"abc"});
    Run(cmToggleInsert);
    Type("ab");
    EXPECT_EQ(ed.Joined(), "abc");
    EXPECT_EQ(ed.curCol, 2);
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);
    Type("X");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "abc");
    Run(cmToggleInsert);
}

TEST_F(UndoExact, RedoAfterAMoveTrimmedTheBlanksKeepsTheTextInItsColumn)
{
    Doc({"x", " \t "});
    Goto(12, 1);  // beyond the blanks, which the move leaves alone: they are not on the line it leaves
    Type("hi");
    EXPECT_EQ(ed.Text(1), " \t    hi");
    Run(cmUndo);
    EXPECT_EQ(ed.Text(1), " \t ");
    Run(cmCursorUp);  // leaving the line trims its blanks away
    EXPECT_EQ(ed.Text(1), "");
    Run(cmRedo);
    // The blanks are gone for good, but the text comes back in its column.
    EXPECT_EQ(ed.Text(1), std::string(12, ' ') + "hi");
}

TEST_F(UndoExact, TypingOverTheLastColumnInOverwriteModeKeepsTheCursorOnIt)
{
    const std::string full = std::string(1023, 'a') + "b";
    Doc({full});
    Run(cmToggleInsert);
    Goto(1023, 0);
    Type("b");
    EXPECT_EQ(ed.Text(0), full);
    EXPECT_EQ(ed.curCol, 1023);
    EXPECT_EQ(ed.undoCount, 0);
    Run(cmToggleInsert);
}

TEST_F(UndoExact, OverwriteTypingIntoAFullLineNeverJustDeletesTheCharacter)
{
    // The typed character cannot take the place of the one under the cursor: the line keeps it.
    const std::string full = std::string(1023, 'a') + "b";
    Doc({full});
    Run(cmToggleInsert);
    Goto(1023, 0);
    Type("c");
    EXPECT_EQ(ed.Text(0), full);
    EXPECT_EQ(ed.curCol, 1023);
    Goto(500, 0);
    Type("x");
    EXPECT_EQ(ed.Text(0), full);
    EXPECT_EQ(ed.curCol, 500);
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);

    // A tab over a character would widen a line that has room for a character only.
    const std::string roomy = std::string(1000, 'a') + "bcd" + std::string(20, 'e');
    Doc({roomy});
    Goto(1000, 0);
    Type("\t");
    EXPECT_EQ(ed.Text(0), roomy);
    EXPECT_EQ(ed.undoCount, 0);
    // A character of the same width still overwrites, as one step.
    Type("X");
    EXPECT_EQ(ed.Text(0), std::string(1000, 'a') + "Xcd" + std::string(20, 'e'));
    Run(cmUndo);
    EXPECT_EQ(ed.Text(0), roomy);
    Run(cmToggleInsert);
}

TEST_F(UndoExact, TypingANulByteChangesNothing)
{
    Doc({"abc"});
    Run(cmToggleInsert);
    Goto(1, 0);
    Run(cmInsertChar, 0);
    EXPECT_EQ(ed.Text(0), "abc");
    Run(cmToggleInsert);
    SetSelection(Pos(0, 0), Pos(2, 0));
    Goto(2, 0);
    Run(cmInsertChar, 0);
    EXPECT_EQ(ed.Text(0), "abc");
    EXPECT_EQ(ed.undoCount, 0);
    EXPECT_FALSE(ed.modified);
}
