// The file type table as the file dialogs and the File Filters dialog use it.
#include "shell/win32/FileFilters.h"

#include "shell/FileTypes.h"
#include "shell/Settings.h"

std::vector<TFilterRow> FileFilterRows()
{
    const TFileTypes& types = ProgramSettings().fileTypes;
    std::vector<TFilterRow> rows;
    for (int i = 0; i < types.Count(); ++i)
        rows.push_back({types[i].description, types[i].pattern});
    return rows;
}

void SetFileFilterRows(const std::vector<TFilterRow>& rows)
{
    TFileTypes& types = ProgramSettings().fileTypes;
    types.Clear();
    for (const TFilterRow& row : rows)
        types.Append(row.description.c_str(), row.pattern.c_str());
    types.SetModified();
}

std::string FileDialogFilter(std::size_t limit)
{
    std::vector<char> buffer(limit + 2, 0);
    std::size_t used = ProgramSettings().fileTypes.FilterList(buffer.data(), limit);
    if (used < 2)
        return std::string("All Files (*.*)\0*.*\0\0", 21);
    return std::string(buffer.data(), used);
}
