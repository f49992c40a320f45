// The program's AutoCorrect object with the system's character services, Caps Lock key and list file.
#pragma once

#include <string>

#include "autocorrect/AutoCorrect.h"

// IsCharAlphaA, IsCharLowerA, IsCharUpperA, CharUpperBuffA, CharLowerBuffA and lstrcmpiA.
const TCharServices& SystemCharServices();
// The Caps Lock toggle of the keyboard state (GetKeyboardState, SetKeyboardState).
TCapsLockState& SystemCapsLock();
// The one AutoCorrect object of the program.
TAutoCorrect& ProgramAutoCorrect();
// "ozm.acr" in the program's folder.
std::string AutoCorrectFilePath();
