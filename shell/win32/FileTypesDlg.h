// The File Filters dialog ("FILEFILTERS"): edits the table of file types the file dialogs offer.
#pragma once

#include <vector>

#include "base/win32/Dialog.h"
#include "shell/win32/FileFilters.h"

// TFileTypesDlg edits a copy of the rows; the caller takes them back after OK. The list shows the
// description and the pattern; the two fields below edit the selected row as it is typed.
class TFileTypesDlg : public TDialog {
public:
    TFileTypesDlg(HINSTANCE instance, std::vector<TFilterRow> rows)
        : TDialog(instance, "FILEFILTERS"), rows_(std::move(rows)) {}
    const std::vector<TFilterRow>& Rows() const { return rows_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void Fill(int select);
    // Places the pattern column after the longest description and lets the list scroll to the longest pattern.
    void SizeColumns();
    void ShowSelected();
    int Selected() const;
    void Move(int delta);

    std::vector<TFilterRow> rows_;
    bool filling_ = false;
};

// Command 707: runs the dialog over the program's table and stores the result on OK.
bool EditFileFilters(HINSTANCE instance, HWND owner);
