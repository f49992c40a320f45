// Resource ids of the control library: message-box templates, their controls, bitmaps and strings.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Message-box templates, one per button set: template = 10 + button set.
#define IDD_VOKMSG_OK 10
#define IDD_VOKMSG_OKCANCEL 11
#define IDD_VOKMSG_ABORTRETRYIGNORE 12
#define IDD_VOKMSG_YESNOCANCEL 13
#define IDD_VOKMSG_YESNO 14
#define IDD_VOKMSG_RETRYCANCEL 15

// Controls of the message-box templates (buttons use the standard ids 1-7).
#define IDC_VOKMSG_SHADE 109
#define IDC_VOKMSG_TEXT 110
#define IDC_VOKMSG_ICON 903

// Icon control ids: the "VokBmp32" control shows the icon bitmap named by its own id.
#define IDI_VOKMSG_STOP 901
#define IDI_VOKMSG_QUESTION 902
#define IDI_VOKMSG_EXCLAMATION 903
#define IDI_VOKMSG_INFORMATION 904

// Bitmaps: check and radio marks, spin-arrow glyphs, message-box icons; one set per display class.
#define IDB_MARKS_SMALL 11000
#define IDB_ARROW_UP_SMALL 11001
#define IDB_ARROW_DOWN_SMALL 11002
#define IDB_ARROW_GREY_SMALL 11003
#define IDB_ICONS_MEDIUM 11901
#define IDB_MARKS_LARGE 12000
#define IDB_ARROW_UP_LARGE 12001
#define IDB_ARROW_DOWN_LARGE 12002
#define IDB_ARROW_GREY_LARGE 12003
#define IDB_ICONS_LOW 13901

// Strings: button labels under their button ids, then the language code and the version.
#define IDS_VOK_LANGUAGE 32701
#define IDS_VOK_VERSION 32702
