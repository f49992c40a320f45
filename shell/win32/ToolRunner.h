// Running a user tool from the Tools menu or a key: saving, the initial directory, the program launcher or
// the capture program with the Running Tool dialog, and the output window.
#pragma once

#include <windows.h>

#include <string>

#include "base/win32/Dialog.h"
#include "tools/ToolArguments.h"
#include "tools/UserTools.h"

// Runs tool index (0..8) of the program's table for the active document's context. The frame receives
// the save commands (94, 95) and, for a captured tool, command 93 with the output file.
void RunUserTool(HWND frame, HINSTANCE instance, int index, const TToolContext& context);

// The expanded arguments for editing before the tool runs (template "ToolArguments").
class TAskForArgumentsDlg : public TDialog {
public:
    TAskForArgumentsDlg(HINSTANCE instance, std::string arguments)
        : TDialog(instance, "ToolArguments"), arguments_(std::move(arguments)) {}
    const std::string& Arguments() const { return arguments_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    std::string arguments_;
};

// TRunningToolDlg starts a captured tool's command line and waits for it with the frame's messages
// flowing; Cancel asks whether to stop waiting. It owns the process handle while it waits.
class TRunningToolDlg : public TDialog {
public:
    TRunningToolDlg(HINSTANCE instance, std::string commandLine, std::string program, std::string arguments,
                    std::string tempFile);
    ~TRunningToolDlg() override;

protected:
    bool OnInit() override;
    bool CanClose() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Wait();
    bool AskToStop();

    std::string commandLine_, program_, arguments_, tempFile_;
    HANDLE process_ = nullptr;
    bool stopAsked_ = false;
    bool waiting_ = false;
};
