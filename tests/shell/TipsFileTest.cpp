// The tips file: going round it, comment lines, a changed file starting again, the place kept in the
// settings; the shipped tips naming only keys and commands that exist; the association entries.
#include "shell/TipsFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "engine/Commands.h"
#include "keys/KeyCodes.h"
#include "keys/KeyMap.h"
#include "shell/Associations.h"
#include "shell/CommandLine.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Tips(TTipsFile& tips, int n)
{
    std::vector<std::string> shown;
    for (int i = 0; i < n; ++i) {
        std::string tip;
        EXPECT_TRUE(tips.Next(&tip));
        shown.push_back(tip);
    }
    return shown;
}

using TList = std::vector<std::string>;

TEST(TipsFile, GoesRoundPastCommentsAndKeepsItsPlace)
{
    TTempDir dir;
    const std::string path = dir.File("OZM.TIP");
    TTempDir::Write(path, "; heading\r\nfirst\r\n indented comment\r\n\tanother\r\n\r\nsecond\r\n;x\r\nthird");
    TIniFile ini{dir.File("ozm.ini")};
    {
        TTipsFile tips(path, ini);
        EXPECT_EQ(tips.State(), TTipsFile::TState::Ok);
        EXPECT_TRUE(tips.ShowAtStartUp());
        EXPECT_EQ(Tips(tips, 4), (TList{"first", "second", "third", "first"}));
    }
    // The next opening goes on after the last tip shown.
    {
        TTipsFile tips(path, ini);
        EXPECT_EQ(Tips(tips, 2), (TList{"second", "third"}));
        tips.SetShowAtStartUp(false);
    }
    EXPECT_EQ(ini.GetText("Tip", "StartUp", "", 8), "1");
    EXPECT_EQ(ini.GetText("Tip", "TimeStamp", "", 64), TTipsFile::TimeStampOf(path));
    TTipsFile tips(path, ini);
    EXPECT_FALSE(tips.ShowAtStartUp());
}

TEST(TipsFile, AChangedFileStartsAgainFromItsFirstTip)
{
    TTempDir dir;
    const std::string path = dir.File("OZM.TIP");
    TTempDir::Write(path, "one\ntwo\nthree\n");
    TIniFile ini{dir.File("ozm.ini")};
    {
        TTipsFile tips(path, ini);
        EXPECT_EQ(Tips(tips, 2), (TList{"one", "two"}));
    }
    TTempDir::Write(path, "uno\ndue\ntre\n");
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
    TTipsFile tips(path, ini);
    EXPECT_EQ(Tips(tips, 1), (TList{"uno"}));
}

TEST(TipsFile, CommentsOnlyOrNoFileGiveNoTipWithoutHanging)
{
    TTempDir dir;
    const std::string path = dir.File("OZM.TIP");
    TTempDir::Write(path, "; only\n  comments\n\n");
    TIniFile ini{dir.File("ozm.ini")};
    TTipsFile tips(path, ini);
    std::string tip = "x";
    EXPECT_FALSE(tips.Next(&tip));
    EXPECT_EQ(tip, "");
    EXPECT_FALSE(tips.Next(&tip));
    TTipsFile none(dir.File("missing.tip"), ini);
    EXPECT_EQ(none.State(), TTipsFile::TState::NoFile);
    EXPECT_FALSE(none.Next(&tip));
}

TEST(TipsFile, ALongLineIsCutAndItsRestIsNoTip)
{
    TTempDir dir;
    const std::string path = dir.File("OZM.TIP");
    TTempDir::Write(path, std::string(1500, 'a') + "\nnext\n");
    TIniFile ini{dir.File("ozm.ini")};
    TTipsFile tips(path, ini);
    std::string tip;
    ASSERT_TRUE(tips.Next(&tip));
    EXPECT_EQ(tip, std::string(TTipsFile::kMaxLine, 'a'));
    ASSERT_TRUE(tips.Next(&tip));
    EXPECT_EQ(tip, "next");
}

// A word of a tip with the punctuation of the sentence around it taken off.
std::string Bare(std::string word)
{
    while (!word.empty() && std::string(",.;:)\"").find(word.back()) != std::string::npos && word.size() > 1)
        word.pop_back();
    while (!word.empty() && (word.front() == '(' || word.front() == '"') && word.size() > 1)
        word.erase(0, 1);
    return word;
}

bool NamesAKey(const std::string& word)
{
    if (word.rfind("Ctrl+", 0) == 0 || word.rfind("Alt+", 0) == 0 || word.rfind("Shift+", 0) == 0)
        return true;
    if (word == "Ins")
        return true;
    return word.size() >= 2 && word[0] == 'F' && std::isdigit(static_cast<unsigned char>(word[1]));
}

