// Importing the plain text of word-processor documents: the format from the first bytes, then the
// extractor of that format writing CR LF lines into a MemFile.
#pragma once

#include <cstddef>
#include <string>

#include "import/MemFile.h"

// Documents come from elsewhere: every offset and length read from one is checked against its size
// before use, every walk moves forward, and nothing is allocated for a size a document claims (the
// text grows with what is written). Where damage gives no result and where it gives the text before it:
// - Word (both kinds): a header or text range outside the file gives no result, never part of a text.
// - Write: a text end before the header's end is an empty document; one past the end of the file
//   gives the text up to the end of the file.
// - WordPerfect: a header cut short, a document area starting past the end, or an encrypted document
//   gives no result; an extended character, a fixed group without its closing code or a variable
//   group whose length runs off the end ends the text there.
// - Ami Pro: no "[edoc]" gives no result; a tag or style name without its end ends the text there.
// - WordStar: a file shorter than its 128-byte header is an empty document; a cut escape or code ends
//   the text there.
enum class TImportFormat { Unknown, Word, Write, WordPerfect, AmiPro, WordStar };

// The line width and tab size the Word and Write text is reflowed to (the settings' WordWrapColumn
// and TabSize). Values out of range are clamped where they are used.
struct TImportOptions {
    int wrapColumn = 76;
    int tabSize = 8;
};

// The format of a document starting with these bytes (Unknown for anything else).
TImportFormat RecognizeFormat(const unsigned char* bytes, std::size_t size);

// Imports a document held in memory. On success out holds the text, CR LF lines and a closing zero
// byte (counted in its size); on failure (unknown format, a damaged or encrypted document, memory run
// out) out has failed and holds nothing.
[[nodiscard]] bool ImportBytes(const unsigned char* data, std::size_t size, const TImportOptions& options,
                               MemFile& out);

// Reads the file and imports it; false, with out failed, when it cannot be read or gives no result.
[[nodiscard]] bool ImportDocument(const std::string& path, const TImportOptions& options, MemFile& out);
