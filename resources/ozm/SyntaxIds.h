// Resource ids of the syntax highlighting dialogs, shared by syntax.rc and syntax/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "SYNTAXHIGHLIGHT", "SYNTAXHIGHLIGHTADD", "SYNTAXHIGHLIGHTLANG".

// Syntax Highlighting: languages, their extensions, the colour of each element, the sample.
#define IDC_SYN_LANGUAGES 3401
#define IDC_SYN_EXTENSIONS 3402
#define IDC_SYN_ELEMENTS 3403
#define IDC_SYN_COLOURS 3404
#define IDC_SYN_SAMPLE 3405
#define IDC_SYN_ADD 3406
#define IDC_SYN_REMOVE 3407
#define IDC_SYN_EDIT 3408

// Add Language: the name and the two templates.
#define IDC_SYNADD_NAME 3420
#define IDC_SYNADD_CLIKE 3421
#define IDC_SYNADD_BASIC 3422

// Define Language: flags, character fields, the keyword list.
#define IDC_SYNL_CASE 3440
#define IDC_SYNL_TEX 3441
#define IDC_SYNL_FORTRAN 3442
#define IDC_SYNL_HTML 3443
#define IDC_SYNL_WORDS 3444
#define IDC_SYNL_OPENCLOSE 3445
#define IDC_SYNL_DELIMITERS 3446
#define IDC_SYNL_MULTI 3447
#define IDC_SYNL_LINE1 3448
#define IDC_SYNL_LINE2 3449
#define IDC_SYNL_NUMBERS 3450
#define IDC_SYNL_OPERATORS 3451
#define IDC_SYNL_STRING 3452
#define IDC_SYNL_CHAR 3453
#define IDC_SYNL_ESCAPE 3454
#define IDC_SYNL_FIRST 3455
#define IDC_SYNL_PREPROC 3456
#define IDC_SYNL_KEYWORDS 3457
#define IDC_SYNL_KEYWORD 3458
#define IDC_SYNL_ADDKEYWORD 3459
#define IDC_SYNL_REMOVEKEYWORD 3460

// Message texts.
#define IDS_SYN_NOMEMORY 14
#define IDS_SYN_TOOMANYKEYWORDS 15430
#define IDS_SYN_EXISTS 15431
#define IDS_SYN_COLOURNAME 15400   // + colour index 0..16
#define IDS_SYN_ELEMENTNAME 15420  // + colour class 0..6
