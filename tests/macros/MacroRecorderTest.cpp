// Recording a window's commands into a macro and playing macros back through a dispatcher stand-in.
#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"
#include "support/RecordingEditor.h"

namespace {

using TSteps = std::vector<std::pair<unsigned, unsigned>>;

// An editor whose Record Macro dialog answers as told and names the macro the way the dialog would.
class TMacroEditor : public TRecordingEditor {
public:
    bool MacroRecordDialog() noexcept override
    {
        Log("MacroRecordDialog " + std::to_string(recordingSlot));
        // The dialog takes a default name at every opening, confirmed or not.
        std::string name = "Macro" + std::to_string(Macros().NextDefaultNameNumber());
        if (!confirm)
            return false;
        Macros().SetMacroName(kFirstMacroNumber + recordingSlot, name.c_str());
        return true;
    }
    void RecordingStarted() noexcept override { Log("RecordingStarted"); }
    void RecordingStopped() noexcept override { Log("RecordingStopped"); }

    // What the dispatcher does with a command, reduced to what concerns macros.
    void Execute(unsigned command, unsigned argument)
    {
        if (command >= kFirstMacroNumber && command <= kLastMacroNumber) {
            PlayMacro(*this, static_cast<int>(command - kFirstMacroNumber),
                      [this](unsigned c, unsigned a) { Execute(c, a); });
            return;
        }
        if (command == cmRecordMacro) {
            StartRecording(*this);
            return;
        }
        if (command == cmMacroStopRecorder) {
            StopRecording(*this);
            return;
        }
        if (command != cmInsertChar)
            argument = 0;
        RecordStep(*this, command, argument);
        executed.emplace_back(command, argument);
        lockDuringSteps.push_back(lockCount);
        playingDuringSteps.push_back(playing);
        if (onExecute)
            onExecute(command);
    }

    bool confirm = true;
    TSteps executed;
    std::vector<int> lockDuringSteps;
    std::vector<bool> playingDuringSteps;
    std::function<void(unsigned)> onExecute;
};

TSteps StepsOf(unsigned number)
{
    TSteps out;
    const MacroRecord* r = Macros().Find(number);
    if (r)
        for (int i = 0; i < r->stepCount; ++i)
            out.emplace_back(r->steps[i].command, r->steps[i].argument);
    return out;
}

void PutMacro(int slot, const TSteps& steps)
{
    ASSERT_NE(Macros().Create(slot), nullptr);
    for (auto [c, a] : steps)
        ASSERT_TRUE(Macros().AppendStep(kFirstMacroNumber + slot,
                                        {static_cast<uint16_t>(c), static_cast<uint16_t>(a)}));
}

class MacroRecorderTest : public ::testing::Test {
protected:
    void SetUp() override { Macros().Clear(); }
    void TearDown() override
    {
        for (int i = 0; i < kMacroSlots; ++i) {
            Macros().SetRecording(i, false);
            Macros().SetPlaying(i, false);
        }
        Macros().Clear();
        Macros().SetChanged(false);
    }
    void Type(TMacroEditor& ed, const std::string& text)
    {
        for (char c : text)
            ed.Execute(cmInsertChar, static_cast<unsigned char>(c));
    }
};

}  // namespace

TEST_F(MacroRecorderTest, RecordingTypingAndEnterGivesCharactersThenNewLine)
{
    TMacroEditor ed;
    ed.Execute(cmRecordMacro, 0);
    ASSERT_TRUE(ed.recording);
    EXPECT_TRUE(ed.Called("MacroRecordDialog 0"));
    EXPECT_TRUE(ed.Called("RecordingStarted"));
    EXPECT_TRUE(Macros().Changed());
    Type(ed, "abc");
    ed.Execute(cmNewLine, 77);
    ed.Execute(cmMacroStopRecorder, 0);
    EXPECT_FALSE(ed.recording);
    EXPECT_TRUE(ed.Called("RecordingStopped"));
    EXPECT_EQ(StepsOf(1000), (TSteps{{2, 'a'}, {2, 'b'}, {2, 'c'}, {cmNewLine, 0}}));
    EXPECT_EQ(MacroToText(Macros(), 1000), "InsertText \"abc\"\r\nNewLine\r\n");
    // The stop command itself is not a step, and later commands are not recorded.
    ed.Execute(cmTab, 0);
    EXPECT_EQ(StepsOf(1000).size(), 4u);
}

