// Reading a document from a file and writing it back safely, with the editor's backup rule.
#pragma once

#include <string>

class TVokEditor;
class TOutStream;

// The file-format numbers of a document: 0 DOS, 1 UNIX, 2 Mac.
const char* FormatName(int format);

// The result of a file operation: ok, or the message for the user.
struct TFileResult {
    bool ok = true;
    std::string message;
};

// Loads path into the fresh document ed as the editor's LoadFile does. *format holds the default format
// on entry; with detect it receives the format of the last line end found.
TFileResult LoadDocument(TVokEditor& ed, const std::string& path, bool detect, int* format);

// Writes the document to path so that the old file is replaced only by a complete new one: the text goes
// to a temporary file beside it first. With backup, the old file is kept under the editor's ".bak" name.
TFileResult WriteDocument(TVokEditor& ed, const std::string& path, int format, bool backup);

// Writes the document to a stream the caller owns (standard output).
TFileResult WriteDocument(TVokEditor& ed, TOutStream& out, int format);
