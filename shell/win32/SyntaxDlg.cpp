// The Syntax Highlighting dialogs: the language list with its colours, adding and defining a language.
#include "shell/win32/SyntaxDlg.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <new>

#include "SyntaxIds.h"
#include "base/IniFile.h"
#include "base/TextTools.h"
#include "editor_window/LineLayout.h"
#include "shell/win32/VokMessage.h"
#include "syntax/SyntaxColour.h"

namespace {

constexpr int kColourNames = kMaxColourIndex + 1;
constexpr int kFieldChars = 24;

// The sample the colours are shown on, coloured by the rules of a C-like language.
const char* const kSampleLines[] = {
    "#include <stdio.h>",
    "/* Prints the answer */",
    "int main(void)",
    "{",
    "    printf(\"%d\\n\", 42); // answer",
    "    return 0;",
    "}",
};

const TSyntaxLanguage& SampleRules()
{
    static const TSyntaxLanguage rules = [] {
        TSyntaxLanguage l = CLikeTemplate("Sample");
        (void)BuildKeywordTables({"int", "void", "return"}, l.keywords);
        l.BuildClasses();
        return l;
    }();
    return rules;
}

COLORREF ColourRef(int index, COLORREF normal)
{
    return index == 0 ? normal : static_cast<COLORREF>(ColourOfIndex(index));
}

}  // namespace

// ---- Syntax Highlighting. ------------------------------------------------------------------------------

bool TSyntaxHighlightDlg::OnInit()
{
    SendMessageA(Item(IDC_SYN_EXTENSIONS), EM_LIMITTEXT, kExtensionsSize, 0);
    for (int i = 0; i < kSyntaxColourCount; ++i)
        SendMessageA(Item(IDC_SYN_ELEMENTS), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(LoadResString(IDS_SYN_ELEMENTNAME + i).c_str()));
    SendMessageA(Item(IDC_SYN_ELEMENTS), LB_SETCURSEL, 0, 0);
    for (int i = 0; i < kColourNames; ++i)
        SendMessageA(Item(IDC_SYN_COLOURS), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(LoadResString(IDS_SYN_COLOURNAME + i).c_str()));
    FillLanguages(0);
    return true;
}

void TSyntaxHighlightDlg::FillLanguages(int select)
{
    filling_ = true;
    HWND list = Item(IDC_SYN_LANGUAGES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int n = 1; n <= table_.Count(); ++n)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table_.Language(n)->name.c_str()));
    if (table_.Count() > 0)
        SendMessageA(list, LB_SETCURSEL, std::clamp(select, 0, table_.Count() - 1), 0);
    filling_ = false;
    EnableWindow(Item(IDC_SYN_ADD), table_.Count() < kSyntaxSlots);
    ShowSelected();
}