TEST_F(MacroRecorderTest, RecordStepKeepsTheArgumentOnlyForInsertChar)
{
    TMacroEditor ed;
    StartRecording(ed);
    RecordStep(ed, cmTab, 55);
    RecordStep(ed, cmInsertChar, 'z');
    RecordStep(ed, 25, 3);
    EXPECT_EQ(StepsOf(1000), (TSteps{{cmTab, 0}, {2, 'z'}, {25, 0}}));
}

TEST_F(MacroRecorderTest, CancelFreesTheRecordAndTheNextOfferIsMacro2)
{
    TMacroEditor ed;
    ed.confirm = false;
    ed.Execute(cmRecordMacro, 0);
    EXPECT_FALSE(ed.recording);
    EXPECT_EQ(Macros().Count(), 0);
    EXPECT_FALSE(ed.Called("RecordingStarted"));
    int before = Macros().NextDefaultNameNumber();
    ed.confirm = true;
    ed.Execute(cmRecordMacro, 0);
    EXPECT_EQ(Macros().MacroName(1000), "Macro" + std::to_string(before + 1));
}

TEST_F(MacroRecorderTest, WithFiftyMacrosRecordingDoesNothing)
{
    for (int i = 0; i < kMacroSlots; ++i)
        ASSERT_NE(Macros().Create(i), nullptr);
    TMacroEditor ed;
    ed.Execute(cmRecordMacro, 0);
    EXPECT_FALSE(ed.recording);
    EXPECT_FALSE(ed.Called("MacroRecordDialog 0"));
}

TEST_F(MacroRecorderTest, OtherWindowsAreNotRecorded)
{
    TMacroEditor a, b;
    PutMacro(0, {{cmTab, 0}});
    a.Execute(cmRecordMacro, 0);
    ASSERT_EQ(a.recordingSlot, 1);
    Type(b, "xyz");
    Type(a, "q");
    EXPECT_EQ(StepsOf(1001), (TSteps{{2, 'q'}}));
}

TEST_F(MacroRecorderTest, The4001stCommandRunsButIsNotRecorded)
{
    TMacroEditor ed;
    StartRecording(ed);
    for (int i = 0; i < kMaxMacroSteps; ++i)
        ed.Execute(cmCursorLeft, 0);
    ed.Execute(cmNewLine, 0);
    EXPECT_EQ(StepsOf(1000).size(), static_cast<std::size_t>(kMaxMacroSteps));
    EXPECT_EQ(ed.executed.back().first, static_cast<unsigned>(cmNewLine));
}

TEST_F(MacroRecorderTest, DeletingIsRefusedWhileAWindowRecords)
{
    PutMacro(0, {{cmTab, 0}});
    TMacroEditor ed;
    StartRecording(ed);
    EXPECT_FALSE(Macros().DeleteMacro(1000));
    StopRecording(ed);
    EXPECT_TRUE(Macros().DeleteMacro(1000));
}

