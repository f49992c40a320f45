// The "VokDlg32" dialog class (standard dialog behaviour plus the library's colouring) and CenterDialog.
#pragma once

#include <windows.h>

[[nodiscard]] bool RegisterDialogClass(HINSTANCE instance) noexcept;
