// The library's message box family: a dialog per button set, with the system box as fallback.
#pragma once

#include "controls/CtlRules.h"