int TSyntaxHighlightDlg::Selected() const
{
    LRESULT i = SendMessageA(Item(IDC_SYN_LANGUAGES), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? 0 : static_cast<int>(i) + 1;
}

void TSyntaxHighlightDlg::ShowSelected()
{
    const TSyntaxLanguage* l = table_.Language(Selected());
    filling_ = true;
    SetItemText(IDC_SYN_EXTENSIONS, l ? l->extensions : std::string());
    filling_ = false;
    for (int id : {IDC_SYN_EXTENSIONS, IDC_SYN_ELEMENTS, IDC_SYN_COLOURS, IDC_SYN_REMOVE, IDC_SYN_EDIT})
        EnableWindow(Item(id), l != nullptr);
    ShowColour();
}

void TSyntaxHighlightDlg::ShowColour()
{
    const TSyntaxLanguage* l = table_.Language(Selected());
    LRESULT element = SendMessageA(Item(IDC_SYN_ELEMENTS), LB_GETCURSEL, 0, 0);
    int colour = (l && element >= 0 && element < kSyntaxColourCount)
                     ? l->colours[static_cast<std::size_t>(element)]
                     : 0;
    SendMessageA(Item(IDC_SYN_COLOURS), LB_SETCURSEL, l ? colour : -1, 0);
    InvalidateRect(Item(IDC_SYN_SAMPLE), nullptr, TRUE);
}

void TSyntaxHighlightDlg::AddLanguage()
{
    if (table_.Count() >= kSyntaxSlots)
        return;
    TSyntaxHighlightAddLangDlg add(instance_, table_);
    if (add.Run(Handle()) != IDOK)
        return;
    if (table_.Add(add.Language()))
        FillLanguages(table_.Count() - 1);
}

void TSyntaxHighlightDlg::EditLanguage()
{
    const int number = Selected();
    TSyntaxLanguage* l = table_.Edit(number);
    if (!l)
        return;
    TSyntaxHighlightDefineLangDlg define(instance_, *l);
    if (define.Run(Handle()) != IDOK)
        return;
    *l = define.Language();
    ShowSelected();
}

bool TSyntaxHighlightDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_SYN_LANGUAGES:
        if (code == LBN_SELCHANGE && !filling_)
            ShowSelected();
        return true;
    case IDC_SYN_ELEMENTS:
        if (code == LBN_SELCHANGE)
            ShowColour();
        return true;
    case IDC_SYN_COLOURS:
        if (code == LBN_SELCHANGE) {
            TSyntaxLanguage* l = table_.Edit(Selected());
            LRESULT element = SendMessageA(Item(IDC_SYN_ELEMENTS), LB_GETCURSEL, 0, 0);
            LRESULT colour = SendMessageA(Item(IDC_SYN_COLOURS), LB_GETCURSEL, 0, 0);
            if (l && element >= 0 && element < kSyntaxColourCount && colour >= 0 && colour < kColourNames)
                l->colours[static_cast<std::size_t>(element)] = static_cast<uint8_t>(colour);
            InvalidateRect(Item(IDC_SYN_SAMPLE), nullptr, TRUE);
        }
        return true;
    case IDC_SYN_EXTENSIONS:
        if (code == EN_CHANGE && !filling_) {
            if (TSyntaxLanguage* l = table_.Edit(Selected())) {
                std::string text = ItemText(IDC_SYN_EXTENSIONS).substr(0, kExtensionsSize);
                for (char& c : text)
                    c = LowerAscii(c);
                l->extensions = text;
            }
        }
        return true;
    case IDC_SYN_ADD: AddLanguage(); return true;
    case IDC_SYN_REMOVE: {
        const int number = Selected();
        if (table_.Remove(number))
            FillLanguages(number - 1);
        return true;
    }
    case IDC_SYN_EDIT: EditLanguage(); return true;
    }
    return false;
}

bool TSyntaxHighlightDlg::OnMessage(UINT msg, WPARAM /*wParam*/, LPARAM lParam)
{
    if (msg != WM_DRAWITEM)
        return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID == IDC_SYN_COLOURS)
        DrawColourName(*item);
    else if (item->CtlID == IDC_SYN_SAMPLE)
        DrawSample(*item);
    else
        return false;
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
    return true;
}

void TSyntaxHighlightDlg::DrawColourName(const DRAWITEMSTRUCT& item) const
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const int index = static_cast<int>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    // White would vanish on the window's background, so it is drawn on gray.
    const COLORREF back = selected
                              ? GetSysColor(COLOR_HIGHLIGHT)
                              : (index == kMaxColourIndex ? RGB(128, 128, 128) : GetSysColor(COLOR_WINDOW));
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                    : ColourRef(index, GetSysColor(COLOR_WINDOWTEXT)));
    const std::string name = LoadResString(IDS_SYN_COLOURNAME + index);
    RECT text = item.rcItem;
    text.left += 2;
    DrawTextA(item.hDC, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void TSyntaxHighlightDlg::DrawSample(const DRAWITEMSTRUCT& item) const
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    const TSyntaxLanguage* selected = table_.Language(Selected());
    if (!selected)
        return;
    // The sample's rules with the chosen language's colours.
    TSyntaxLanguage rules = SampleRules();
    rules.colours = selected->colours;
    HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    HGDIOBJ old = SelectObject(item.hDC, font);
    TEXTMETRICA tm;
    GetTextMetricsA(item.hDC, &tm);
    SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF normal = GetSysColor(COLOR_WINDOWTEXT);
    int state = 0;
    int y = item.rcItem.top + 2;
    for (const char* line : kSampleLines) {
        const std::string text = line;
        std::vector<uint8_t> colours(text.size());
        ColourLine(&rules, text.data(), text.size(), colours.data(), state);
        state = LineEndState(&rules, line, state);
        for (std::size_t i = 0; i < text.size();) {
            std::size_t j = i + 1;
            while (j < text.size() && colours[j] == colours[i])
                ++j;
            SetTextColor(item.hDC, ColourRef(colours[i], normal));
            TextOutA(item.hDC, item.rcItem.left + 4 + static_cast<int>(i) * tm.tmAveCharWidth, y,
                     text.data() + i, static_cast<int>(j - i));
            i = j;
        }
        y += tm.tmHeight;
    }
    SelectObject(item.hDC, old);
}

