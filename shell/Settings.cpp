// The settings: one table of keys drives loading, clamping, saving and access by name.
#include "shell/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/TextTools.h"

namespace {

const char kSettings[] = "Settings";
const char kEditor[] = "Editor";

// FileName is a text that keeps only a bare file name (KeyMappingFile).
enum class TKind { Flag, Number, Text, FileName, Window };
// When a key is written: only by a full save, by every save, or never by the settings themselves.
enum class TWhen { Full, Always, Never };

struct TRow {
    const char* section;
    const char* key;
    TKind kind;
    TWhen when;
    int def = 0;
    int (*clamp)(int) = nullptr;
    int (*get)(const TSettings&) = nullptr;
    void (*set)(TSettings&, int) = nullptr;
    const char* defText = nullptr;
    int readSize = 0;
    char* (*text)(TSettings&) = nullptr;
    std::size_t fieldSize = 0;
};

template <auto Member>
int Get(const TSettings& s)
{
    return static_cast<int>(s.*Member);
}
template <auto Member>
void Set(TSettings& s, int v)
{
    s.*Member = static_cast<std::remove_reference_t<decltype(s.*Member)>>(v);
}
template <auto Member>
int GetEngine(const TSettings& s)
{
    return static_cast<int>(s.engine.*Member);
}
template <auto Member>
void SetEngine(TSettings& s, int v)
{
    s.engine.*Member = static_cast<std::remove_reference_t<decltype(s.engine.*Member)>>(v);
}
template <auto Member>
char* Text(TSettings& s)
{
    return s.*Member;
}

int ClampBarStyle(int v) { return v == 1 || v == 2 ? v : -1; }
int ClampFileFormat(int v) { return v >= 0 && v <= 2 ? v : 0; }
int ClampUndoLevels(int v) { return v >= 1 && v <= 80 ? v : 80; }
int ClampTabSize(int v) { return v >= 2 && v <= 32 ? v : 2; }
int ClampBlockIndent(int v) { return v >= 1 && v <= 16 ? v : 1; }
int ClampWrapColumn(int v) { return v < 0 ? 0 : v > 32767 ? 32767 : v; }  // a 16-bit column
int ClampLanguage(int v) { return v >= 0 && v <= 3 ? v : 1; }
int ClampRightButton(int v) { return v >= 0 && v <= 1 ? v : 0; }

constexpr TRow Flag(const char* section, const char* key, TWhen when, int def, int (*get)(const TSettings&),
                    void (*set)(TSettings&, int))
{
    return TRow{section, key, TKind::Flag, when, def, nullptr, get, set};
}
constexpr TRow Number(const char* section, const char* key, TWhen when, int def, int (*clamp)(int),
                      int (*get)(const TSettings&), void (*set)(TSettings&, int))
{
    return TRow{section, key, TKind::Number, when, def, clamp, get, set};
}
constexpr TRow TextKey(const char* section, const char* key, TWhen when, const char* def, int readSize,
                       char* (*text)(TSettings&), std::size_t fieldSize)
{
    TRow row{section, key, TKind::Text, when};
    row.defText = def;
    row.readSize = readSize;
    row.text = text;
    row.fieldSize = fieldSize;
    return row;
}

using S = TSettings;
using E = TEngineOptions;

// Every key of sections Settings and Editor, in the order they are read.
const TRow kRows[] = {
    Flag(kSettings, "SaveSettings", TWhen::Full, 1, Get<&S::saveSettings>, Set<&S::saveSettings>),
    Flag(kSettings, "SaveDesktop", TWhen::Full, 1, Get<&S::saveDesktop>, Set<&S::saveDesktop>),
    Flag(kSettings, "AutoLoad", TWhen::Full, 0, Get<&S::autoLoad>, Set<&S::autoLoad>),
    Flag(kSettings, "AllowMultiInst", TWhen::Full, 0, Get<&S::allowMultiInst>, Set<&S::allowMultiInst>),
    TRow{kSettings, "Window", TKind::Window, TWhen::Full},
    Flag(kSettings, "StatusBar", TWhen::Full, 1, Get<&S::statusBar>, Set<&S::statusBar>),
    Flag(kSettings, "ButtonBar", TWhen::Full, 1, Get<&S::buttonBar>, Set<&S::buttonBar>),
    Number(kSettings, "BtnBarStyle", TWhen::Full, -1, ClampBarStyle, Get<&S::btnBarStyle>,
           Set<&S::btnBarStyle>),
    TextKey(kSettings, "FontName", TWhen::Always, "Courier", 32, Text<&S::fontName>, sizeof S::fontName),
    Number(kSettings, "FontSize", TWhen::Always, 10, nullptr, Get<&S::fontSize>, Set<&S::fontSize>),
    Number(kSettings, "FontWeight", TWhen::Always, 400, nullptr, Get<&S::fontWeight>, Set<&S::fontWeight>),
    TextKey(kSettings, "LastDir", TWhen::Always, "", 260, Text<&S::lastDir>, sizeof S::lastDir),
    Flag(kSettings, "AssociateDlgStartUp", TWhen::Never, 1, Get<&S::associateDlgStartUp>,
         Set<&S::associateDlgStartUp>),

    Flag(kEditor, "BackupFiles", TWhen::Full, 1, Get<&S::backupFiles>, Set<&S::backupFiles>),
    Flag(kEditor, "DetectFileFormat", TWhen::Full, 1, GetEngine<&E::detectFileFormat>,
         SetEngine<&E::detectFileFormat>),
    Number(kEditor, "DefaultFileFormat", TWhen::Full, 0, ClampFileFormat, GetEngine<&E::defaultFileFormat>,
           SetEngine<&E::defaultFileFormat>),
    Flag(kEditor, "AutoIndent", TWhen::Full, 1, GetEngine<&E::autoIndent>, SetEngine<&E::autoIndent>),
    Flag(kEditor, "AutoUnindent", TWhen::Full, 1, GetEngine<&E::autoUnindent>, SetEngine<&E::autoUnindent>),
    Flag(kEditor, "OverwriteMode", TWhen::Full, 0, GetEngine<&E::overwriteMode>,
         SetEngine<&E::overwriteMode>),
    Number(kEditor, "UndoLevels", TWhen::Full, 20, ClampUndoLevels, GetEngine<&E::undoLevels>,
           SetEngine<&E::undoLevels>),
    Flag(kEditor, "UndoAfterSave", TWhen::Full, 0, GetEngine<&E::undoAfterSave>,
         SetEngine<&E::undoAfterSave>),
    Number(kEditor, "TabSize", TWhen::Full, 8, ClampTabSize, GetEngine<&E::tabSize>, SetEngine<&E::tabSize>),
    Number(kEditor, "BlockIndent", TWhen::Full, 1, ClampBlockIndent, GetEngine<&E::blockIndent>,
           SetEngine<&E::blockIndent>),
    Flag(kEditor, "UseTabChar", TWhen::Full, 1, GetEngine<&E::useTabChar>, SetEngine<&E::useTabChar>),
    Flag(kEditor, "WordWrap", TWhen::Full, 0, GetEngine<&E::wordWrap>, SetEngine<&E::wordWrap>),
    Number(kEditor, "WordWrapColumn", TWhen::Full, 76, ClampWrapColumn, GetEngine<&E::wordWrapColumn>,
           SetEngine<&E::wordWrapColumn>),
    Flag(kEditor, "WordWrapVisible", TWhen::Full, 1, Get<&S::wordWrapVisible>, Set<&S::wordWrapVisible>),
    Number(kEditor, "Language", TWhen::Full, 1, ClampLanguage, GetEngine<&E::language>,
           SetEngine<&E::language>),
    Number(kEditor, "RightMouseBtn", TWhen::Full, 0, ClampRightButton, Get<&S::rightMouseBtn>,
           Set<&S::rightMouseBtn>),
    // Read here with the other Editor keys; written by the key map when its file changes.
    TRow{kEditor, "KeyMappingFile", TKind::FileName, TWhen::Never},
};

int Clamped(const TRow& row, int value)
{
    if (row.kind == TKind::Flag) return value & 1;
    return row.clamp != nullptr ? row.clamp(value) : value;
}

const TRow* FindRow(const char* key)
{
    for (const TRow& row : kRows)
        if ((row.kind == TKind::Flag || row.kind == TKind::Number) && EqualNoCase(row.key, key)) return &row;
    return nullptr;
}

}  // namespace

