// Section names of a profile file by a plain line scan, the way the language and conversion tables list them.
#include "base/SectionScan.h"

#include <cstdio>
#include <cstring>

#include "base/CFile.h"

namespace {
bool IsScanBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == 0x1A;
}
}  // namespace

int ScanSectionNames(const char* path, char* buffer, int size)
{
    if (buffer && size > 0)
        buffer[0] = '\0';
    TCFile file(path, "rb");
    if (!file.Get())
        return -1;
    if (!buffer || size < 2)
        return 0;
    // A line longer than the buffer arrives in pieces, each judged as a line of its own.
    char line[255];
    int used = 0;
    int count = 0;
    while (std::fgets(line, sizeof line, file.Get())) {
        const char* start = line;
        std::size_t length = std::strlen(line);
        while (length > 0 && IsScanBlank(start[length - 1]))
            --length;
        while (length > 0 && IsScanBlank(*start)) {
            ++start;
            --length;
        }
        if (length < 3 || start[0] != '[' || start[length - 1] != ']')
            continue;
        // The last byte of the buffer is kept for the empty name that closes the list.
        const int left = size - used;
        if (static_cast<int>(length) + 2 >= left)
            break;
        std::memcpy(buffer + used, start + 1, length - 2);
        used += static_cast<int>(length) - 2;
        buffer[used++] = '\0';
        ++count;
    }
    buffer[used] = '\0';
    return count;
}
