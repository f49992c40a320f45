// The program's private clipboard format for column blocks.
#pragma once

#include <windows.h>

// Registers "OZMColumnBlock" once and returns its number.
UINT RegisterColumnBlockFormat();