// ---- Add Language. -------------------------------------------------------------------------------------

bool TSyntaxHighlightAddLangDlg::OnInit()
{
    SendMessageA(Item(IDC_SYNADD_NAME), EM_LIMITTEXT, kLanguageNameSize, 0);
    CheckRadioButton(Handle(), IDC_SYNADD_CLIKE, IDC_SYNADD_BASIC, IDC_SYNADD_CLIKE);
    return true;
}

bool TSyntaxHighlightAddLangDlg::OnOK()
{
    const std::string name = ItemText(IDC_SYNADD_NAME).substr(0, kLanguageNameSize);
    if (name.empty()) {
        MessageBeep(MB_OK);
        return false;
    }
    for (int n = 1; n <= table_.Count(); ++n) {
        if (lstrcmpiA(table_.Language(n)->name.c_str(), name.c_str()) == 0) {
            VokMessage(Handle(), IDS_SYN_EXISTS, name.c_str(), MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    const bool basic = IsDlgButtonChecked(Handle(), IDC_SYNADD_BASIC) == BST_CHECKED;
    language_ = basic ? BasicLikeTemplate(name) : CLikeTemplate(name);
    return true;
}

// ---- Define Language. ----------------------------------------------------------------------------------

namespace {
struct TFieldKey {
    int id;
    const char* key;
    int limit;
};
const TFieldKey kFields[] = {
    {IDC_SYNL_HTML, "HTML", kFieldChars},
    {IDC_SYNL_WORDS, "Words", kFieldChars},
    {IDC_SYNL_OPENCLOSE, "OpenCloseDelim", kFieldChars},
    {IDC_SYNL_DELIMITERS, "Delimiters", kFieldChars},
    {IDC_SYNL_MULTI, "MultiComment", kFieldChars},
    {IDC_SYNL_LINE1, "LineComment1", kFieldChars},
    {IDC_SYNL_LINE2, "LineComment2", kFieldChars},
    {IDC_SYNL_NUMBERS, "Numbers", kFieldChars},
    {IDC_SYNL_OPERATORS, "Operators", kFieldChars},
    {IDC_SYNL_STRING, "StringDelim", 1},
    {IDC_SYNL_CHAR, "CharDelim", 1},
    {IDC_SYNL_ESCAPE, "QuoteChar", 1},
    {IDC_SYNL_FIRST, "FirstComment", 1},
    {IDC_SYNL_PREPROC, "Preprocess", 1},
};
}  // namespace

bool TSyntaxHighlightDefineLangDlg::OnInit()
{
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : SyntaxKeys(language_))
        values[key] = value;
    for (const TFieldKey& f : kFields) {
        SendMessageA(Item(f.id), EM_LIMITTEXT, f.limit, 0);
        SetItemText(f.id, values[f.key]);
    }
    CheckDlgButton(Handle(), IDC_SYNL_CASE, language_.ignoreCase ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(Handle(), IDC_SYNL_TEX, language_.texKeywords ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_SYNL_FORTRAN, language_.fortranComment ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(Item(IDC_SYNL_KEYWORD), EM_LIMITTEXT, kMaxKeywordLength, 0);
    for (const std::string& word : KeywordList(language_))
        SendMessageA(Item(IDC_SYNL_KEYWORDS), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    return true;
}

std::vector<std::string> TSyntaxHighlightDefineLangDlg::Keywords() const
{
    std::vector<std::string> words;
    HWND list = Item(IDC_SYNL_KEYWORDS);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char word[kSyntaxValueSize] = {};
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof word))
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(word));
        words.emplace_back(word);
    }
    return words;
}

void TSyntaxHighlightDefineLangDlg::AddKeyword()
{
    const std::string word = ItemText(IDC_SYNL_KEYWORD);
    if (word.empty() || word.find(' ') != std::string::npos) {
        MessageBeep(MB_OK);
        return;
    }
    HWND list = Item(IDC_SYNL_KEYWORDS);
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(word.c_str()))
        == LB_ERR)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    SetItemText(IDC_SYNL_KEYWORD, "");
    SetFocus(Item(IDC_SYNL_KEYWORD));
}

