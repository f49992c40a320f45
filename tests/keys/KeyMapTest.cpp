// The key map: the default bindings, two-stroke sequences, mappable keys, capacities and key texts.
#include "keys/KeyMap.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/Commands.h"
#include "keys/DefaultKeyMap.h"
#include "keys/KeyCodes.h"

namespace {

constexpr uint16_t kCtrlK = 0x54B;
constexpr uint16_t kCtrlQ = 0x551;
constexpr uint16_t kCtrlO = 0x54F;

TKeyMap DefaultMap()
{
    TKeyMap map;
    map.SetDefaults();
    map.SetModified(false);
    return map;
}

// One row of the default map: table 0 is the main table, 1..3 the prefix tables.
struct TDefaultRow {
    int table;
    TKeyPair pair;
};

std::vector<TDefaultRow> DefaultRows()
{
    std::vector<TDefaultRow> rows;
    for (int i = 0; i < kDefaultMainCount; ++i)
        rows.push_back({0, kDefaultMainTable[i]});
    for (int i = 0; i < kDefaultPrefix1Count; ++i)
        rows.push_back({1, kDefaultPrefix1Table[i]});
    for (int i = 0; i < kDefaultPrefix2Count; ++i)
        rows.push_back({2, kDefaultPrefix2Table[i]});
    for (int i = 0; i < kDefaultPrefix3Count; ++i)
        rows.push_back({3, kDefaultPrefix3Table[i]});
    return rows;
}

}  // namespace

class DefaultMapRow : public ::testing::TestWithParam<TDefaultRow> {};

