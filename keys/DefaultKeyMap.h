// The built-in default key map: the bindings the program starts with before any keymap file is read.
#pragma once

#include "keys/KeyMap.h"

// The tables in their stored order; prefix tables 4 to 6 are empty.
extern const TKeyPair kDefaultMainTable[];
extern const TKeyPair kDefaultPrefix1Table[];  // after Ctrl+K
extern const TKeyPair kDefaultPrefix2Table[];  // after Ctrl+Q
extern const TKeyPair kDefaultPrefix3Table[];  // after Ctrl+O
constexpr int kDefaultMainCount = 73;
constexpr int kDefaultPrefix1Count = 27;
constexpr int kDefaultPrefix2Count = 22;
constexpr int kDefaultPrefix3Count = 8;