// Every key a shipped tip names does something in the default key map (a two-key sequence both keys), and
// every command it names in single quotes is in the command table.
TEST(ShippedTips, NameOnlyKeysAndCommandsThatExist)
{
    std::ifstream in(fs::path(VOK_SOURCE_DIR) / "data" / "OZM.TIP", std::ios::binary);
    ASSERT_TRUE(in);
    TKeyMap map;
    map.SetDefaults();
    int tips = 0, keys = 0, commands = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (TTipsFile::IsComment(line.c_str()))
            continue;
        ++tips;
        EXPECT_LE(line.size(), static_cast<std::size_t>(TTipsFile::kMaxLine));
        std::vector<std::string> words;
        std::istringstream split(line);
        for (std::string w; split >> w;)
            words.push_back(w);
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::string word = Bare(words[i]);
            if (word.size() > 2 && word.front() == '\'') {
                const std::string name = word.substr(1, word.find('\'', 1) - 1);
                EXPECT_NE(FindCommandByName(name.c_str()), 0u) << name << " in: " << line;
                ++commands;
                continue;
            }
            if (!NamesAKey(word))
                continue;
            ++keys;
            const uint16_t code = KeyCodeFromText(word);
            ASSERT_NE(code, 0) << word << " in: " << line;
            uint16_t state = 0;
            const unsigned command = map.LookupKey(code, state);
            if (state == 0) {
                EXPECT_NE(command, 0u) << word << " in: " << line;
                continue;
            }
            ASSERT_LT(i + 1, words.size()) << word << " ends: " << line;
            const std::string second = words[++i] == "[" || words[i] == "]" ? words[i] : Bare(words[i]);
            const uint16_t next = KeyCodeFromText(second);
            ASSERT_NE(next, 0) << word << " " << second << " in: " << line;
            EXPECT_NE(map.LookupKey(next, state), 0u) << word << " " << second << " in: " << line;
        }
    }
    EXPECT_GE(tips, 40);
    EXPECT_GE(keys, 40);
    EXPECT_GE(commands, 5);
}

TEST(Associations, EachCheckedKindWritesItsKeysAndNothingCheckedWritesNothing)
{
    const std::string open = OpenCommandFor("C:\\PROGRA~1\\VOK\\OZM.EXE");
    EXPECT_EQ(open, "\"C:\\PROGRA~1\\VOK\\OZM.EXE\" \"%1\"");
    EXPECT_TRUE(AssociationEntries(0, open).empty());
    auto keys = [&](unsigned checked) {
        std::string text;
        for (const TRegistryEntry& e : AssociationEntries(checked, open))
            text += e.key + "=" + (e.value == open ? std::string("OPEN") : e.value) + ";";
        return text;
    };
    EXPECT_EQ(keys(1u << static_cast<int>(TFileKind::Log)),
              "LogFileType=Log File;LogFileType\\shell\\open\\command=OPEN;.log=LogFileType;");
    EXPECT_EQ(keys(1u << static_cast<int>(TFileKind::Cpp)),
              "ozmtxtfile=Text File;ozmtxtfile\\shell\\open\\command=OPEN;.cpp=ozmtxtfile;.cxx=ozmtxtfile;");
    // The shared file type is written once however many source kinds are checked.
    EXPECT_EQ(keys((1u << static_cast<int>(TFileKind::C)) | (1u << static_cast<int>(TFileKind::Inc))
                   | (1u << static_cast<int>(TFileKind::Txt))),
              "txtfile=Text Document;txtfile\\shell\\open\\command=OPEN;.txt=txtfile;"
              "ozmtxtfile=Text File;ozmtxtfile\\shell\\open\\command=OPEN;.c=ozmtxtfile;.inc=ozmtxtfile;");
}

// What the shell runs for a file whose path holds blanks reaches the program as one name.
TEST(Associations, TheOpenCommandKeepsAPathWithBlanksWhole)
{
    std::string command = OpenCommandFor("C:\\Program Files\\Vok\\ozm.exe");
    const std::string file = "C:\\My Documents\\read me.txt";
    command.replace(command.find("%1"), 2, file);
    const std::vector<std::string> tokens = SplitCommandLine(command.c_str());
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0], "C:\\Program Files\\Vok\\ozm.exe");
    EXPECT_EQ(tokens[1], file);
    // Unquoted, as it used to be written, the same path fell apart into three names.
    EXPECT_EQ(SplitCommandLine(file.c_str()).size(), 3u);
}

}  // namespace