TEST_P(DefaultMapRow, ReachesItsCommandThroughLookup)
{
    const TKeyMap map = DefaultMap();
    const TDefaultRow& row = GetParam();
    uint16_t state = 0;
    if (row.table > 0) {
        uint16_t prefixKey = row.table == 1 ? kCtrlK : row.table == 2 ? kCtrlQ : kCtrlO;
        EXPECT_EQ(map.LookupKey(prefixKey, state), 0u);
        ASSERT_EQ(state, kPrefix1 + row.table - 1);
    }
    unsigned command = map.LookupKey(row.pair.key, state);
    if (IsPrefixValue(row.pair.command)) {
        EXPECT_EQ(command, 0u);
        EXPECT_EQ(state, row.pair.command);
    } else {
        EXPECT_EQ(command, row.pair.command) << KeyText(row.pair.key);
        EXPECT_EQ(state, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, DefaultMapRow, ::testing::ValuesIn(DefaultRows()));

TEST(DefaultMap, TablesHoldTheListedPairsOnce)
{
    const TKeyMap map = DefaultMap();
    EXPECT_EQ(map.MainTable().Count(), 73);
    EXPECT_EQ(map.PrefixTable(1).Count(), 27);
    EXPECT_EQ(map.PrefixTable(2).Count(), 22);
    EXPECT_EQ(map.PrefixTable(3).Count(), 8);
    for (int n = 4; n <= 6; ++n)
        EXPECT_EQ(map.PrefixTable(n).Count(), 0);
    for (const TDefaultRow& row : DefaultRows()) {
        EXPECT_NE(row.pair.key, 0);
        EXPECT_NE(row.pair.command, 0);
        if (!IsPrefixValue(row.pair.command)) {
            EXPECT_NE(FindCommand(row.pair.command), nullptr) << row.pair.command;
        }
    }
    EXPECT_EQ(map.MainTable().At(0).key, VirtualKey(kVkEnter));
    EXPECT_EQ(map.MainTable().At(72).command, cmNullCmd);
}

TEST(DefaultMap, KeysForCommandListsCombinationsThenSequences)
{
    const TKeyMap map = DefaultMap();
    EXPECT_EQ(map.KeysForCommand(cmCopy), (std::vector<std::string>{"Ctrl+Ins", "Ctrl+C", "Ctrl+K K"}));
    EXPECT_EQ(map.KeysForCommand(cmMatchPair), (std::vector<std::string>{"Ctrl+Q [", "Ctrl+Q ]"}));
    EXPECT_EQ(map.KeysForCommand(cmGoToLine), (std::vector<std::string>{"Ctrl+J", "Ctrl+O G"}));
    EXPECT_EQ(map.KeysForCommand(cmRedo), (std::vector<std::string>{"Alt+Shift+Backspace"}));
    EXPECT_TRUE(map.KeysForCommand(cmDupLine).empty());
}

TEST(DefaultMap, ProgramMapStartsWithDefaultsUnmodified)
{
    const TKeyMap& map = ProgramKeyMap();
    EXPECT_EQ(map.MainTable().Count(), 73);
    EXPECT_FALSE(map.Modified());
}

struct TSequenceRow {
    const char* what;
    std::vector<uint16_t> keys;  // all but the last must leave a prefix pending
    unsigned command;
};

class PrefixSequence : public ::testing::TestWithParam<TSequenceRow> {};

TEST_P(PrefixSequence, GivesItsCommand)
{
    const TKeyMap map = DefaultMap();
    uint16_t state = 0;
    const std::vector<uint16_t>& keys = GetParam().keys;
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
        ASSERT_EQ(map.LookupKey(keys[i], state), 0u);
    EXPECT_EQ(map.LookupKey(keys.back(), state), GetParam().command) << GetParam().what;
    EXPECT_EQ(state, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PrefixSequence,
    ::testing::Values(TSequenceRow{"Ctrl+K B", {kCtrlK, 0x142}, cmStartSelect},
                      TSequenceRow{"Ctrl+K Ctrl+B", {kCtrlK, 0x542}, cmStartSelect},
                      TSequenceRow{"Ctrl+K Shift+B", {kCtrlK, 0x342}, cmStartSelect},
                      TSequenceRow{"Ctrl+K Ctrl+Shift+B", {kCtrlK, 0x742}, cmStartSelect},
                      TSequenceRow{"Ctrl+K Alt+B", {kCtrlK, 0x942}, 0},
                      TSequenceRow{"Ctrl+K 7", {kCtrlK, 0x137}, cmSetMark0 + 7},
                      TSequenceRow{"Ctrl+K Ctrl+7 is no letter", {kCtrlK, 0x537}, 0},
                      TSequenceRow{"Ctrl+Q [", {kCtrlQ, '['}, cmMatchPair},
                      TSequenceRow{"Ctrl+Q Del", {kCtrlQ, 0x12E}, cmDeleteToBOL},
                      TSequenceRow{"Ctrl+Q 0", {kCtrlQ, 0x130}, cmGotoMark0},
                      TSequenceRow{"Ctrl+O C", {kCtrlO, 0x143}, cmSetColumnSelMode},
                      TSequenceRow{"Ctrl+K then Ctrl+Q restarts", {kCtrlK, kCtrlQ, 0x141}, 0},
                      TSequenceRow{"typed [ without prefix", {'['}, cmInsertChar},
                      TSequenceRow{"Ctrl+Shift+Q is unbound", {0x651}, 0}));

TEST(Lookup, UnboundKeyClearsPendingPrefix)
{
    const TKeyMap map = DefaultMap();
    uint16_t state = 0;
    map.LookupKey(kCtrlK, state);
    EXPECT_EQ(map.LookupKey(0x651, state), 0u);
    EXPECT_EQ(state, 0);
    // B alone is now a plain key of the main table, which does not bind it.
    EXPECT_EQ(map.LookupKey(0x142, state), 0u);
}

TEST(Lookup, TypedLowerCaseLetterAfterPrefixIsUpperCased)
{
    TKeyMap map = DefaultMap();
    ASSERT_TRUE(map.MapPrefixedKey(kPrefix1 + 1, 'X', cmDupLine));
    uint16_t state = 0;
    map.LookupKey(kCtrlQ, state);
    EXPECT_EQ(map.KeyFromChar('x', state), cmDupLine);
}

TEST(Lookup, WindowInputThatMakesNoCodeKeepsThePrefix)
{
    const TKeyMap map = DefaultMap();
    uint16_t state = 0;
    EXPECT_EQ(map.KeyFromKeyDown(0x51, false, true, state), 0u);  // Ctrl+Q
    EXPECT_EQ(state, kPrefix1 + 1);
    EXPECT_EQ(map.KeyFromKeyDown(0xDB, false, false, state), 0u);  // the [ key itself has no code
    EXPECT_EQ(map.KeyFromKeyDown(kVkShift, true, false, state), 0u);
    EXPECT_EQ(state, kPrefix1 + 1);
    EXPECT_EQ(map.KeyFromChar('[', state), cmMatchPair);
    EXPECT_EQ(map.KeyFromChar(7, state), 0u);  // control characters are keys, not typing
    EXPECT_EQ(map.KeyFromChar('a', state), cmInsertChar);
    EXPECT_EQ(map.KeyFromSysKeyDown(0x08, false, false, true, state), cmUndo);
}

TEST(Lookup, WindowMessagesByKind)
{
    const TKeyMap map = DefaultMap();
    uint16_t state = 0;
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::Char, 'x', 0), cmInsertChar);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::KeyDown, 'F', kKeyCtrl), cmFind);
    // AltGr holds Ctrl and Alt: the character it types must come through.
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::KeyDown, 'F', kKeyCtrl | kKeyAlt), 0u);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::KeyDown, kVkBackspace, kKeyAlt), cmBackspace);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::SysKeyDown, kVkBackspace, kKeyAlt), cmUndo);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::SysKeyDown, kVkBackspace, kKeyAlt | kKeyShift),
              cmRedo);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::KeyDown, 'K', kKeyCtrl), 0u);
    EXPECT_EQ(map.LookupKeyMessage(state, TKeyMessage::KeyDown, 'B', kKeyCtrl), cmStartSelect);
    EXPECT_EQ(map.LookupKeyMessage(state, static_cast<TKeyMessage>(7), 'B', 0), 0u);
}

