// Control ids of the printing dialogs (printing.rc) and of the preview window's bar.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Page Setup.
#define IDC_PS_HEADER 1001
#define IDC_PS_FOOTER 1002
#define IDC_PS_LEFT 1003
#define IDC_PS_RIGHT 1004
#define IDC_PS_TOP 1005
#define IDC_PS_BOTTOM 1006
#define IDC_PS_FIRSTPAGE 101
#define IDC_PS_FIRSTPAGEARROW 102
#define IDC_PS_HELP 9

// The print dialog's own additions.
#define IDC_PRINT_FONT 101
#define IDC_PRINT_FONTNAME 102
#define IDC_PRINT_SPLIT 105

// The print cancel dialog.
#define IDC_ABORT_TITLE 101
#define IDC_ABORT_PRINTER 102
#define IDC_ABORT_PORT 103

// Help contexts.
#define HELP_PRINT_DIALOG 10130
#define HELP_PAGE_SETUP 10150

// Strings.
#define IDS_NUMBER_RANGE 10
#define IDS_OUT_OF_MEMORY 15100
#define IDS_MARGIN_NUMBERS 15200
#define IDS_MARGIN_PAGE 15201
#define IDS_DEFAULT_HEADER 15202
#define IDS_DEFAULT_FOOTER 15203
#define IDS_PRINTER_DEFAULT 15204
#define IDS_MARGINS_UNPRINTABLE 15205
#define IDS_NO_PRINTER 15206
#define IDS_PREVIEW_PAGE 15800
#define IDS_PREVIEW_OF 15801
