// Every resource the program's code names is present: strings, menus, accelerators, bitmaps, cursors, icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "resource.h"

namespace {

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

bool HasString(unsigned id)
{
    char text[8];
    return LoadStringA(Module(), id, text, sizeof text) > 0;
}

std::vector<unsigned> Range(unsigned first, unsigned last)
{
    std::vector<unsigned> ids;
    for (unsigned id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

// Every command id of a menu and its pop-ups.
void CollectCommands(HMENU menu, std::vector<unsigned>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i))
            CollectCommands(sub, ids);
        else if (UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1))
            ids.push_back(id);
    }
}

}  // namespace

TEST(Resources, MessageAndLabelStringsLoad)
{
    std::vector<std::vector<unsigned>> groups = {
        {IDS_HELPNOTAVAILABLE, IDS_WHOLENUMBER, IDS_FILTERDEFAULT, IDS_PRODUCTNAME, IDS_SAVEKEYMAP, 1550, 32701, 32702},
        Range(72, 79),           Range(1500, 1519),   Range(15003, 15008), Range(15020, 15027),
        Range(15100, 15104),     Range(15180, 15192), Range(15250, 15263), Range(15400, 15416),
        Range(15420, 15426),     Range(16000, 16009),
    };
    for (const auto& group : groups)
        for (unsigned id : group)
            EXPECT_TRUE(HasString(id)) << "string " << id;
}

TEST(Resources, MessageTextsAreTheProgramsOwn)
{
    char text[256];
    LoadStringA(Module(), IDS_SAVECHANGES, text, sizeof text);
    EXPECT_STREQ(text, "The text in the %s file has changed. Do you want to save changes?");
    LoadStringA(Module(), IDS_CANTUNDO, text, sizeof text);
    EXPECT_STREQ(text, "Can't &Undo");
    LoadStringA(Module(), IDS_UNDOACCEL, text, sizeof text);
    EXPECT_STREQ(text, "\tAlt+BkSp");
    LoadStringA(Module(), 15250, text, sizeof text);
    EXPECT_STREQ(text, "Regular expression error:  ");
    // The default filter string ends in its separator and pairs nine types.
    std::string filters(512, '\0');
    filters.resize(LoadStringA(Module(), IDS_FILTERDEFAULT, filters.data(), 512));
    ASSERT_FALSE(filters.empty());
    EXPECT_EQ(filters.back(), '|');
    int separators = 0;
    for (char c : filters)
        separators += c == '|';
    EXPECT_EQ(separators, 18);
}

TEST(Resources, EveryMenuCommandHasItsHelpAndTipText)
{
    std::vector<unsigned> ids;
    for (const char* name : {"BTNBAR", "EDIT_SELECT", "EDIT_NOSEL"}) {
        HMENU menu = LoadMenuA(Module(), name);
        ASSERT_NE(menu, nullptr) << name;
        CollectCommands(menu, ids);
        DestroyMenu(menu);
    }
    HMENU main = LoadMenuA(Module(), MAKEINTRESOURCEA(1));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetMenuItemCount(main), 8);  // File, Edit, Search, Tools, Font, Options, Window, Help
    CollectCommands(main, ids);
    DestroyMenu(main);
    for (unsigned id : ids) {
        char text[256] = {};
        ASSERT_GT(LoadStringA(Module(), id, text, sizeof text), 0) << "menu command " << id;
        EXPECT_NE(std::string(text).find('\n'), std::string::npos) << "no tool tip for " << id;
    }
}

TEST(Resources, EveryEditorCommandHasItsDescription)
{
    for (int i = 0; kCommandTable[i].number != 0; ++i)
        EXPECT_TRUE(HasString(1000u + kCommandTable[i].number)) << kCommandTable[i].name;
}

TEST(Resources, AcceleratorsLeadToMenuCommands)
{
    HACCEL accel = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_NE(accel, nullptr);
    ACCEL entries[64];
    int n = CopyAcceleratorTableA(accel, entries, 64);
    EXPECT_GT(n, 0);
    std::vector<unsigned> ids;
    HMENU main = LoadMenuA(Module(), MAKEINTRESOURCEA(1));
    CollectCommands(main, ids);
    DestroyMenu(main);
    for (int i = 0; i < n; ++i)
        EXPECT_NE(std::find(ids.begin(), ids.end(), entries[i].cmd), ids.end()) << entries[i].cmd;
}

TEST(Resources, BitmapsCursorsIconsAndDialogTemplatesLoad)
{
    for (int i = 1; i <= 21; ++i) {
        char name[8];
        wsprintfA(name, "BB%02d", i);
        HBITMAP bitmap = LoadBitmapA(Module(), name);
        EXPECT_NE(bitmap, nullptr) << name;
        if (bitmap)
            DeleteObject(bitmap);
    }
    for (const char* cursor : {"WE_SelCur", "WE_Record", "Help", "Hand_L", "Hand_R"})
        EXPECT_NE(LoadCursorA(Module(), cursor), nullptr) << cursor;
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCEA(IDI_PROGRAM)), nullptr);
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCEA(IDI_DOCUMENT)), nullptr);
    for (const char* dialog : {"Open95", "OpenMulti", "Open", "SaveAs95", "SaveAs", "Browse", "BrowseFilesOnly",
                               "FILEFILTERS", "SYNTAXHIGHLIGHT", "SYNTAXHIGHLIGHTADD", "SYNTAXHIGHLIGHTLANG"})
        EXPECT_NE(FindResourceA(Module(), dialog, MAKEINTRESOURCEA(5)), nullptr) << dialog;
}
