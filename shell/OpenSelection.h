// What the open dialog returned: splitting a multi-selection, joining paths, the last directory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The files a multi-select open dialog returned: the directory and the names. Explorer-style dialogs give
// "dir\0name\0name\0\0" or, for one file, "dir\name\0"; old-style ones give "dir name name" with blanks.
struct TOpenSelection {
    std::string directory;
    std::vector<std::string> names;
};
TOpenSelection SplitOpenResult(const char* buffer, std::size_t size, bool explorer);

// Joins a directory and a name with one backslash, cut to 279 characters.
std::string JoinPath(const std::string& directory, const std::string& name);

// The directory part of a returned path for the "last directory", given the offset of the file name;
// empty when the offset is out of 3..259. A bare drive ("C:") gets its backslash.
std::string DirectoryFromOffset(const char* path, std::size_t fileOffset);
