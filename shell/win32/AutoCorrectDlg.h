// The AutoCorrect dialogs: the replacement list with the flags ("AUTOCORRECT"), the exceptions
// ("AUTOCORRECTEXCEPT") and the language of the lists ("AUTOCORRECTLANG").
#pragma once

#include "autocorrect/AutoCorrect.h"
#include "base/Profile.h"
#include "base/win32/Dialog.h"

// TAutoCorrectDlg edits the AutoCorrect object in place: the lists change as the buttons are pressed,
// the four check boxes are stored when the dialog closes (Close, Enter outside the fields, Esc), and
// changed lists are written to the list file then. lists and settings may be null (nothing is written).
// Picking a pair fills the fields; Replace and Delete are gray until a pair is picked; Delete leaves the
// deleted pair in the fields so that Add brings it back; Enter in a field adds the pair typed there.
class TAutoCorrectDlg : public TDialog {
public:
    TAutoCorrectDlg(HINSTANCE instance, TAutoCorrect& autoCorrect, TProfile* lists, TProfile* settings)
        : TDialog(instance, "AUTOCORRECT"),
          instance_(instance),
          ac_(autoCorrect),
          lists_(lists),
          settings_(settings)
    {
    }
    // False when the changed lists could not be written as the dialog closed.
    bool Saved() const { return saved_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnCancel() override { Close(); }

private:
    void Fill(int select);
    int Selected() const;
    void ShowSelected();
    void EnableButtons() const;
    void Add();
    void Change();
    void Delete();
    void ChooseLanguage();
    void Close();

    HINSTANCE instance_;
    TAutoCorrect& ac_;
    TProfile* lists_;
    TProfile* settings_;
    bool saved_ = true;
};

// TAutoCorrectExceptionsDlg edits the exception list in place; the check box is stored when it closes.
class TAutoCorrectExceptionsDlg : public TDialog {
public:
    TAutoCorrectExceptionsDlg(HINSTANCE instance, TAutoCorrect& autoCorrect)
        : TDialog(instance, "AUTOCORRECTEXCEPT"), ac_(autoCorrect)
    {
    }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnCancel() override { Close(); }

private:
    void Fill(int select);
    void Add();
    void Delete();
    void Close();

    TAutoCorrect& ac_;
};

// TAutoCorrectLangDlg chooses the language of the lists: 1 English, 2 Croatian, anything else Other.
class TAutoCorrectLangDlg : public TDialog {
public:
    TAutoCorrectLangDlg(HINSTANCE instance, int language)
        : TDialog(instance, "AUTOCORRECTLANG"), language_(language)
    {
    }
    int Language() const { return language_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int language_;
};

// Command 710: the AutoCorrect dialog on the program's object, its lists in "ozm.acr" beside the program
// and its flags in the settings file in use.
void EditAutoCorrect(HINSTANCE instance, HWND owner);
