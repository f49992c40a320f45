// Splitting the program's command line (and a handed-over one) into file names, and naming new documents.
#pragma once

#include <string>
#include <vector>

constexpr std::size_t kMaxPathChars = 259;  // a path buffer holds 260 bytes with its NUL

// The tokens of a command line: blanks separate names, a name that starts with a double quote runs to the
// next double quote (or the end of the text) and loses its quotes; every token is cut at 259 characters.
std::vector<std::string> SplitCommandLine(const char* text);

// The name of the n-th new document: "noname%02d.txt" below 100, "nnam%04d.txt" from 100 on.
std::string UntitledName(unsigned counter);

// The tool bar may hand over at most this many dropped files at once.
constexpr int kMaxDroppedFiles = 30;
