// The commands of the Search category: Find, Replace, Repeat Last, Find Next/Previous Word, Go To.
#pragma once

class TVokEditor;

// Each runs on the active document; the dispatcher calls them for commands 90-94, 96 and 97.
void SearchFind(TVokEditor& editor);
void SearchReplace(TVokEditor& editor);
void SearchFindNext(TVokEditor& editor);
void SearchFindNextWord(TVokEditor& editor);
void SearchFindPrevWord(TVokEditor& editor);
void SearchGoToLine(TVokEditor& editor);
void SearchGoToColumn(TVokEditor& editor);

// Registers the functions above as the dispatcher's handlers of their command numbers.
void InstallSearchCommands();

// Checks a Find field before its dialog closes with Regular Expression ticked: 0 when the pattern compiles,
// otherwise the error code whose message the dialog shows (kRegexErrorPrefix + RegexErrorText). A plain
// text always passes; an empty field is the dialog's own business.
int CheckSearchPattern(const char* text, bool regex);
