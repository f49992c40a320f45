// Handing a new program-wide tab size to the open documents, which may refuse it.
#pragma once

#include <vector>

class TVokEditor;

// True when every line of the document stays within the 1024 display columns with tab size tabSize.
bool LinesFitTabSize(const TVokEditor& editor, int tabSize);

// Offers tabSize to each document in turn; the first one with a line that would grow past the column limit
// reports "Line length exceeds editor capacity." and refuses, which ends the hand-over. True when none
// refused: only then may the tab size become the setting.
bool HandOverTabSize(const std::vector<TVokEditor*>& documents, int tabSize);
