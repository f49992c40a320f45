// The Page Setup dialog: header and footer templates, the first page number and the four margins.
#include "printing/win32/PageSetupDlg.h"

#include <cstdlib>

#include "controls/VokCtl.h"
#include "printing/win32/VokPrinter.h"
#include "PrintIds.h"

bool TPageSetupDlg::OnInit()
{
    SendMessageA(Item(IDC_PS_HEADER), EM_LIMITTEXT, kTemplateLimit, 0);
    SendMessageA(Item(IDC_PS_FOOTER), EM_LIMITTEXT, kTemplateLimit, 0);
    SetItemText(IDC_PS_HEADER, setup_.header);
    SetItemText(IDC_PS_FOOTER, setup_.footer);
    SetArrowButton(Handle(), IDC_PS_FIRSTPAGEARROW, IDC_PS_FIRSTPAGE, TRUE, VOKARROW_NUMERIC, FALSE, kFirstPageMin,
                   kFirstPageMax, FALSE, setup_.firstPage, 1);
    SetItemText(IDC_PS_FIRSTPAGE, std::to_string(setup_.firstPage));
    SetItemText(IDC_PS_LEFT, FormatMargin(setup_.leftMargin));
    SetItemText(IDC_PS_RIGHT, FormatMargin(setup_.rightMargin));
    SetItemText(IDC_PS_TOP, FormatMargin(setup_.topMargin));
    SetItemText(IDC_PS_BOTTOM, FormatMargin(setup_.bottomMargin));
    EnableWindow(Item(IDC_PS_HELP), PrintHelpInstalled());
    CenterOverOwner();
    return true;
}

bool TPageSetupDlg::OnCommand(int id, int /*code*/)
{
    if (id != IDC_PS_HELP)
        return false;
    ShowPrintHelp(Handle(), HELP_PAGE_SETUP);
    return true;
}

bool TPageSetupDlg::ReadMargin(int id, int32_t* tenths)
{
    if (ParseMargin(ItemText(id), tenths))
        return true;
    PrintMessage(Handle(), IDS_MARGIN_NUMBERS, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(id));
    SendMessageA(Item(id), EM_SETSEL, 0, -1);
    return false;
}

bool TPageSetupDlg::OnOK()
{
    TPageSetup edited = setup_;
    std::string first = ItemText(IDC_PS_FIRSTPAGE);
    char* end = nullptr;
    long page = std::strtol(first.c_str(), &end, 10);
    bool whole = !first.empty() && end && *end == '\0' && first.find_first_not_of("0123456789") == std::string::npos;
    if (!whole || page < kFirstPageMin || page > kFirstPageMax) {
        PrintMessageRange(Handle(), IDS_NUMBER_RANGE, kFirstPageMin, kFirstPageMax, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_PS_FIRSTPAGE));
        SendMessageA(Item(IDC_PS_FIRSTPAGE), EM_SETSEL, 0, -1);
        return false;
    }
    edited.firstPage = static_cast<int32_t>(page);
    if (!ReadMargin(IDC_PS_LEFT, &edited.leftMargin) || !ReadMargin(IDC_PS_RIGHT, &edited.rightMargin) ||
        !ReadMargin(IDC_PS_TOP, &edited.topMargin) || !ReadMargin(IDC_PS_BOTTOM, &edited.bottomMargin))
        return false;
    if (!MarginsFitPage(edited, paperWidth_, paperHeight_)) {
        PrintMessage(Handle(), IDS_MARGIN_PAGE, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(Item(IDC_PS_LEFT));
        return false;
    }
    edited.header = ItemText(IDC_PS_HEADER).substr(0, kTemplateLimit);
    edited.footer = ItemText(IDC_PS_FOOTER).substr(0, kTemplateLimit);
    setup_ = edited;
    return true;
}
