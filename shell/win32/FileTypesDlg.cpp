// The File Filters dialog ("FILEFILTERS"): edits the table of file types the file dialogs offer.
#include "shell/win32/FileTypesDlg.h"

#include <algorithm>
#include <utility>

#include "resource.h"

namespace {

constexpr int kFieldChars = 63;  // description and pattern each hold 64 bytes

std::string RowText(const TFilterRow& row)
{
    return row.description + "\t" + row.pattern;
}

}  // namespace

bool TFileTypesDlg::OnInit()
{
    SendMessageA(Item(IDC_FILTERDESC), EM_LIMITTEXT, kFieldChars, 0);
    SendMessageA(Item(IDC_FILTERPATTERN), EM_LIMITTEXT, kFieldChars, 0);
    Fill(0);
    return true;
}

void TFileTypesDlg::Fill(int select)
{
    filling_ = true;
    HWND list = Item(IDC_FILTERLIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const TFilterRow& row : rows_)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RowText(row).c_str()));
    if (!rows_.empty()) {
        if (select < 0)
            select = 0;
        if (select >= static_cast<int>(rows_.size()))
            select = static_cast<int>(rows_.size()) - 1;
        SendMessageA(list, LB_SETCURSEL, select, 0);
    }
    SizeColumns();
    filling_ = false;
    ShowSelected();
}

void TFileTypesDlg::SizeColumns()
{
    HWND list = Item(IDC_FILTERLIST);
    int description = 0, pattern = 0;
    {
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
        for (const TFilterRow& row : rows_) {
            SIZE size = {};
            GetTextExtentPoint32A(dc, row.description.c_str(), static_cast<int>(row.description.size()), &size);
            description = std::max<int>(description, size.cx);
            GetTextExtentPoint32A(dc, row.pattern.c_str(), static_cast<int>(row.pattern.size()), &size);
            pattern = std::max<int>(pattern, size.cx);
        }
        SelectObject(dc, old);
        ReleaseDC(list, dc);
    }
    // Tab stops are in dialog units: the patterns start after the longest description (at 110 units at
    // least), and the list scrolls sideways as far as the longest pattern reaches, so none is clipped.
    RECT units = {0, 0, 4, 8};
    MapDialogRect(Handle(), &units);
    const int perFour = std::max<int>(1, units.right);  // pixels in four horizontal dialog units
    const int gap = 2 * perFour;
    int tab = std::max(110, ((description + gap) * 4 + perFour - 1) / perFour);
    SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(tab * perFour / 4 + pattern + gap), 0);
}

int TFileTypesDlg::Selected() const
{
    LRESULT i = SendMessageA(Item(IDC_FILTERLIST), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TFileTypesDlg::ShowSelected()
{
    int i = Selected();
    filling_ = true;
    SetItemText(IDC_FILTERDESC, i >= 0 ? rows_[i].description : std::string());
    SetItemText(IDC_FILTERPATTERN, i >= 0 ? rows_[i].pattern : std::string());
    filling_ = false;
    bool any = i >= 0;
    EnableWindow(Item(IDC_FILTERDESC), any);
    EnableWindow(Item(IDC_FILTERPATTERN), any);
    EnableWindow(Item(IDC_FILTERREMOVE), any);
    EnableWindow(Item(IDC_FILTERUP), i > 0);
    EnableWindow(Item(IDC_FILTERDOWN), any && i + 1 < static_cast<int>(rows_.size()));
}

void TFileTypesDlg::Move(int delta)
{
    int i = Selected();
    int j = i + delta;
    if (i < 0 || j < 0 || j >= static_cast<int>(rows_.size()))
        return;
    std::swap(rows_[i], rows_[j]);
    Fill(j);
}

bool TFileTypesDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_FILTERLIST:
        if (code == LBN_SELCHANGE)
            ShowSelected();
        return true;
    case IDC_FILTERDESC:
    case IDC_FILTERPATTERN: {
        int i = Selected();
        if (code == EN_CHANGE && !filling_ && i >= 0) {
            (id == IDC_FILTERDESC ? rows_[i].description : rows_[i].pattern) = ItemText(id);
            filling_ = true;
            HWND list = Item(IDC_FILTERLIST);
            SendMessageA(list, LB_DELETESTRING, i, 0);
            SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(RowText(rows_[i]).c_str()));
            SendMessageA(list, LB_SETCURSEL, i, 0);
            filling_ = false;
        }
        return true;
    }
    case IDC_FILTERADD:
        rows_.push_back({"New Files", "*.*"});
        Fill(static_cast<int>(rows_.size()) - 1);
        SetFocus(Item(IDC_FILTERDESC));
        SendMessageA(Item(IDC_FILTERDESC), EM_SETSEL, 0, -1);
        return true;
    case IDC_FILTERREMOVE: {
        int i = Selected();
        if (i >= 0) {
            rows_.erase(rows_.begin() + i);
            Fill(i);
        }
        return true;
    }
    case IDC_FILTERUP:
        Move(-1);
        return true;
    case IDC_FILTERDOWN:
        Move(1);
        return true;
    }
    return false;
}

bool TFileTypesDlg::OnOK()
{
    // A row without a pattern would give the dialogs an empty filter; it is dropped, not kept half-made.
    std::vector<TFilterRow> kept;
    for (const TFilterRow& row : rows_)
        if (!row.pattern.empty())
            kept.push_back({row.description.empty() ? row.pattern : row.description, row.pattern});
    rows_ = std::move(kept);
    return true;
}

bool EditFileFilters(HINSTANCE instance, HWND owner)
{
    TFileTypesDlg dlg(instance, FileFilterRows());
    if (dlg.Run(owner) != IDOK)
        return false;
    SetFileFilterRows(dlg.Rows());
    return true;
}
