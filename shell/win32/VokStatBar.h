// The status bar window class "VokStatBar" and its thin wrapper TVokStatBar: text panes and a help line.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

enum class TStatPaneKind { Number = 0, Text = 1, Function = 2 };

using TStatTextFn = std::function<std::string()>;

constexpr int kStatBarMaxPanes = 32;
constexpr int kStatBarMaxFrames = 16;
// Frame variants: 3 the old flat look, 0 the newer one.
constexpr int kStatBarStyleOld = 3;
constexpr int kStatBarStyleNew = 0;
// Text sits this many pixels below the bar's top.
constexpr int kStatBarTextTop = 4;

// A handle on one "VokStatBar" window. The window owns its panes and the copies of what they last showed;
// the sources (numbers, texts, functions) stay the caller's and must outlive the bar. This object only
// addresses the window and does not destroy it.
class TVokStatBar {
public:
    static constexpr const char* kClassName = "VokStatBar";

    [[nodiscard]] static bool RegisterClass(HINSTANCE instance) noexcept;

    TVokStatBar() noexcept = default;
    explicit TVokStatBar(HWND hwnd) noexcept : hwnd(hwnd) {}

    HWND Create(HWND parent, int id, const RECT& r, HINSTANCE instance) noexcept;
    HWND Handle() const noexcept { return hwnd; }

    // The font is the caller's; the default is the stock ANSI variable font.
    void SetFont(HFONT font) noexcept;
    void SetStyle(int style) noexcept;
    // A pane shows its source between the x positions left and right; false when 32 panes exist.
    [[nodiscard]] bool AddNumberPane(const int* value, int left, int right) noexcept;
    [[nodiscard]] bool AddTextPane(const char* text, int left, int right) noexcept;
    [[nodiscard]] bool AddFunctionPane(TStatTextFn source, int left, int right) noexcept;
    // A sunken box around a group of panes; false when 16 frames exist.
    [[nodiscard]] bool AddFrame(int left, int right) noexcept;
    bool IsHelpMode() const noexcept;
    void ShowHelpText(const char* text) noexcept;
    // The help line shown, empty outside help mode.
    std::string HelpText() const;
    // Leaves help mode and repaints every pane and frame; does nothing outside help mode.
    void LeaveHelpText() noexcept;
    // Redraws the panes whose source changed since they were last drawn, or all of them.
    void Refresh(bool full = false) noexcept;
    // The client rectangle a pane (0-based) draws in.
    bool PaneRect(int index, RECT& r) const noexcept;
    // What pane `index` showed last, for the frame and tests.
    std::string PaneText(int index) const;

protected:
    HWND hwnd = nullptr;
};
