// What the open dialog returned: splitting a multi-selection, joining paths, the last directory.
#include "shell/OpenSelection.h"

#include <cstring>

TOpenSelection SplitOpenResult(const char* buffer, std::size_t size, bool explorer)
{
    TOpenSelection result;
    if (!buffer || size == 0 || !buffer[0])
        return result;
    std::size_t first = strnlen(buffer, size);
    if (!explorer) {
        std::string text(buffer, first);
        std::size_t blank = text.find(' ');
        if (blank == std::string::npos) {
            std::size_t slash = text.rfind('\\');
            if (slash == std::string::npos)
                return result;
            result.directory = text.substr(0, slash);
            result.names.push_back(text.substr(slash + 1));
            return result;
        }
        result.directory = text.substr(0, blank);
        std::size_t pos = blank + 1;
        while (pos < text.size()) {
            std::size_t next = text.find(' ', pos);
            if (next == std::string::npos)
                next = text.size();
            if (next > pos)
                result.names.push_back(text.substr(pos, next - pos));
            pos = next + 1;
        }
        return result;
    }
    // Explorer style: a second string follows only when several files were chosen.
    if (first + 1 >= size || buffer[first + 1] == 0) {
        std::string text(buffer, first);
        std::size_t slash = text.rfind('\\');
        if (slash == std::string::npos)
            return result;
        result.directory = text.substr(0, slash);
        result.names.push_back(text.substr(slash + 1));
        return result;
    }
    result.directory.assign(buffer, first);
    std::size_t pos = first + 1;
    while (pos < size && buffer[pos]) {
        std::size_t len = strnlen(buffer + pos, size - pos);
        result.names.emplace_back(buffer + pos, len);
        pos += len + 1;
    }
    return result;
}

std::string JoinPath(const std::string& directory, const std::string& name)
{
    std::string path = directory;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    path += name;
    if (path.size() > 279)
        path.resize(279);
    return path;
}

std::string DirectoryFromOffset(const char* path, std::size_t fileOffset)
{
    if (!path || fileOffset < 3 || fileOffset > 259 || strnlen(path, 260) < fileOffset)
        return std::string();
    std::string dir(path, fileOffset);
    // The dialog's offset points past the separator; keep it only where a bare drive needs it.
    if (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    if (dir.size() == 2 && dir[1] == ':')
        dir += '\\';
    return dir;
}