TEST(Lookup, EverySixPrefixValuesStartASequence)
{
    TKeyMap map = DefaultMap();
    for (unsigned vk = kVkF1 + 4; vk <= kVkF1 + 6; ++vk)
        ASSERT_TRUE(map.AddPrefixKey(VirtualKey(vk), false, false, false));
    EXPECT_FALSE(map.AddPrefixKey(VirtualKey(kVkF1 + 7), false, false, false));
    std::vector<uint16_t> prefixKeys = map.PrefixKeys();
    ASSERT_EQ(prefixKeys.size(), 6u);
    std::set<uint16_t> values;
    for (uint16_t key : prefixKeys) {
        uint16_t state = 0;
        EXPECT_EQ(map.LookupKey(key, state), 0u);
        EXPECT_TRUE(IsPrefixValue(state));
        values.insert(state);
        ASSERT_TRUE(map.MapPrefixedKey(state, 0x141, cmDupLine));
        EXPECT_EQ(map.LookupKey(0x141, state), cmDupLine);
    }
    EXPECT_EQ(values.size(), 6u);
    EXPECT_EQ(*values.rbegin(), kPrefix6);
}

struct TMappableRow {
    const char* what;
    uint16_t key;
    bool alt, ctrl, shift;
    bool mappable;
};

class Mappable : public ::testing::TestWithParam<TMappableRow> {};

