// Resource ids of the macro, key mapping and Editor Commands dialogs, shared by macros.rc and keys/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "MACRORECORD", "MACRO", "MACRORENAME", "MACROEDIT", "COMMANDS",
// "KEYMAPPING" and "KEYMAPPINGPREFIX".

// Record Macro.
#define IDC_REC_NAME 3301
#define IDC_REC_DESC 3302
#define IDC_REC_ALT 3303
#define IDC_REC_CTRL 3304
#define IDC_REC_SHIFT 3305
#define IDC_REC_KEY 3306
#define IDC_REC_MAPPED 3307

// Macro.
#define IDC_MACRO_LIST 3311
#define IDC_MACRO_DESC 3312
#define IDC_MACRO_RUN 3313
#define IDC_MACRO_EDIT 3314
#define IDC_MACRO_DELETE 3315
#define IDC_MACRO_RENAME 3316
#define IDC_MACRO_RECORD 3317
#define IDC_MACRO_KEYS 3318

// Rename.
#define IDC_RENAME_NAME 3321

// Edit Macro.
#define IDC_EDIT_NAME 3331
#define IDC_EDIT_DESC 3332
#define IDC_EDIT_TEXT 3333
#define IDC_EDIT_SELECTALL 3334
#define IDC_EDIT_CUT 3335
#define IDC_EDIT_COPY 3336
#define IDC_EDIT_PASTE 3337
#define IDC_EDIT_CLEAR 3338
#define IDC_EDIT_UNDO 3339
#define IDC_EDIT_INSERTCMD 3340

// Editor Commands.
#define IDC_CMD_CATEGORY 3351
#define IDC_CMD_LIST 3352
#define IDC_CMD_DESC 3353
#define IDC_CMD_KEYS 3354

// Key Mapping ("KEYMAPPING").
#define IDC_KM_PREFIX 3361
#define IDC_KM_CONFIGURE 3362
#define IDC_KM_ALT 3363
#define IDC_KM_CTRL 3364
#define IDC_KM_SHIFT 3365
#define IDC_KM_KEY 3366
#define IDC_KM_MAPPED 3367
#define IDC_KM_ADD 3368
#define IDC_KM_SHOWCMDS 3369
#define IDC_KM_SHOWMACROS 3370
#define IDC_KM_LIST 3371
#define IDC_KM_KEYS 3372
#define IDC_KM_DELETE 3373
#define IDC_KM_DESC 3374
#define IDC_KM_SAVE 3375
#define IDC_KM_SAVEAS 3376
#define IDC_KM_LOAD 3377
#define IDC_KM_RESET 3378

// Prefix Keys ("KEYMAPPINGPREFIX").
#define IDC_KP_ALT 3381
#define IDC_KP_CTRL 3382
#define IDC_KP_SHIFT 3383
#define IDC_KP_KEY 3384
#define IDC_KP_MAPPED 3385
#define IDC_KP_ADD 3386
#define IDC_KP_LIST 3387
#define IDC_KP_DELETE 3388
