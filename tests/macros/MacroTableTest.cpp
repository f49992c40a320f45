// The macro table: capacity, names, descriptions, deletion and the changed flag.
#include "macros/MacroTable.h"

#include <gtest/gtest.h>

#include "engine/Alloc.h"
#include "engine/Commands.h"

TEST(MacroTable, HoldsFiftyMacrosAndRefusesMore)
{
    TMacroTable table;
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        ASSERT_EQ(table.FirstEmptySlot(), slot);
        MacroRecord* r = table.Create(slot);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->commandNumber, 1000 + slot);
    }
    EXPECT_EQ(table.FirstEmptySlot(), -1);
    EXPECT_EQ(table.Count(), 50);
    EXPECT_EQ(table.Create(50), nullptr);
    EXPECT_EQ(table.Create(3), nullptr);
    EXPECT_EQ(table.Find(1050), nullptr);
    EXPECT_EQ(table.Find(999), nullptr);
    EXPECT_NE(table.Find(1049), nullptr);
}

TEST(MacroTable, StepsStopAt4000)
{
    TMacroTable table;
    ASSERT_NE(table.Create(0), nullptr);
    for (int i = 0; i < kMaxMacroSteps; ++i)
        ASSERT_TRUE(table.AppendStep(1000, {cmTab, 0}));
    EXPECT_FALSE(table.AppendStep(1000, {cmTab, 0}));
    EXPECT_EQ(table.Find(1000)->stepCount, kMaxMacroSteps);
    EXPECT_FALSE(table.AppendStep(1001, {cmTab, 0}));
}

TEST(MacroTable, AppendOutOfMemoryKeepsTheSteps)
{
    TMacroTable table;
    ASSERT_NE(table.Create(0), nullptr);
    ASSERT_TRUE(table.AppendStep(1000, {cmTab, 0}));
    SetAllocFailOnce(1);
    EXPECT_FALSE(table.AppendStep(1000, {cmNewLine, 0}));
    EXPECT_EQ(table.Find(1000)->stepCount, 1);
    EXPECT_EQ(table.Find(1000)->steps[0].command, cmTab);
}

TEST(MacroTable, NamesAndDescriptionsAreClippedAndFoundWithoutCase)
{
    TMacroTable table;
    ASSERT_NE(table.Create(2), nullptr);
    EXPECT_FALSE(table.Changed());
    EXPECT_TRUE(table.SetMacroName(1002, "Indent_All"));
    EXPECT_TRUE(table.Changed());
    EXPECT_EQ(table.FindMacroByName("indent_all"), 1002u);
    EXPECT_EQ(table.FindMacroByName("Indent"), 0u);
    EXPECT_EQ(table.FindMacroByName(""), 0u);
    table.SetMacroName(1002, std::string(40, 'n').c_str());
    EXPECT_EQ(table.MacroName(1002), std::string(31, 'n'));
    table.SetMacroDescription(1002, std::string(100, 'd').c_str());
    EXPECT_EQ(table.MacroDescription(1002), std::string(79, 'd'));
    EXPECT_FALSE(table.SetMacroName(1003, "x"));
    EXPECT_EQ(table.MacroName(1003), "");
}

TEST(MacroTable, DeleteIsRefusedWhileRecording)
{
    TMacroTable table;
    ASSERT_NE(table.Create(0), nullptr);
    ASSERT_NE(table.Create(1), nullptr);
    table.SetRecording(1, true);
    EXPECT_FALSE(table.DeleteMacro(1000));
    EXPECT_NE(table.Find(1000), nullptr);
    table.SetRecording(1, false);
    table.SetChanged(false);
    EXPECT_TRUE(table.DeleteMacro(1000));
    EXPECT_EQ(table.Find(1000), nullptr);
    EXPECT_TRUE(table.Changed());
    EXPECT_FALSE(table.DeleteMacro(1000));
}

TEST(MacroTable, DefaultNamesCountEveryRequest)
{
    TMacroTable table;
    EXPECT_EQ(table.NextDefaultNameNumber(), 1);
    EXPECT_EQ(table.NextDefaultNameNumber(), 2);
}

struct TNameRow {
    const char* name;
    TMacroNameCheck check;
};

class MacroNameCheck : public ::testing::TestWithParam<TNameRow> {};

TEST_P(MacroNameCheck, FollowsTheDialogRules)
{
    TMacroTable table;
    ASSERT_NE(table.Create(0), nullptr);
    table.SetMacroName(1000, "Existing");
    EXPECT_EQ(CheckMacroName(table, GetParam().name), GetParam().check) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, MacroNameCheck,
                         ::testing::Values(TNameRow{"Macro_1", TMacroNameCheck::Ok},
                                           TNameRow{"", TMacroNameCheck::Invalid},
                                           TNameRow{"two words", TMacroNameCheck::Invalid},
                                           TNameRow{"dash-ed", TMacroNameCheck::Invalid},
                                           TNameRow{"deleteline", TMacroNameCheck::Exists},
                                           TNameRow{"EXISTING", TMacroNameCheck::Exists}));

TEST(MacroNames, RenamingToItsOwnNameIsAllowedAndMessagesAreExact)
{
    TMacroTable table;
    ASSERT_NE(table.Create(0), nullptr);
    table.SetMacroName(1000, "Existing");
    EXPECT_EQ(CheckMacroName(table, "existing", 1000), TMacroNameCheck::Ok);
    EXPECT_EQ(MacroNameMessage(TMacroNameCheck::Invalid, "x y"), "This is not valid macro name.");
    EXPECT_EQ(MacroNameMessage(TMacroNameCheck::Exists, "Tab"), "The macro (command) 'Tab' already exists.");
}