TEST_P(Mappable, FollowsTheRules)
{
    const TKeyMap map = DefaultMap();
    const TMappableRow& r = GetParam();
    EXPECT_EQ(map.IsMappable(r.key, r.alt, r.ctrl, r.shift), r.mappable) << r.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Mappable,
    ::testing::Values(TMappableRow{"A", 0x141, false, false, false, false},
                      TMappableRow{"Shift+A", 0x141, false, false, true, false},
                      TMappableRow{"Alt+A", 0x141, true, false, false, true},
                      TMappableRow{"Ctrl+A", 0x141, false, true, false, true},
                      TMappableRow{"Ctrl+K is a prefix key", 0x141 + 10, false, true, false, false},
                      TMappableRow{"Alt+Ctrl+K is not", 0x141 + 10, true, true, false, true},
                      TMappableRow{"5", 0x135, false, false, false, false},
                      TMappableRow{"Ctrl+5", 0x135, false, true, false, true},
                      TMappableRow{"Alt+Tab", 0x109, true, false, false, false},
                      TMappableRow{"Alt+Shift+Tab", 0x109, true, false, true, true},
                      TMappableRow{"Ctrl+Esc", 0x11B, false, true, false, false},
                      TMappableRow{"Ctrl+Alt+Esc", 0x11B, true, true, false, true},
                      TMappableRow{"Esc", 0x11B, false, false, false, true},
                      TMappableRow{"F12", 0x17B, false, false, false, true},
                      TMappableRow{"Shift+Ins", 0x12D, false, false, true, true},
                      TMappableRow{"NumPad9", 0x169, false, false, false, true},
                      TMappableRow{"NumPadDiv", 0x16F, false, false, false, true},
                      TMappableRow{"number-pad separator", 0x16C, false, false, false, false},
                      TMappableRow{"typed [", '[', false, true, false, false},
                      TMappableRow{"the [ key", 0x1DB, false, true, false, false}));

TEST(Capacity, MainTableRefusesThe129thBinding)
{
    TKeyMap map;
    int added = 0;
    for (int i = 0; i < KeyNameCount() && added < kMainTableCapacity; ++i)
        for (uint16_t mods : {0, 0x200, 0x400, 0x600})
            if (added < kMainTableCapacity && map.MapKey(KeyCodeAt(i) | mods, false, false, false, cmDupLine))
                ++added;
    ASSERT_EQ(map.MainTable().Count(), kMainTableCapacity);
    EXPECT_FALSE(map.MapKey(0x170, true, true, true, cmDupLine));
    EXPECT_EQ(map.MainTable().CommandOf(0xF70), 0);
    // Rebinding a combination that is already there still works in a full table.
    EXPECT_TRUE(map.MapKey(KeyCodeAt(0), false, false, false, cmJoinLine));
    EXPECT_EQ(map.MainTable().CommandOf(KeyCodeAt(0)), cmJoinLine);
    // And a new prefix key is refused without touching a prefix table.
    ASSERT_TRUE(map.MapPrefixedKey(kPrefix1, 0x142, cmStartSelect));
    EXPECT_FALSE(map.AddPrefixKey(0x170, true, true, true));
    EXPECT_EQ(map.PrefixTable(1).Count(), 1);
}

TEST(Capacity, PrefixTableRefusesThe37thBinding)
{
    TKeyMap map;
    for (int i = 0; i < kPrefixTableCapacity; ++i)
        ASSERT_TRUE(map.MapPrefixedKey(kPrefix1 + 4, KeyCodeAt(i), cmDupLine));
    EXPECT_FALSE(map.MapPrefixedKey(kPrefix1 + 4, KeyCodeAt(kPrefixTableCapacity), cmDupLine));
    EXPECT_EQ(map.PrefixTable(5).Count(), kPrefixTableCapacity);
    EXPECT_FALSE(map.MapPrefixedKey(0xFF07, 0x141, cmDupLine));
}

TEST(Binding, MapKeyReplacesAndSetsModified)
{
    TKeyMap map = DefaultMap();
    EXPECT_TRUE(map.MapKey(0x141, false, true, false, cmDupLine));  // Ctrl+A was SelectAll
    EXPECT_TRUE(map.Modified());
    EXPECT_EQ(map.MainTable().Count(), 73);
    uint16_t state = 0;
    EXPECT_EQ(map.LookupKey(0x541, state), cmDupLine);
}

