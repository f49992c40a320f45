// Resource ids of the AutoCorrect dialogs, shared by autocorrect.rc and shell/win32/AutoCorrectDlg.cpp.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "AUTOCORRECT", "AUTOCORRECTEXCEPT" and "AUTOCORRECTLANG".

// Auto Correct.
#define IDC_AC_TWOCAPS 3301
#define IDC_AC_SENTENCE 3302
#define IDC_AC_CAPSLOCK 3303
#define IDC_AC_REPLACETEXT 3304
#define IDC_AC_REPLACE 3305
#define IDC_AC_WITH 3306
#define IDC_AC_LIST 3307
#define IDC_AC_ADD 3308
#define IDC_AC_CHANGE 3309
#define IDC_AC_DELETE 3310
#define IDC_AC_LANGUAGE 3311
#define IDC_AC_EXCEPTIONS 3312

// Auto Correct Exceptions.
#define IDC_ACX_TEXT 3321
#define IDC_ACX_ADD 3322
#define IDC_ACX_DELETE 3323
#define IDC_ACX_NUMBERS 3324

// Auto Correct Language: the radio buttons in the order of the language numbers 1, 2 and Other.
#define IDC_ACL_ENGLISH 3331
#define IDC_ACL_CROATIAN 3332
#define IDC_ACL_OTHER 3333

// "The list holds %d entries, as many as it can." (a full replacement or exception list).
#define IDS_AC_LISTFULL 15440
