// Resource ids of the search dialogs and the pattern menu, shared by search.rc and search/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates and the pattern menu are named resources: "FIND", "REPLACE", "REPLACEPROMPT",
// "GOTOLINE", "GOTOCOLUMN" and "DLG_REGEXPR".

// Controls of the Find and Replace dialogs.
#define IDC_SRCH_FINDTEXT 3001      // Find field (combo box)
#define IDC_SRCH_FINDMENU 3002      // "..." beside it
#define IDC_SRCH_REPLACETEXT 3003   // Replace field (combo box)
#define IDC_SRCH_REPLACEMENU 3004   // "..." beside it
#define IDC_SRCH_WHOLEWORD 3005
#define IDC_SRCH_MATCHCASE 3006
#define IDC_SRCH_REGEX 3007
#define IDC_SRCH_PROMPT 3008
#define IDC_SRCH_UP 3009
#define IDC_SRCH_DOWN 3010
#define IDC_SRCH_REPLACEALL 3011
#define IDC_SRCH_HELP 3012
#define IDC_SRCH_DIRECTION 3013     // group box around Up and Down

// The replace prompt: the search string and the All button (Yes, No and Cancel use IDYES, IDNO, IDCANCEL).
#define IDC_SRCH_PROMPTTEXT 3020
#define IDC_SRCH_ALL 3021

// Go To Line and Go To Column: the number field and its spin arrow.
#define IDC_SRCH_NUMBER 3030
#define IDC_SRCH_NUMBERARROW 3031
#define IDC_SRCH_NUMBERLABEL 3032

// Items of DLG_REGEXPR. Its first pop-up serves the Find field, the second the Replace field.
#define IDM_RX_ANYCHAR 3100
#define IDM_RX_INRANGE 3101
#define IDM_RX_NOTINRANGE 3102
#define IDM_RX_TAB 3103
#define IDM_RX_LINESTART 3104
#define IDM_RX_OR 3105
#define IDM_RX_ZEROORMORE 3106
#define IDM_RX_ONEORMORE 3107
#define IDM_RX_GROUP 3108
#define IDM_RX_ALNUM 3109
#define IDM_RX_ALPHA 3110
#define IDM_RX_DIGIT 3111
#define IDM_RX_HEXNUMBER 3112
#define IDM_RX_INTEGER 3113
#define IDM_RX_WORD 3114
#define IDM_RX_QUOTED 3115
#define IDM_RX_BLANKLINE 3116
#define IDM_RX_NEWLINE 3120
#define IDM_RX_REPLACETAB 3121
#define IDM_RX_BACKSLASH 3122
