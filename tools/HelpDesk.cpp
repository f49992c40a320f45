// Help requests turned into viewer calls.
#include "tools/HelpDesk.h"

#include <cctype>
#include <string>

THelpViewer ViewerFor(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return THelpViewer::WinHelp;
    std::string ext;
    for (std::size_t i = dot + 1; i < path.size(); ++i)
        ext += static_cast<char>(std::tolower(static_cast<unsigned char>(path[i])));
    return ext == "chm" ? THelpViewer::HtmlHelp : THelpViewer::WinHelp;
}

std::string HelpTopicPage(unsigned context)
{
    return "t" + std::to_string(context) + ".htm";
}

THelpResult THelpDesk::Ask(THelpEngine& engine, void* owner, const THelpRequest& request,
                           const std::string& checkedFile) const
{
    // A viewer given a missing file shows an empty window or an error of its own that does not name the
    // file; the program says which file it looked for instead.
    if (checkedFile.empty() || !engine.FileExists(checkedFile))
        return THelpResult::Missing;
    return engine.Open(owner, request) ? THelpResult::Shown : THelpResult::Failed;
}

THelpResult THelpDesk::Contents(THelpEngine& engine, void* owner) const
{
    THelpRequest r{ViewerFor(mainFile_), mainFile_, THelpCall::Contents, 0, {}};
    return Ask(engine, owner, r, mainFile_);
}

THelpResult THelpDesk::Context(THelpEngine& engine, void* owner, unsigned context) const
{
    THelpRequest r{ViewerFor(mainFile_), mainFile_, THelpCall::Context, context, {}};
    return Ask(engine, owner, r, mainFile_);
}

THelpResult THelpDesk::Quick(THelpEngine& engine, void* owner, unsigned context) const
{
    THelpRequest r{ViewerFor(mainFile_), mainFile_ + ">" + kQuickHelpWindow, THelpCall::Context, context, {}};
    return Ask(engine, owner, r, mainFile_);
}

THelpResult THelpDesk::UserFile(THelpEngine& engine, void* owner, const TUserHelp& help, int index) const
{
    if (!help.InUse(index))
        return THelpResult::NotConfigured;
    const std::string file = help[index].helpFile;
    return Ask(engine, owner, THelpRequest{ViewerFor(file), file, THelpCall::Contents, 0, {}}, file);
}

THelpResult THelpDesk::Keyword(THelpEngine& engine, void* owner, const TUserHelp& help,
                               const std::string& word) const
{
    if (!help.KeywordAvailable())
        return THelpResult::NotConfigured;
    const std::string file = help[help.Active()].helpFile;
    return Ask(engine, owner, THelpRequest{ViewerFor(file), file, THelpCall::Keyword, 0, word}, file);
}