TSettings& ProgramSettings()
{
    static TSettings settings(EngineOptions());
    return settings;
}

TSettings::TSettings(TEngineOptions& engineOptions)
    : engine(engineOptions), findHistory(&ownFind_), replaceHistory(&ownReplace_)
{
}

void TSettings::ConnectHistories(THistoryList& find, THistoryList& replace)
{
    findHistory = &find;
    replaceHistory = &replace;
}

TFramePlacement TSettings::ParseWindow(const char* text)
{
    // strtol rather than sscanf: a number beyond the range of int must not be undefined behaviour.
    long v[5] = {};
    int n = 0;
    for (const char* at = text != nullptr ? text : ""; n < 5; ++n) {
        char* end = nullptr;
        long value = std::strtol(at, &end, 10);
        if (end == at) break;
        v[n] = value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value;
        at = end;
    }
    TFramePlacement p;
    p.x = static_cast<int>(v[0]);
    p.y = static_cast<int>(v[1]);
    p.width = static_cast<int>(v[2]);
    p.height = static_cast<int>(v[3]);
    const long maximised = v[4];
    // A frame without a usable size could not be seen or reached; it gets the default placement too.
    if (n < 4 || p.width <= 0 || p.height <= 0)
        return TFramePlacement{kDefaultWindowPosition, kDefaultWindowPosition};
    p.maximised = n >= 5 && maximised != 0;
    return p;
}

