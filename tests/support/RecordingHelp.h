// A help engine that records what the program asks the viewers for, with a chosen set of files present.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tools/HelpDesk.h"

class TRecordingHelp final : public THelpEngine {
public:
    std::set<std::string> files;  // the files that exist
    bool viewerWorks = true;
    std::vector<THelpRequest> asked;

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool Open(void* /*owner*/, const THelpRequest& request) override
    {
        asked.push_back(request);
        return viewerWorks;
    }
    const THelpRequest& Last() const { return asked.back(); }
};