TEST_F(MacroRecorderTest, PlaybackRunsEveryStepInOneBatchWithPlayingSet)
{
    PutMacro(3, {{2, 'h'}, {2, 'i'}, {cmNewLine, 0}});
    TMacroEditor ed;
    ed.Execute(1003, 0);
    EXPECT_EQ(ed.executed, (TSteps{{2, 'h'}, {2, 'i'}, {cmNewLine, 0}}));
    EXPECT_EQ(ed.lockDuringSteps, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(ed.playingDuringSteps, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(ed.playing);
    EXPECT_EQ(ed.lockCount, 0);
}

TEST_F(MacroRecorderTest, EmptySlotOrMacroWithoutStepsPlaysNothing)
{
    ASSERT_NE(Macros().Create(0), nullptr);
    TMacroEditor ed;
    EXPECT_FALSE(PlayMacro(ed, 0, [&](unsigned c, unsigned a) { ed.Execute(c, a); }));
    EXPECT_FALSE(PlayMacro(ed, 1, [&](unsigned c, unsigned a) { ed.Execute(c, a); }));
    EXPECT_FALSE(PlayMacro(ed, 50, [&](unsigned c, unsigned a) { ed.Execute(c, a); }));
    EXPECT_TRUE(ed.executed.empty());
}

TEST_F(MacroRecorderTest, MacroBeingRecordedDoesNotPlayInItsWindow)
{
    TMacroEditor ed;
    StartRecording(ed);
    Type(ed, "ab");
    ed.executed.clear();
    ed.Execute(1000, 0);
    EXPECT_TRUE(ed.executed.empty());
    EXPECT_EQ(StepsOf(1000).size(), 2u);
    // Another window may play it meanwhile.
    TMacroEditor other;
    other.Execute(1000, 0);
    EXPECT_EQ(other.executed.size(), 2u);
}

TEST_F(MacroRecorderTest, MacrosThatReachThemselvesEnd)
{
    // Such steps only come from a hand-made keymap file: the compiler never accepts macro names.
    PutMacro(0, {{2, 'a'}, {1001, 0}, {2, 'b'}});
    PutMacro(1, {{2, 'c'}, {1000, 0}, {1001, 0}, {2, 'd'}});
    TMacroEditor ed;
    ed.Execute(1000, 0);
    EXPECT_EQ(ed.executed, (TSteps{{2, 'a'}, {2, 'c'}, {2, 'd'}, {2, 'b'}}));
    EXPECT_FALSE(ed.playing);
    EXPECT_FALSE(Macros().IsPlaying(0));
    EXPECT_FALSE(Macros().IsPlaying(1));
}

TEST_F(MacroRecorderTest, NestedPlaybackRestoresThePlayingFlag)
{
    PutMacro(0, {{2, 'a'}, {1001, 0}, {2, 'b'}});
    PutMacro(1, {{2, 'c'}});
    TMacroEditor ed;
    ed.Execute(1000, 0);
    EXPECT_EQ(ed.playingDuringSteps, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(ed.lockDuringSteps, (std::vector<int>{1, 2, 1}));
    EXPECT_FALSE(ed.playing);
}

TEST_F(MacroRecorderTest, AStepThatDeletesThePlayingMacroDoesNotCutPlaybackShort)
{
    PutMacro(0, {{cmMacro, 0}, {2, 'a'}, {2, 'b'}});
    TMacroEditor ed;
    ed.onExecute = [](unsigned command) {
        if (command == cmMacro)
            Macros().DeleteMacro(1000);
    };
    ed.Execute(1000, 0);
    EXPECT_EQ(Macros().Find(1000), nullptr);
    EXPECT_EQ(ed.executed, (TSteps{{cmMacro, 0}, {2, 'a'}, {2, 'b'}}));
}

TEST_F(MacroRecorderTest, LoadingAFileMidRecordingStopsFeedingTheReplacedMacro)
{
    TMacroEditor ed;
    StartRecording(ed);
    Type(ed, "a");
    TMacroTable loaded;
    ASSERT_NE(loaded.Create(0), nullptr);
    Macros().TakeMacrosFrom(loaded);
    Type(ed, "b");
    EXPECT_TRUE(StepsOf(1000).empty());
    StopRecording(ed);
    EXPECT_FALSE(ed.recording);
}
