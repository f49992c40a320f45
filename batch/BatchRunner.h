// One run of ozmbatch: settings, key map and macros prepared once, then every document in turn.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "batch/BatchOptions.h"

class TVokEditor;
class TBatchEditor;
struct TSearchQuery;

enum : int {
    kExitOk = 0,
    kExitFailed = 1,  // a file could not be read or written, a macro, key text or name was refused
    kExitUsage = 2,
};

// Where a run writes: reports, counts and a document sent to "-" go to out, messages to err. When
// keepLast is given it receives the last document instead of freeing it, so that a process about to end
// can leave its lines to the system; the document's links to the run are not to be used any more.
struct TBatchIo {
    std::ostream& out;
    std::ostream& err;
    std::unique_ptr<TVokEditor>* keepLast = nullptr;
};

// Runs the whole command line and returns the exit code. The process-wide settings, key map, macros and
// search state are reset first, so every run starts from the documented defaults.
int RunBatch(const TBatchOptions& options, TBatchIo io);

// The --report lines of a document, each ending in a line break.
std::string FormatReport(const TBatchEditor& ed, const std::string& path, int format, bool modified);

// A message on one line: each line break written as the two characters \n.
std::string OneLine(const std::string& text);

// The --colours lines of a document: "colours N: DIGITS" for every line N (from 1), one digit per display
// column of the line with its tabs expanded, coloured from the state the line before it ends in.
std::string FormatColours(const TBatchEditor& ed, int tabSize);

struct TMatchCount {
    long matches = 0;
    long lines = 0;  // lines holding at least one match
};

// Repeated Find from the top of the document, each search starting where the last match ended; the
// cursor is left after the last match.
TMatchCount CountMatches(TVokEditor& ed, const TSearchQuery& query);