bool TSyntaxHighlightDefineLangDlg::OnCommand(int id, int /*code*/)
{
    switch (id) {
    case IDC_SYNL_ADDKEYWORD: AddKeyword(); return true;
    case IDC_SYNL_REMOVEKEYWORD: {
        HWND list = Item(IDC_SYNL_KEYWORDS);
        LRESULT i = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (i != LB_ERR)
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        return true;
    }
    }
    return false;
}

bool TSyntaxHighlightDefineLangDlg::OnOK()
{
    std::array<std::string, kMaxKeywordLength + 1> tables;
    if (int n = BuildKeywordTables(Keywords(), tables)) {
        VokMessageNumber(Handle(), IDS_SYN_TOOMANYKEYWORDS, n, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The fields are read by the file's own rules, from a definition that keeps only what the dialog
    // does not show: an emptied field empties its rule.
    TSyntaxLanguage edited;
    edited.name = language_.name;
    edited.extensions = language_.extensions;
    edited.colours = language_.colours;
    std::map<std::string, std::string> values;
    for (const TFieldKey& f : kFields)
        values[f.key] = ItemText(f.id);
    values["CaseSensitive"] = IsDlgButtonChecked(Handle(), IDC_SYNL_CASE) == BST_CHECKED ? "yes" : "no";
    values["UnixTexKeywords"] = IsDlgButtonChecked(Handle(), IDC_SYNL_TEX) == BST_CHECKED ? "yes" : "no";
    values["FortranComment"] = IsDlgButtonChecked(Handle(), IDC_SYNL_FORTRAN) == BST_CHECKED ? "yes" : "no";
    ReadSyntaxLanguage(
        [&](const char* key) {
            auto it = values.find(key);
            return it == values.end() ? std::string() : it->second;
        },
        edited);
    edited.colours = language_.colours;  // colours are the main dialog's; the reading cleared them
    edited.keywords = tables;
    edited.BuildClasses();
    language_ = edited;
    return true;
}

// ---- The command. --------------------------------------------------------------------------------------

bool EditSyntaxHighlighting(HINSTANCE instance, HWND owner, const std::string& path)
{
    TSyntaxHighlightDlg* dialog = nullptr;
    try {
        dialog = new TSyntaxHighlightDlg(instance, ProgramSyntaxTable());
    } catch (const std::bad_alloc&) {
        VokMessage(owner, IDS_SYN_NOMEMORY, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::unique_ptr<TSyntaxHighlightDlg> owned(dialog);
    TIniFile file(path);
    // The sections the file has now are the ones the edited list replaces.
    std::vector<char> names(65536, '\0');
    std::vector<std::string> old;
    file.GetSectionNames(names.data(), static_cast<int>(names.size()));
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1)
        old.emplace_back(name);
    if (dialog->Run(owner) != IDOK)
        return false;
    if (!WriteSyntaxTable(file, old, dialog->Table()))
        VokMessage(owner, 15007, path.c_str(), MB_OK | MB_ICONEXCLAMATION);
    LoadSyntaxTable(ProgramSyntaxTable(), path.c_str());
    return true;
}
