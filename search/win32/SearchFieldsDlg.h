// The part the Find and Replace dialogs share: pattern fields with histories and "..." menus, and options.
#pragma once

#include <windows.h>

#include "base/win32/Dialog.h"
#include "search/PatternInsert.h"
#include "search/SearchState.h"

// TSearchFieldsDlg fills its controls from a TSearchRequest and writes them back only when the dialog
// closes with an accepted pattern. It owns nothing beyond the dialog; the request is the caller's. It
// serves the "..." menus of both fields; a derived dialog adds what else its template holds.
class TSearchFieldsDlg : public TDialog {
public:
    TSearchFieldsDlg(HINSTANCE instance, const char* templateName, unsigned helpContext,
                     TSearchRequest& request)
        : TDialog(instance, templateName), instance_(instance), helpContext_(helpContext), request_(request)
    {
    }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override { return Accept(); }

    // Checks the fields (an empty Find field beeps, a malformed pattern shows the regular-expression box)
    // and on success writes the Find field and the options into the request. False keeps the dialog open.
    bool Accept();
    // Writes what a derived dialog adds into the request, after Accept has checked the Find field.
    virtual void StoreMore(TSearchRequest& /*request*/) {}

    // Limits a field, lists the history in its drop-down, newest first, and sets its text.
    void FillField(int fieldId, const TSearchHistory& history, const char* text);
    bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
    TSearchRequest& Request() { return request_; }

private:
    void ShowPatternMenu(int buttonId);
    void InsertElement(int fieldId, TPatternItem item);

    HINSTANCE instance_;
    unsigned helpContext_;
    TSearchRequest& request_;
    // Where each field's caret stood when it last lost the focus; -1 until then (insertions append).
    int findCaret_ = -1;
    int replaceCaret_ = -1;
};
