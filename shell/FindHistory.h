// Reading and writing the find and replace histories (section FindHistory, keys Find1..8, Replace1..8).
#pragma once

#include "base/Profile.h"

inline constexpr int kHistoryCount = 8;
inline constexpr int kHistoryTextSize = 80;  // at most 79 characters and the NUL

// A history, newest first; an empty string is an empty slot.
using THistoryList = char[kHistoryCount][kHistoryTextSize];

// Fills both lists. An entry is kept only when it is 1 to 79 characters long; a longer one leaves its
// slot empty rather than coming back cut.
void ReadFindHistory(const TProfile& ini, THistoryList& find, THistoryList& replace);
// Writes all sixteen keys; empty slots are written as empty strings.
[[nodiscard]] bool WriteFindHistory(TProfile& ini, const THistoryList& find, const THistoryList& replace);