TEST(Binding, AddPrefixKeyTakesTheFirstFreeValueWithAnEmptyTable)
{
    TKeyMap map = DefaultMap();
    ASSERT_TRUE(map.MapPrefixedKey(kPrefix1 + 3, 0x141, cmDupLine));  // leftovers in unused table 4
    map.SetModified(false);
    ASSERT_TRUE(map.AddPrefixKey(VirtualKey(kVkF1 + 4), false, true, false));
    EXPECT_TRUE(map.Modified());
    EXPECT_EQ(map.MainTable().CommandOf(0x574), kPrefix1 + 3);
    EXPECT_EQ(map.PrefixTable(4).Count(), 0);
    EXPECT_FALSE(map.AddPrefixKey(0x141, false, false, false));  // A alone is not mappable
}

struct TUnmapRow {
    const char* text;
    bool removed;
    uint16_t command;  // whose binding count drops by one
};

class UnmapText : public ::testing::TestWithParam<TUnmapRow> {};

TEST_P(UnmapText, RemovesTheShownBinding)
{
    TKeyMap map = DefaultMap();
    std::size_t before = map.KeysForCommand(GetParam().command).size();
    EXPECT_EQ(map.UnmapKeyText(GetParam().text), GetParam().removed) << GetParam().text;
    std::size_t after = map.KeysForCommand(GetParam().command).size();
    EXPECT_EQ(after + (GetParam().removed ? 1 : 0), before);
    EXPECT_EQ(map.Modified(), GetParam().removed);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnmapText,
                         ::testing::Values(TUnmapRow{"Ctrl+F3", true, cmFindNextWord},
                                           TUnmapRow{"  ctrl+shift+f3", true, cmFindPrevWord},
                                           TUnmapRow{"Ctrl+K B", true, cmStartSelect},
                                           TUnmapRow{"Ctrl+Q [", true, cmMatchPair},
                                           TUnmapRow{"Ctrl+Q Del", true, cmDeleteToBOL},
                                           TUnmapRow{"Ctrl+Q Z", false, cmDupLine},
                                           TUnmapRow{"F5 B", false, cmStartSelect},
                                           TUnmapRow{"Ctrl+F9", false, cmDupLine},
                                           TUnmapRow{"", false, cmDupLine}));

TEST(Unmap, RemovingAPrefixKeyEmptiesItsTableAndMovesLaterPairsUp)
{
    TKeyMap map = DefaultMap();
    int index = map.MainTable().Find(kCtrlK);
    uint16_t next = map.MainTable().At(index + 1).key;
    ASSERT_TRUE(map.UnmapKeyText("Ctrl+K"));
    EXPECT_EQ(map.PrefixTable(1).Count(), 0);
    EXPECT_EQ(map.MainTable().Count(), 72);
    EXPECT_EQ(map.MainTable().At(index).key, next);
    EXPECT_TRUE(map.KeysForCommand(cmStartSelect).empty());
}

TEST(KeysForCommandBuffer, EndsWithEmptyStringAndLeavesOutWhatDoesNotFit)
{
    const TKeyMap map = DefaultMap();
    char buffer[64];
    ASSERT_EQ(map.KeysForCommand(cmCopy, buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 26), std::string("Ctrl+Ins\0Ctrl+C\0Ctrl+K K\0\0", 26));
    // Room for "Ctrl+Ins" and "Ctrl+C" but not "Ctrl+K K": the last text is left out.
    char small[18];
    EXPECT_EQ(map.KeysForCommand(cmCopy, small, sizeof small), 2);
    EXPECT_EQ(std::string(small, 17), std::string("Ctrl+Ins\0Ctrl+C\0\0", 17));
    char tiny[1];
    EXPECT_EQ(map.KeysForCommand(cmCopy, tiny, sizeof tiny), 0);
    EXPECT_EQ(tiny[0], '\0');
}
