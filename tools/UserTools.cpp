// The user tool table: its keys in the settings file, clamping, and the Tools menu items.
#include "tools/UserTools.h"

#include <cstdio>

#include "base/TextTools.h"

namespace {

// The nine keys of one tool, in the order they are written.
const char* const kToolKeys[] = {"MenuText",   "PathName",         "Arguments",
                                 "InitialDir", "AskArguments",     "CaptureOutput",
                                 "SaveFile",   "PromptBeforeSave", "SendArgAsShortFileName"};

std::string KeyOf(const char* name, int n)
{
    char key[40];
    std::snprintf(key, sizeof key, "%s%d", name, n);
    return key;
}

}  // namespace

const TUserToolElement* TUserTools::Tool(int index) const
{
    return index >= 0 && index < Count() ? &tools_[static_cast<std::size_t>(index)] : nullptr;
}

bool TUserTools::Append(const TUserToolElement& tool)
{
    if (Count() >= kMaxUserTools) return false;
    tools_.push_back(tool);
    return true;
}

void TUserTools::Remove(int index)
{
    if (index >= 0 && index < Count()) tools_.erase(tools_.begin() + index);
}

void TUserTools::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
    TUserToolElement tool = tools_[static_cast<std::size_t>(from)];
    tools_.erase(tools_.begin() + from);
    tools_.insert(tools_.begin() + to, tool);
}

void TUserTools::Load(const TProfile& ini, const char* section)
{
    tools_.clear();
    for (int n = 1; n <= kMaxUserTools; ++n) {
        TUserToolElement t;
        ini.GetString(section, KeyOf("MenuText", n).c_str(), "", t.menuText, sizeof t.menuText);
        ini.GetString(section, KeyOf("PathName", n).c_str(), "", t.program, sizeof t.program);
        // The tools are numbered without gaps: the first number lacking either its text or its program
        // ends the table, and what follows it is not read (the Tools dialog never writes such a tool).
        if (t.menuText[0] == '\0' || t.program[0] == '\0') break;
        ini.GetString(section, KeyOf("Arguments", n).c_str(), "", t.arguments, sizeof t.arguments);
        ini.GetString(section, KeyOf("InitialDir", n).c_str(), "", t.initialDir, sizeof t.initialDir);
        t.askArguments = ini.GetFlag(section, KeyOf("AskArguments", n).c_str(), false);
        t.captureOutput = ini.GetFlag(section, KeyOf("CaptureOutput", n).c_str(), false);
        int save = ini.GetInt(section, KeyOf("SaveFile", n).c_str(), 1);
        t.saveFiles = static_cast<TSaveBeforeTool>(save >= 0 && save <= 2 ? save : 1);
        t.promptBeforeSave = ini.GetFlag(section, KeyOf("PromptBeforeSave", n).c_str(), false);
        int shortNames = ini.GetInt(section, KeyOf("SendArgAsShortFileName", n).c_str(), 0);
        t.shortNames = static_cast<TShortNames>(shortNames >= 0 && shortNames <= 2 ? shortNames : 0);
        tools_.push_back(t);
    }
}

bool TUserTools::Save(TProfile& ini, const char* section) const
{
    bool ok = true;
    for (int i = 0; i < Count(); ++i) {
        const TUserToolElement& t = tools_[static_cast<std::size_t>(i)];
        const int n = i + 1;
        ok = ini.WriteString(section, KeyOf("MenuText", n).c_str(), t.menuText) && ok;
        ok = ini.WriteString(section, KeyOf("PathName", n).c_str(), t.program) && ok;
        ok = ini.WriteString(section, KeyOf("Arguments", n).c_str(), t.arguments) && ok;
        ok = ini.WriteString(section, KeyOf("InitialDir", n).c_str(), t.initialDir) && ok;
        ok = ini.WriteFlag(section, KeyOf("AskArguments", n).c_str(), t.askArguments) && ok;
        ok = ini.WriteFlag(section, KeyOf("CaptureOutput", n).c_str(), t.captureOutput) && ok;
        ok = ini.WriteInt(section, KeyOf("SaveFile", n).c_str(), static_cast<int>(t.saveFiles)) && ok;
        ok = ini.WriteFlag(section, KeyOf("PromptBeforeSave", n).c_str(), t.promptBeforeSave) && ok;
        ok = ini.WriteInt(section, KeyOf("SendArgAsShortFileName", n).c_str(),
                          static_cast<int>(t.shortNames)) &&
            ok;
    }
    for (int n = Count() + 1; n <= kMaxUserTools; ++n)
        for (const char* key : kToolKeys) ok = ini.DeleteKey(section, KeyOf(key, n).c_str()) && ok;
    return ok;
}

std::vector<TUserToolMenuItem> TUserTools::MenuItems() const
{
    std::vector<TUserToolMenuItem> items;
    for (int i = 0; i < Count(); ++i) {
        const char* text = tools_[static_cast<std::size_t>(i)].menuText;
        char fallback[24];
        std::snprintf(fallback, sizeof fallback, "UserTool %d", i + 1);
        items.push_back({kUserToolFirstCommand + i, text[0] != '\0' ? text : fallback});
    }
    return items;
}
