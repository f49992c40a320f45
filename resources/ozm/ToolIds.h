// Resource ids of the user tools' dialogs and messages, shared by tools.rc and shell/win32.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates are named resources: "TOOLS", "ToolArguments" and "RunningTool".

// Tools.
#define IDC_TOOL_LIST 3741
#define IDC_TOOL_MENUTEXT 3742
#define IDC_TOOL_COMMAND 3743
#define IDC_TOOL_ARGUMENTS 3744
#define IDC_TOOL_INITIALDIR 3745
#define IDC_TOOL_ASKARGS 3746
#define IDC_TOOL_CAPTURE 3747
#define IDC_TOOL_SAVENONE 3748
#define IDC_TOOL_SAVEACTIVE 3749
#define IDC_TOOL_SAVEALL 3750
#define IDC_TOOL_PROMPTSAVE 3751
#define IDC_TOOL_SHORTALWAYS 3752
#define IDC_TOOL_SHORTSPACED 3753
#define IDC_TOOL_SHORTNEVER 3754
#define IDC_TOOL_ADD 3755
#define IDC_TOOL_REMOVE 3756
#define IDC_TOOL_UP 3757
#define IDC_TOOL_DOWN 3758
#define IDC_TOOL_MACROS 3759
#define IDC_TOOL_HELP 3760

// Tool Arguments.
#define IDC_TOOLARGS_TEXT 3765

// Running Tool.
#define IDC_RUNNING_PROGRAM 3770
#define IDC_RUNNING_ARGUMENTS 3771

// Messages.
#define IDS_TOOLSAVEACTIVE 15600
#define IDS_TOOLSAVEALL 15601
#define IDS_TOOLCHDIR 15602
#define IDS_TOOLINVALID 15603
#define IDS_TOOLWAITING 15604
#define IDS_TOOLDELETETEMP 15605
