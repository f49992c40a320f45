// The command table and ExecuteCommand.
#include <gtest/gtest.h>

#include "engine/CommandHosts.h"
#include "support/EngineFixture.h"

class Dispatcher : public EngineTest {};

TEST_F(Dispatcher, TableHasEveryCommandOnceInOrder)
{
    int count = 0;
    unsigned last = 0;
    for (const TCommandElement* e = kCommandTable; e->number; ++e, ++count) {
        EXPECT_GT(e->number, last);
        last = e->number;
        EXPECT_EQ(FindCommandByName(e->name), e->number);
    }
    EXPECT_EQ(count, kCommandCount);
}

TEST_F(Dispatcher, SelectRowsNameAMovementOfTheirOwnTable)
{
    int twins = 0;
    for (const TCommandElement* e = kCommandTable; e->number; ++e) {
        if (!e->extends)
            continue;
        ++twins;
        const TCommandElement* movement = FindCommand(e->extends);
        ASSERT_NE(movement, nullptr) << e->name;
        EXPECT_EQ(movement->category, kCatCursor) << e->name;
        EXPECT_NE(movement->run, nullptr) << e->name;
        EXPECT_EQ(movement->extends, 0u) << e->name;
        EXPECT_EQ(e->category, kCatSelect) << e->name;
        EXPECT_EQ(e->run, nullptr) << e->name;
    }
    EXPECT_EQ(twins, cmParaDownSelect - cmLeftSelect + 1);
}

// Each ...Select command does what StartSelect and its movement do, from a cursor inside a paragraph of
// words, on an editor of its own each.
TEST_F(Dispatcher, EverySelectCommandExtendsAsItsMovementDoesAfterStartSelect)
{
    const std::string text = "alpha beta gamma\n\ndelta epsilon\nzeta eta theta iota\n\nkappa lambda";
    for (const TCommandElement* e = kCommandTable; e->number; ++e) {
        if (!e->extends)
            continue;
        TClipboardEditor twin;
        TClipboardEditor plain;
        for (TClipboardEditor* x : {&twin, &plain}) {
            ASSERT_TRUE(x->Load(text));
            x->winLines = 5;  // lines 0..4 in view: the top and the bottom of the window are elsewhere
            x->GotoPosition(6, 3, false);
            x->EnsureCursorVisible();
        }
        twin.ExecuteCommand(e->number, 0);
        plain.ExecuteCommand(cmStartSelect, 0);
        plain.ExecuteCommand(e->extends, 0);
        EXPECT_EQ(twin.Cursor(), plain.Cursor()) << e->name;
        EXPECT_EQ(twin.selShown, plain.selShown) << e->name;
        EXPECT_EQ(twin.SelStart(), plain.SelStart()) << e->name;
        EXPECT_EQ(twin.SelEnd(), plain.SelEnd()) << e->name;
        EXPECT_TRUE(twin.selShown) << e->name;
    }
}

TEST_F(Dispatcher, NamesAndNumbers)
{
    EXPECT_EQ(ed.CommandNumber("deleteline", false), 13u);
    EXPECT_EQ(ed.CommandNumber("NoSuchCommand", true), 0u);
    char name[32];
    EXPECT_TRUE(ed.CommandName(120, name, sizeof name));
    EXPECT_STREQ(name, "Undo");
    EXPECT_FALSE(ed.CommandName(25, name, sizeof name));
    EXPECT_EQ(ed.CommandArgumentKind(2), 2);
    EXPECT_EQ(ed.CommandArgumentKind(13), 1);
    EXPECT_EQ(ed.CommandArgumentKind(25), 0);
    EXPECT_EQ(ed.CommandCategory(95), 4);
    EXPECT_EQ(ed.CommandCategory(26), 0);
}

TEST_F(Dispatcher, UnassignedNumbersDoNothingButAreRecorded)
{
    struct Host : TMacroHost {
        std::vector<unsigned> steps;
        int played = -1;
        void Play(TVokEditor&, int index) override { played = index; }
        void RecordStep(TVokEditor&, unsigned c, unsigned) override { steps.push_back(c); }
        void StartRecording(TVokEditor& e) override { e.recording = true; }
        void StopRecording(TVokEditor& e) override { e.recording = false; }
        bool Name(int, char*, int) override { return false; }
        int Find(const char*) override { return -1; }
    } host;
    SetMacroHost(&host);
    Run(cmRecordMacro);
    Run(25);
    Run(cmInsertChar, 'a');
    Run(cmMacroStopRecorder);
    Run(1049);
    Run(1050);
    SetMacroHost(nullptr);
    EXPECT_EQ(host.steps, (std::vector<unsigned>{25, cmInsertChar}));
    EXPECT_EQ(host.played, 49);
    EXPECT_EQ(ed.Joined(), "a");
}

TEST_F(Dispatcher, ToggleInsertTwiceReturnsAndSetInsertAlwaysInserts)
{
    Run(cmToggleInsert);
    EXPECT_TRUE(EngineOptions().overwriteMode);
    Run(cmToggleInsert);
    EXPECT_FALSE(EngineOptions().overwriteMode);
    Run(cmToggleInsert);
    Run(cmSetInsert);
    EXPECT_FALSE(EngineOptions().overwriteMode);
}

TEST_F(Dispatcher, CommandsKeepTheCursorVisible)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\n";
    ed.Load(text);
    ed.winLines = 10;
    Run(cmTextEnd);
    EXPECT_EQ(ed.topLine, 99 - 10 + 1);
}

TEST_F(Dispatcher, OpenFileAtCursorFindsIncludeNamesAndTokens)
{
    ed.Load("  #  include <sys/types.h>\nsee \"docs/readme.txt\" now\n");
    char name[260];
    ed.FileNameAtCursor(name, sizeof name);
    EXPECT_STREQ(name, "sys\\types.h");
    Goto(8, 1);
    ed.FileNameAtCursor(name, sizeof name);
    EXPECT_STREQ(name, "docs\\readme.txt");
}

TEST_F(Dispatcher, ScrollingCarriesTheCursorOnlyWhenItWouldLeaveTheWindow)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line\n";
    ed.Load(text);
    ed.winLines = 10;
    Goto(2, 5);
    Run(cmScrollDown);
    EXPECT_EQ(ed.topLine, 1);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 5}));
    for (int i = 0; i < 6; ++i)
        Run(cmScrollDown);
    EXPECT_EQ(ed.topLine, 7);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 7}));
    Goto(2, 16);
    Run(cmScrollUp);
    EXPECT_EQ(ed.topLine, 6);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 15}));
}
