/* The control library's plain C interface: its exports, window class names and private control messages. */
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every export uses the C calling convention, so the names stay undecorated for both the import library
   and GetProcAddress. */
#define VOKCTLAPI __cdecl

#define VOKCTL_VERSION 0x0114

/* Window classes registered while the library is loaded. */
#define VOKCTL_DIALOG_CLASS "VokDlg32"
#define VOKCTL_BUTTON_CLASS "VokBtn32"
#define VOKCTL_RADIO_CLASS "VokRadio32"
#define VOKCTL_CHECK_CLASS "VokCheck32"
#define VOKCTL_ARROW_CLASS "VokArrow32"
#define VOKCTL_BITMAP_CLASS "VokBmp32"
#define VOKCTL_SHADE_CLASS "VokShade32"
#define VOKCTL_TEXT_CLASS "VokText32"

/* Dialog mode bits (GetVokDlgMode, SetVokDlgMode). */
#define VOKDLG_GREY 0x01       /* grey background and control colouring */
#define VOKDLG_3D 0x02         /* three-dimensional shading colours */
#define VOKDLG_OWNFRAME 0x04   /* self-drawn dialog frame and caption (old Windows only) */
#define VOKDLG_SUNKEN 0x08     /* sunken frames around edit, list and combo boxes (old Windows only) */

/* Spin arrow ("VokArrow32") messages, sent in this order by SetArrowButton. */
#define VOKARROW_NUMERIC (WM_USER + 0)    /* wParam edit id, lParam stop-when-empty flag */
#define VOKARROW_CHARACTER (WM_USER + 1)  /* wParam edit id, lParam stop-when-empty flag */
#define VOKARROW_ATTACH (WM_USER + 2)     /* wParam edit id, lParam resize flag */
#define VOKARROW_SIGNED (WM_USER + 3)     /* wParam signed flag */
#define VOKARROW_STEP (WM_USER + 4)       /* wParam step */
#define VOKARROW_RANGE (WM_USER + 5)      /* wParam default, lParam MAKELPARAM(minimum, maximum) as shorts */

/* Notification codes a spin arrow sends its parent in WM_COMMAND (low word: the arrow's id). */
#define VOKARROW_STEPPED 0x406
#define VOKARROW_RELEASED 0x407

/* Repeat timing of a held spin arrow, in milliseconds. */
#define VOKARROW_FIRST_DELAY 200
#define VOKARROW_REPEAT_DELAY 30

/* Text ("VokText32") font style bits in the window style, and its colour messages (lParam COLORREF,
   result the previous colour). */
#define VOKTEXT_NORMAL 0x0100
#define VOKTEXT_ITALIC 0x0200
#define VOKTEXT_UNDERLINE 0x0400
#define VOKTEXT_BOLD 0x1000
#define VOKTEXT_SETTEXTCOLOR (WM_USER + 20)
#define VOKTEXT_SETBKCOLOR (WM_USER + 21)

/* Shade ("VokShade32") styles in the low byte of the window style. */
#define VOKSHADE_WHITEFRAME 0
#define VOKSHADE_SUNKENFRAME 1
#define VOKSHADE_SUNKENHLINE 2
#define VOKSHADE_SUNKENVLINE 3
#define VOKSHADE_RAISEDHLINE 4
#define VOKSHADE_RAISEDVLINE 5
#define VOKSHADE_RAISEDFRAME 6
#define VOKSHADE_PARENTFRAME 7

int VOKCTLAPI InitVokCtrl(HINSTANCE caller);
int VOKCTLAPI DeleteVokCtrl(HINSTANCE caller);
DWORD VOKCTLAPI GetVokCtrlVersion(void);
UINT VOKCTLAPI GetVokDlgMode(void);
void VOKCTLAPI SetVokDlgMode(UINT mode);
int VOKCTLAPI SetArrowButton(HWND dialog, int arrowId, int editId, BOOL resize, UINT modeMessage, BOOL signedValues,
                             int minimum, int maximum, BOOL stopWhenEmpty, int defaultValue, int step);
int VOKCTLAPI VokMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
int VOKCTLAPI LoadStrVokMessageBox(HINSTANCE instance, HWND owner, UINT textId, UINT captionId, UINT flags);
int VOKCTLAPI _PRINTFVOKMESSAGEBOX(HWND owner, LPCSTR caption, UINT flags, LPCSTR format, ...);
int VOKCTLAPI _LSPRINTFVOKMSGBOX(HINSTANCE instance, HWND owner, UINT captionId, UINT flags, UINT formatId, ...);
void VOKCTLAPI CenterDialog(HWND window, BOOL overParent);
void VOKCTLAPI SetRWLoadResFun(void* unused);
int VOKCTLAPI WEP(int exitType);

#ifdef __cplusplus
}
#endif
