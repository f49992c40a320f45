// "VokArrow32": the spin arrow that steps a neighbouring edit field, and its value rules.
#pragma once

#include <windows.h>

#include "controls/CtlRules.h"

[[nodiscard]] bool RegisterArrowClass(HINSTANCE instance) noexcept;

// Timer id a held arrow uses for its repeats.
constexpr UINT_PTR kArrowRepeatTimer = 1;
