// Editor Options, Mouse Options, the two bookmark boxes, More Files and About.
#pragma once

#include <string>
#include <vector>

#include "base/win32/Dialog.h"
#include "engine/Options.h"

class TVokEditor;

// TOptionsDlg edits a copy of the editing options; OK checks the four numbers (the first one out of
// range names its bounds in a message and keeps the dialog open) and only then hands back all values.
class TOptionsDlg : public TDialog {
public:
    TOptionsDlg(HINSTANCE instance, const TEngineOptions& options) : TDialog(instance, "OPTIONS"), options_(options) {}
    const TEngineOptions& Options() const { return options_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    bool ReadNumber(int id, int low, int high, int* value);

    TEngineOptions options_;
};

// What the frame does with the options an Editor Options dialog returned: a changed tab size is offered to
// every document first and kept only when none refused; the windows are repainted when the tab size or the
// visible margin changed. options becomes the program's options. Answers whether the windows need painting.
bool ApplyEditorOptions(TEngineOptions& current, TEngineOptions chosen, const std::vector<TVokEditor*>& documents);

// TMouseOptionsDlg chooses what the right mouse button does: 0 the pop-up menu, 1 topic search.
class TMouseOptionsDlg : public TDialog {
public:
    TMouseOptionsDlg(HINSTANCE instance, int rightMouseBtn) : TDialog(instance, "MOUSE"), value_(rightMouseBtn) {}
    int RightMouseBtn() const { return value_; }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    int value_;
};

// TBookmarkDlg is Drop Bookmark ("DROPBOOKMARK": markers beside the bookmarks that are set) or Go to
// Bookmark ("GOTOBOOKMARK": buttons of unset bookmarks disabled). A digit button closes it with the
// editor command to run: SetMark0..9 or GotoMark0..9.
class TBookmarkDlg : public TDialog {
public:
    TBookmarkDlg(HINSTANCE instance, bool drop, const bool (&set)[10]);
    unsigned Command() const { return command_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    bool drop_;
    bool set_[10];
    unsigned command_ = 0;
};

// TMoreFilesDlg ("MOREFILES", titled "Open File") lists paths newest first with the first selected; OK or a
// double-click returns the selected one. Run returns IDCANCEL at once for an empty list.
class TMoreFilesDlg : public TDialog {
public:
    TMoreFilesDlg(HINSTANCE instance, std::vector<std::string> paths)
        : TDialog(instance, "MOREFILES"), paths_(std::move(paths))
    {
    }
    INT_PTR Run(HWND owner) { return paths_.empty() ? IDCANCEL : TDialog::Run(owner); }
    const std::string& Chosen() const { return chosen_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    std::vector<std::string> paths_;
    std::string chosen_;
};

// TAboutDlg ("ABOUT") names the program, its version and the control library's version.
class TAboutDlg : public TDialog {
public:
    TAboutDlg(HINSTANCE instance, std::string version) : TDialog(instance, "ABOUT"), version_(std::move(version)) {}

protected:
    bool OnInit() override;

private:
    std::string version_;
};

// The control library's version word as the About box shows it: "1.20" for 0x0114.
std::string ControlLibraryVersionText(unsigned long version);
