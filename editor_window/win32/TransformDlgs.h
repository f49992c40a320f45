// The dialogs of the transforms: Sort, Fill Block, Line Draw Style, Word Count, Change Case and Convert
// Tab Size.
#pragma once

#include <string>
#include <vector>

#include "base/win32/Dialog.h"
#include "engine/Language.h"

// TSortDlg edits the key (1-based column 1..1024, length 1..31) and the order; a field out of range
// beeps and keeps the dialog open. "Case sensitive" orders keys that are equal ignoring case upper case
// first.
class TSortDlg : public TDialog {
public:
    TSortDlg(HINSTANCE instance, int column, int length, const TSortOrder& order)
        : TDialog(instance, "SORT"), column_(column), length_(length), order_(order) {}
    int Column() const { return column_; }
    int Length() const { return length_; }
    const TSortOrder& Order() const { return order_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int column_;
    int length_;
    TSortOrder order_;
};

// TFillBlockDlg edits the fill string, at most 32 characters.
class TFillBlockDlg : public TDialog {
public:
    TFillBlockDlg(HINSTANCE instance, std::string text) : TDialog(instance, "FILLBLOCK"), text_(std::move(text)) {}
    const std::string& Text() const { return text_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    std::string text_;
};

// TLineDrawStyleDlg chooses one of the seven styles (0 the user's character, which must be one character
// of code 32 or more).
class TLineDrawStyleDlg : public TDialog {
public:
    TLineDrawStyleDlg(HINSTANCE instance, int style, char fill)
        : TDialog(instance, "LINEDRAWSTYLE"), style_(style), fill_(fill) {}
    int Style() const { return style_; }
    char Fill() const { return fill_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int style_;
    char fill_;
};

// TWordCountDlg shows the five figures of the word count.
class TWordCountDlg : public TDialog {
public:
    TWordCountDlg(HINSTANCE instance, const long (&figures)[5]) : TDialog(instance, "WORDCOUNT")
    {
        for (int i = 0; i < 5; ++i)
            figures_[i] = figures[i];
    }

protected:
    bool OnInit() override;

private:
    long figures_[5];
};

// TChangeCaseDlg picks one of five conversions, 1 (Sentence case) to 5 (tOGGLE cASE); it opens on the
// first each time.
class TChangeCaseDlg : public TDialog {
public:
    explicit TChangeCaseDlg(HINSTANCE instance) : TDialog(instance, "CHANGECASE") {}
    int Choice() const { return choice_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int choice_ = 1;
};

// TConvertTabSizeDlg picks one of the four tab-size conversions and answers its editor command; the
// choice is kept for the next opening in the session.
class TConvertTabSizeDlg : public TDialog {
public:
    explicit TConvertTabSizeDlg(HINSTANCE instance) : TDialog(instance, "CONVERTTABSIZE") {}
    unsigned Command() const;

protected:
    bool OnInit() override;
    bool OnOK() override;
};

// TLanguageDlg shows the Language setting (0..3) and hands back the one chosen.
class TLanguageDlg : public TDialog {
public:
    TLanguageDlg(HINSTANCE instance, int language) : TDialog(instance, "LANG"), language_(language) {}
    int Language() const { return language_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int language_;
};

// TConvertTextDlg chooses the table (0 user defined, 1 OEM to ANSI, 2 ANSI to OEM) and whether only the
// selection is converted; the choice is kept for the next opening.
class TConvertTextDlg : public TDialog {
public:
    TConvertTextDlg(HINSTANCE instance, bool selectionOnly) : TDialog(instance, "CONVERTTEXT"), selection_(selectionOnly) {}
    int Choice() const { return choice_; }
    bool SelectionOnly() const { return selection_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    static inline int lastChoice_ = 1;
    int choice_ = lastChoice_;
    bool selection_;
};

// TConvertTableDlg picks a table of TEXT.CNV by name; Edit closes it with kEditTable.
class TConvertTableDlg : public TDialog {
public:
    static constexpr int kEditTable = 3;
    TConvertTableDlg(HINSTANCE instance, std::vector<std::string> names)
        : TDialog(instance, "CONVERTTABLE"), names_(std::move(names)) {}
    const std::string& Chosen() const { return chosen_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    std::vector<std::string> names_;
    std::string chosen_;
};
