// The file type table as the file dialogs and the File Filters dialog use it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The file type table as description/pattern rows, and the filter block the file dialogs take (limit
// bytes at most, the closing empty string included).
struct TFilterRow {
    std::string description;
    std::string pattern;
};
std::vector<TFilterRow> FileFilterRows();
void SetFileFilterRows(const std::vector<TFilterRow>& rows);
std::string FileDialogFilter(std::size_t limit);
