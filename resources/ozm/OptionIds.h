// Resource ids of the option dialogs, the bookmark, More Files, tip, association, symbol and About boxes,
// shared by options.rc and shell/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "OPTIONS", "MOUSE", "DROPBOOKMARK", "GOTOBOOKMARK", "MOREFILES",
// "TipOfTheDay", "ASSOCIATE", "INSERTSYMBOL" and "ABOUT"; the tip's bitmap is "LightBulb".

// Editor Options.
#define IDC_OPT_INSERT 102
#define IDC_OPT_AUTOINDENT 103
#define IDC_OPT_UNINDENT 104
#define IDC_OPT_BACKUP 105
#define IDC_OPT_DETECTFORMAT 106
#define IDC_OPT_DOS 108
#define IDC_OPT_UNIX 109
#define IDC_OPT_MAC 110
#define IDC_OPT_USETAB 111
#define IDC_OPT_WORDWRAP 112
#define IDC_OPT_WRAPCOLUMN 113
#define IDC_OPT_WRAPARROW 114
#define IDC_OPT_UNDOAFTERSAVE 115
#define IDC_OPT_MARGIN 116
#define IDC_OPT_BLOCKINDENT 117
#define IDC_OPT_BLOCKARROW 118
#define IDC_OPT_TABSIZE 121
#define IDC_OPT_TABARROW 122
#define IDC_OPT_UNDOLEVELS 125
#define IDC_OPT_UNDOARROW 126

// Mouse Options.
#define IDC_MOUSE_POPUP 101
#define IDC_MOUSE_TOPIC 102

// Drop and Go to Bookmark: the buttons "&0".."&9", and beside them in Drop Bookmark the set markers.
#define IDC_BOOKMARK0 100
#define IDC_BOOKMARKSET0 110

// More Files.
#define IDC_MOREFILES_LIST 101

// Tip of the Day.
#define IDC_TIP_BULB 101
#define IDC_TIP_HEADING 102
#define IDC_TIP_TEXT 103
#define IDC_TIP_NEXT 104
#define IDC_TIP_STARTUP 105
#define IDS_TIP_HEADING 20100
#define IDS_TIP_NOFILE 20101
#define IDS_TIP_READERROR 20102

// Associate: the twelve file kinds, the start-up box and the Associate button.
#define IDC_ASSOC_TXT 101
#define IDC_ASSOC_INI 102
#define IDC_ASSOC_INF 103
#define IDC_ASSOC_LOG 104
#define IDC_ASSOC_C 105
#define IDC_ASSOC_CPP 106
#define IDC_ASSOC_H 107
#define IDC_ASSOC_ASM 108
#define IDC_ASSOC_PAS 109
#define IDC_ASSOC_PRG 110
#define IDC_ASSOC_CH 111
#define IDC_ASSOC_INC 112
#define IDC_ASSOC_STARTUP 200
#define IDC_ASSOC_DO 250
#define IDS_ASSOC_FAILED 20110

// Insert Symbol.
#define IDC_SYM_FONT 101
#define IDC_SYM_PANEL 102
#define IDC_SYM_CODE 103

// About.
#define IDC_ABOUT_VERSION 101
#define IDC_ABOUT_CTLVERSION 102
