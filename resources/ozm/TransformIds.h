// Resource ids of the transforms' dialogs, shared by transforms.rc and editor_window/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "SORT", "FILLBLOCK", "LINEDRAWSTYLE", "WORDCOUNT", "CHANGECASE"
// "CONVERTTABSIZE", "LANG", "CONVERTTEXT" and "CONVERTTABLE".

// Sort.
#define IDC_SORT_ALPHANUM 3101
#define IDC_SORT_NUMERIC 3102
#define IDC_SORT_ASCENDING 3103
#define IDC_SORT_DESCENDING 3104
#define IDC_SORT_COLUMN 3105
#define IDC_SORT_LENGTH 3106
#define IDC_SORT_CASE 3107

// Fill Block.
#define IDC_FILL_TEXT 3111

// Line Draw Style: the seven styles in their dialog order (style 1 first, the user's character last).
#define IDC_DRAW_STYLE1 3121
#define IDC_DRAW_STYLE2 3122
#define IDC_DRAW_STYLE3 3123
#define IDC_DRAW_STYLE4 3124
#define IDC_DRAW_STYLE5 3125
#define IDC_DRAW_STYLE6 3126
#define IDC_DRAW_USER 3127
#define IDC_DRAW_CHAR 3128

// Word Count: the five figures.
#define IDC_COUNT_LINES 3131
#define IDC_COUNT_NONBLANK 3132
#define IDC_COUNT_PARAGRAPHS 3133
#define IDC_COUNT_WORDS 3134
#define IDC_COUNT_CHARS 3135

// Change Case: the five choices, 1 to 5 in this order.
#define IDC_CASE_SENTENCE 101
#define IDC_CASE_LOWER 102
#define IDC_CASE_UPPER 103
#define IDC_CASE_TITLE 104
#define IDC_CASE_TOGGLE 105

// Convert Tab Size: 8 to 3, 3 to 8, 8 to the tab size, the tab size to 8.
#define IDC_TABS_8TO3 101
#define IDC_TABS_3TO8 102
#define IDC_TABS_8TOCUR 103
#define IDC_TABS_CURTO8 104

// Language: the four values of the Language setting, 0 to 3 in this order.
#define IDC_LANG_US 101
#define IDC_LANG_SYSTEM 102
#define IDC_LANG_CP1250 103
#define IDC_LANG_CROSCII 104

// Convert Text: the three tables and "Selected text only"; Convert Table: the list and Edit.
#define IDC_CNV_USER 3141
#define IDC_CNV_OEM2ANSI 3142
#define IDC_CNV_ANSI2OEM 3143
#define IDC_CNV_SELECTION 3144
#define IDC_CNV_LIST 3145
#define IDC_CNV_EDIT 3146
