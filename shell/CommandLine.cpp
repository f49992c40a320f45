// Splitting the program's command line into file names, and naming new documents.
#include "shell/CommandLine.h"

#include <cstdio>

std::vector<std::string> SplitCommandLine(const char* text)
{
    std::vector<std::string> names;
    if (!text)
        return names;
    const char* p = text;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string token;
        if (*p == '"') {
            ++p;
            while (*p && *p != '"')
                token += *p++;
            if (*p == '"')
                ++p;
        } else {
            while (*p && *p != ' ' && *p != '\t')
                token += *p++;
        }
        if (token.size() > kMaxPathChars)
            token.resize(kMaxPathChars);
        // A pair of quotes with nothing inside names no file.
        if (!token.empty())
            names.push_back(token);
    }
    return names;
}

std::string UntitledName(unsigned counter)
{
    char name[32];
    counter &= 0xFFFF;  // the counter is 16-bit and wraps rather than growing the name
    if (counter < 100)
        std::snprintf(name, sizeof name, "noname%02u.txt", counter);
    else
        std::snprintf(name, sizeof name, "nnam%04u.txt", counter);
    return name;
}