std::string TSettings::FormatWindow(const TFramePlacement& p)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d %d", p.x, p.y, p.width, p.height, p.maximised ? 1 : 0);
    return text;
}

void TSettings::SetKeyMappingFile(const char* path)
{
    const char* name = FileNamePart(path != nullptr ? path : "");
    CopyCut(keyMappingFile, *name != '\0' ? name : "OZM.KEY");
}

bool TSettings::SaveKeyMappingFile(TProfile& ini) const
{
    return ini.WriteString(kEditor, "KeyMappingFile", keyMappingFile);
}

void TSettings::Load(const TProfile& ini, const char* defaultFileFilters)
{
    for (const TRow& row : kRows) {
        switch (row.kind) {
        case TKind::Flag:
        case TKind::Number: row.set(*this, Clamped(row, ini.GetInt(row.section, row.key, row.def))); break;
        case TKind::Text:
            CopyCut(row.text(*this), row.fieldSize,
                    ini.GetText(row.section, row.key, row.defText, row.readSize).c_str());
            break;
        case TKind::FileName: SetKeyMappingFile(ini.GetText(row.section, row.key, "", 260).c_str()); break;
        case TKind::Window:
            window = ParseWindow(ini.GetText(row.section, row.key, "10 10 600 380", 64).c_str());
            break;
        }
    }
    ReadFindHistory(ini, *findHistory, *replaceHistory);
    recentFiles.Load(ini);
    userHelp.Load(ini);
    userTools.Load(ini);
    fileTypes.Load(ini, "FileFilters", defaultFileFilters);
    if (hooks.loadAutoCorrect) hooks.loadAutoCorrect(ini);
    if (hooks.loadSyntax) hooks.loadSyntax();
}

bool TSettings::Save(TProfile& ini, bool full)
{
    bool ok = true;
    for (const TRow& row : kRows) {
        if (row.when == TWhen::Never || (row.when == TWhen::Full && !full)) continue;
        switch (row.kind) {
        case TKind::Flag: ok = ini.WriteFlag(row.section, row.key, row.get(*this) != 0) && ok; break;
        case TKind::Number: ok = ini.WriteInt(row.section, row.key, row.get(*this)) && ok; break;
        case TKind::Text: ok = ini.WriteString(row.section, row.key, row.text(*this)) && ok; break;
        case TKind::FileName: ok = SaveKeyMappingFile(ini) && ok; break;
        case TKind::Window:
            ok = ini.WriteString(row.section, row.key, FormatWindow(window).c_str()) && ok;
            break;
        }
    }
    if (full) ok = WriteFindHistory(ini, *findHistory, *replaceHistory) && ok;
    ok = recentFiles.Save(ini) && ok;
    ok = userHelp.Save(ini) && ok;
    ok = userTools.Save(ini) && ok;
    ok = fileTypes.Save(ini) && ok;
    if (hooks.saveAutoCorrect) ok = hooks.saveAutoCorrect(ini) && ok;
    return ok;
}

bool TSettings::SetFlagNow(TProfile& ini, TImmediateFlag flag, bool on)
{
    switch (flag) {
    case TImmediateFlag::SaveSettings:
        saveSettings = on;
        // Turning it on is recorded by the save it asks for.
        return on || ini.WriteFlag(kSettings, "SaveSettings", false);
    case TImmediateFlag::SaveDesktop: saveDesktop = on; return ini.WriteFlag(kSettings, "SaveDesktop", on);
    case TImmediateFlag::AutoLoad: autoLoad = on; return ini.WriteFlag(kSettings, "AutoLoad", on);
    case TImmediateFlag::AllowMultiInst:
        allowMultiInst = on;
        return ini.WriteFlag(kSettings, "AllowMultiInst", on);
    }
    return false;
}

void TSettings::NoteFramePlacement(int x, int y, int width, int height, bool minimised, bool maximised)
{
    if (!minimised && !maximised) {
        window.x = x;
        window.y = y;
        window.width = width;
        window.height = height;
    }
    window.maximised = maximised;
}

bool TSettings::GetNumber(const char* key, int& value) const
{
    const TRow* row = FindRow(key);
    if (row == nullptr) return false;
    value = row->get(*this);
    return true;
}

bool TSettings::SetNumber(const char* key, int value)
{
    const TRow* row = FindRow(key);
    if (row == nullptr) return false;
    row->set(*this, Clamped(*row, value));
    return true;
}
