// Macros through the real dispatcher: recording keys, playing them into a document, names as commands.
#include <gtest/gtest.h>

#include <memory>

#include "engine/CommandHosts.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "keys/KeyCodes.h"
#include "keys/KeyMap.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"
#include "support/RecordingEditor.h"

namespace {

class TNamingEditor : public TRecordingEditor {
public:
    bool MacroRecordDialog() noexcept override
    {
        Macros().SetMacroName(kFirstMacroNumber + recordingSlot, name.c_str());
        return true;
    }
    std::string name = "Greet";
};

class MacroPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        Macros().Clear();
        InstallMacroHost();
    }
    void TearDown() override
    {
        SetMacroHost(nullptr);
        Macros().Clear();
        Macros().SetChanged(false);
        EngineOptions() = TEngineOptions{};
    }
    static void Type(TVokEditor& ed, const std::string& text)
    {
        for (unsigned char c : text)
            ed.ExecuteCommand(cmInsertChar, c);
    }
    static void Compile(unsigned number, const char* name, const std::string& text)
    {
        int slot = static_cast<int>(number - kFirstMacroNumber);
        ASSERT_NE(Macros().Create(slot), nullptr);
        Macros().SetMacroName(number, name);
        int line = 0;
        ASSERT_EQ(CompileMacro(Macros(), number, text, &line), kCompileOk) << line;
    }
};

}  // namespace

TEST_F(MacroPlaybackTest, RecordedTypingPlaysIntoAnotherDocument)
{
    TNamingEditor a;
    a.ExecuteCommand(cmRecordMacro, 0);
    ASSERT_TRUE(a.recording);
    Type(a, "hi");
    a.ExecuteCommand(cmNewLine, 0);
    a.ExecuteCommand(cmMacroStopRecorder, 0);
    EXPECT_EQ(a.Joined(), "hi\n");
    EXPECT_EQ(MacroToText(Macros(), 1000), "InsertText \"hi\"\r\nNewLine\r\n");

    TNamingEditor b;
    b.ExecuteCommand(1000, 0);
    b.ExecuteCommand(1000, 0);
    EXPECT_EQ(b.Joined(), "hi\nhi\n");
    EXPECT_FALSE(b.playing);
    EXPECT_EQ(b.lockCount, 0);
}

TEST_F(MacroPlaybackTest, AKeyBoundToAMacroPlaysIt)
{
    Compile(1004, "Stars", "InsertText \"**\"\r\nLineStart");
    TKeyMap map;
    map.SetDefaults();
    ASSERT_TRUE(map.MapKey(VirtualKey(kVkF1 + 4), false, true, false, 1004));
    uint16_t state = 0;
    unsigned command = map.LookupKeyMessage(state, TKeyMessage::KeyDown, kVkF1 + 4, kKeyCtrl);
    ASSERT_EQ(command, 1004u);
    TNamingEditor ed;
    Type(ed, "x");
    ed.ExecuteCommand(command, 0);
    EXPECT_EQ(ed.Joined(), "x**");
    EXPECT_EQ(ed.curCol, 0);
}

TEST_F(MacroPlaybackTest, MacroNamesAreCommandNamesOnlyWhereAllowed)
{
    Compile(1002, "Indent_All", "SelectAll\r\nIndentBlock");
    TNamingEditor ed;
    char name[32] = {};
    ASSERT_TRUE(ed.CommandName(1002, name, sizeof name));
    EXPECT_STREQ(name, "Indent_All");
    EXPECT_FALSE(ed.CommandName(1003, name, sizeof name));
    EXPECT_EQ(ed.CommandNumber("indent_all", true), 1002u);
    EXPECT_EQ(ed.CommandNumber("indent_all", false), 0u);
    EXPECT_EQ(ed.CommandArgumentKind(1002), 1);
    EXPECT_EQ(ed.CommandArgumentKind(1003), 0);
    // Inside macro text a macro name is no command.
    int line = 0;
    EXPECT_EQ(CompileMacro(Macros(), 1002, "Indent_All", &line), kCompileUnknownCommand);
}

TEST_F(MacroPlaybackTest, PlayingWhileRecordingCopiesStepsNotTheMacroNumber)
{
    Compile(1000, "Ab", "InsertText \"ab\"");
    TNamingEditor ed;
    ed.name = "Outer";
    ed.ExecuteCommand(cmRecordMacro, 0);
    ASSERT_EQ(ed.recordingSlot, 1);
    ed.ExecuteCommand(1000, 0);
    Type(ed, "c");
    ed.ExecuteCommand(cmMacroStopRecorder, 0);
    EXPECT_EQ(MacroToText(Macros(), 1001), "InsertText \"abc\"\r\n");
    EXPECT_EQ(ed.Joined(), "abc");
}

TEST_F(MacroPlaybackTest, SelfReachingMacroFromAFileEnds)
{
    ASSERT_NE(Macros().Create(49), nullptr);
    ASSERT_TRUE(Macros().AppendStep(1049, {cmInsertChar, 'z'}));
    ASSERT_TRUE(Macros().AppendStep(1049, {1049, 0}));
    ASSERT_TRUE(Macros().AppendStep(1049, {25, 0}));
    TNamingEditor ed;
    ed.ExecuteCommand(1049, 0);
    ed.ExecuteCommand(1050, 0);
    EXPECT_EQ(ed.Joined(), "z");
    EXPECT_FALSE(ed.playing);
}

TEST_F(MacroPlaybackTest, UnassignedCommandsAreRecorded)
{
    TNamingEditor ed;
    ed.ExecuteCommand(cmRecordMacro, 0);
    ed.ExecuteCommand(25, 9);
    ed.ExecuteCommand(cmNullCmd, 0);
    ed.ExecuteCommand(cmMacroStopRecorder, 0);
    const MacroRecord* r = Macros().Find(1000);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->stepCount, 1);
    EXPECT_EQ(r->steps[0].command, 25);
    EXPECT_EQ(r->steps[0].argument, 0);
}

TEST_F(MacroPlaybackTest, ClosingARecordingWindowEndsTheRecording)
{
    auto ed = std::make_unique<TNamingEditor>();
    ed->ExecuteCommand(cmRecordMacro, 0);
    Type(*ed, "ok");
    EXPECT_FALSE(Macros().DeleteMacro(1000));
    ed.reset();
    EXPECT_FALSE(Macros().AnyRecording());
    EXPECT_EQ(Macros().Find(1000)->stepCount, 2);
    EXPECT_TRUE(Macros().DeleteMacro(1000));
}
