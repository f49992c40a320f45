// Undo and redo: merging, labels, limits and the redo rules.
#include <gtest/gtest.h>

#include "engine/Undo.h"
#include "support/EngineFixture.h"

class UndoRedo : public EngineTest {};

TEST_F(UndoRedo, TypingMergesIntoOneRecord)
{
    Type("abc");
    ASSERT_EQ(ed.undoCount, 1);
    const UndoRecord& r = *ed.undo[0];
    EXPECT_TRUE(r.hasRange);
    EXPECT_EQ(r.rangeStartCol, 0);
    EXPECT_EQ(r.rangeEndCol, 3);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Typing");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "");
}

TEST_F(UndoRedo, BackspacesMergeLeftwards)
{
    Type("abc");
    Run(cmBackspace);
    Run(cmBackspace);
    Run(cmBackspace);
    ASSERT_EQ(ed.undoCount, 2);
    EXPECT_STREQ(ed.undo[1]->text, "abc");
    EXPECT_EQ(ed.undo[1]->textCol, 0);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Deleting");
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "abc");
}

TEST_F(UndoRedo, AMoveBetweenTypingStartsANewRecord)
{
    Type("ab");
    Run(cmCursorLeft);
    Type("c");
    EXPECT_EQ(ed.undoCount, 2);
}

TEST_F(UndoRedo, UndoThenRedoRestoresAndAFreshEditEmptiesRedo)
{
    Type("abc");
    Run(cmNewLine);
    Type("def");
    const std::string full = ed.Joined();
    Run(cmUndo);
    Run(cmUndo);
    EXPECT_TRUE(ed.CanRedo());
    Run(cmRedo);
    Run(cmRedo);
    EXPECT_EQ(ed.Joined(), full);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Redo");
    Run(cmUndo);
    Type("x");
    EXPECT_FALSE(ed.CanRedo());
    Run(cmRedo);
    EXPECT_EQ(ed.redoCount, 0);
}

TEST_F(UndoRedo, ReplacingTextUndoesAndRedoesInOneStepEachWay)
{
    ed.Load("hello world\n");
    ed.GotoPosition(5, 0, true);
    Type("XY");
    Run(cmUndo);
    EXPECT_EQ(ed.Text(0), "hello world");
    Run(cmRedo);
    EXPECT_EQ(ed.Text(0), "XY world");
    Run(cmUndo);
    EXPECT_EQ(ed.Text(0), "hello world");
}

TEST_F(UndoRedo, TheLevelLimitDropsTheOldest)
{
    EngineOptions().undoLevels = 3;
    for (int i = 0; i < 4; ++i) {
        Type("a");
        Run(cmCursorLeft);
        Run(cmCursorRight);
    }
    EXPECT_EQ(ed.undoCount, 3);
    Run(cmUndo);
    Run(cmUndo);
    Run(cmUndo);
    EXPECT_EQ(ed.Joined(), "a");
}

TEST_F(UndoRedo, LevelsOutsideTheRangeMeanEighty)
{
    EngineOptions().undoLevels = 0;
    for (int i = 0; i < 85; ++i) {
        Type("a");
        Run(cmCursorLeft);
        Run(cmCursorRight);
    }
    EXPECT_EQ(ed.undoCount, 80);
}

TEST_F(UndoRedo, LabelsFollowTheRunningCommand)
{
    ed.Load("line\n");
    Run(cmDupLine);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Duplicate Line");
    Run(cmDeleteLine);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Deleting");
    Run(cmInsertComment);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo");
    ed.ClearUndo();
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "Can't &Undo");
}

TEST_F(UndoRedo, ATooLargeDeletionIsDoneButForgetsHistory)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::string(40, 'x') + "\n";
    ed.Load(text);
    Type("a");
    ed.SelectAll();
    Run(cmDelete);
    EXPECT_EQ(ed.Joined(), "");
    EXPECT_EQ(ed.undoCount, 0);
}

TEST_F(UndoRedo, SavingEmptiesTheListsUnlessUndoAfterSave)
{
    Type("a");
    Run(cmSaveFile);
    EXPECT_EQ(ed.undoCount, 0);
    EngineOptions().undoAfterSave = true;
    Type("b");
    Run(cmSaveFile);
    EXPECT_EQ(ed.undoCount, 1);
    Run(cmSaveFileAs);
    EXPECT_EQ(ed.undoCount, 0);
}
