// The Syntax Highlighting dialog ("SYNTAXHIGHLIGHT") and its two helpers: adding a language
// ("SYNTAXHIGHLIGHTADD") and defining its rules ("SYNTAXHIGHLIGHTLANG").
#pragma once

#include <string>
#include <vector>

#include "base/win32/Dialog.h"
#include "syntax/SyntaxTable.h"

// TSyntaxHighlightDlg edits a working copy of the language table: the languages, their extensions and
// the colour of each element, shown on a sample C program. The caller writes the copy after OK.
class TSyntaxHighlightDlg : public TDialog {
public:
    TSyntaxHighlightDlg(HINSTANCE instance, const TSyntaxTable& table)
        : TDialog(instance, "SYNTAXHIGHLIGHT"), instance_(instance), table_(table) {}
    const TSyntaxTable& Table() const { return table_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FillLanguages(int select);
    int Selected() const;
    void ShowSelected();
    void ShowColour();
    void AddLanguage();
    void EditLanguage();
    void DrawColourName(const DRAWITEMSTRUCT& item) const;
    void DrawSample(const DRAWITEMSTRUCT& item) const;

    HINSTANCE instance_;
    TSyntaxTable table_;
    bool filling_ = false;
};

// TSyntaxHighlightAddLangDlg asks for the name of a new language and the template it starts from.
class TSyntaxHighlightAddLangDlg : public TDialog {
public:
    TSyntaxHighlightAddLangDlg(HINSTANCE instance, const TSyntaxTable& table)
        : TDialog(instance, "SYNTAXHIGHLIGHTADD"), table_(table) {}
    const TSyntaxLanguage& Language() const { return language_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    const TSyntaxTable& table_;
    TSyntaxLanguage language_;
};

// TSyntaxHighlightDefineLangDlg edits the rules and keywords of one language.
class TSyntaxHighlightDefineLangDlg : public TDialog {
public:
    TSyntaxHighlightDefineLangDlg(HINSTANCE instance, const TSyntaxLanguage& language)
        : TDialog(instance, "SYNTAXHIGHLIGHTLANG"), language_(language) {}
    const TSyntaxLanguage& Language() const { return language_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void AddKeyword();
    std::vector<std::string> Keywords() const;

    TSyntaxLanguage language_;
};

// Command 708: edits the table of path (syntax.hgl) in the dialog; after OK writes the file, loads the
// program's table from it again and answers true, so that the windows choose their languages anew.
bool EditSyntaxHighlighting(HINSTANCE instance, HWND owner, const std::string& path);
