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

// Loads path into the fresh document ed as the editor's LoadFile does; a folder, a device or a pipe is
// refused before anything is read. *format holds the default format on entry; with detect it receives
// the format of the last line end found.
TFileResult LoadDocument(TVokEditor& ed, const std::string& path, bool detect, int* format);

// Imports the word-processor document at path into the fresh document ed (its text in lines, unmodified,
// the cursor at the start), its Word and Write paragraphs reflowed to wrapColumn with tabSize. A document
// that gives no result fails with the editor's "Cannot open" message; a folder, device or pipe is refused
// before anything is read.
TFileResult ImportDocumentInto(TVokEditor& ed, const std::string& path, int wrapColumn, int tabSize);

// Writes the document to path so that the old file is replaced only by a complete new one: the text goes
// to a temporary file beside it first. With backup, the old file is kept under the editor's ".bak" name.
// A symbolic link is followed and its target written; a file with several names (hard links) is written
// where it is, after a complete copy of its old bytes that is put back if the write fails. A read-only
// file, a folder or a device is refused, and so is a backup whose name would be the file's own.
TFileResult WriteDocument(TVokEditor& ed, const std::string& path, int format, bool backup);

// The backup name WriteDocument uses for path: the editor's ".bak" name of the file a write changes.
std::string BackupOf(const std::string& path);

// Writes the document to a stream the caller owns (standard output).
TFileResult WriteDocument(TVokEditor& ed, TOutStream& out, int format);
