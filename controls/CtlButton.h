// "VokBtn32", "VokRadio32" and "VokCheck32": push buttons, radio buttons, check boxes and group boxes.
#pragma once

#include <windows.h>

[[nodiscard]] bool RegisterButtonClasses(HINSTANCE instance) noexcept;
