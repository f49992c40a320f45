// Resource ids of the Find Files dialogs and of the Change Directory dialog, shared by findfiles.rc,
// findfiles/win32 and shell/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "FINDFILE", "SEARCHING", "SEARCHRESULT" and "CHANGEDIR".

// Find Files.
#define IDC_FF_PATTERN 3801
#define IDC_FF_DIR 3802
#define IDC_FF_EDITDIR 3803
#define IDC_FF_TEXT 3804
#define IDC_FF_IGNORECASE 3805
#define IDC_FF_QUESTION 3806
// The six scopes in their order, and six drive boxes; the code counts on consecutive numbers.
#define IDC_FF_SCOPE1 3811
#define IDC_FF_SCOPE2 3812
#define IDC_FF_SCOPE3 3813
#define IDC_FF_SCOPE4 3814
#define IDC_FF_SCOPE5 3815
#define IDC_FF_SCOPE6 3816
#define IDC_FF_DRIVE1 3821
#define IDC_FF_DRIVE2 3822
#define IDC_FF_DRIVE3 3823
#define IDC_FF_DRIVE4 3824
#define IDC_FF_DRIVE5 3825
#define IDC_FF_DRIVE6 3826
#define IDC_FF_HELP 3830

// Performing Search.
#define IDC_FS_DIR 3841
#define IDC_FS_FILE 3842
#define IDC_FS_COUNT 3843

// Search Results.
#define IDC_FR_COUNT 3851
#define IDC_FR_LIST 3852
#define IDC_FR_INFO 3853
#define IDC_FR_FIND 3854
#define IDC_FR_DATE 3855
#define IDC_FR_SIZE 3856

// Change Directory.
#define IDC_CD_PATH 3861
