// The argument macros of user tools.
#include "tools/ToolArguments.h"

#include <cstring>

namespace {

enum class TMacro { FilePath, FileDir, FileName, FileExt, ProgDir, CurLine, CurCol, CurText, CurDir };

// In the order they are tried at each "$".
const struct {
    const char* text;
    TMacro macro;
} kMacros[] = {
    {"$(FilePath)", TMacro::FilePath}, {"$(FileDir)", TMacro::FileDir}, {"$(FileName)", TMacro::FileName},
    {"$(FileExt)", TMacro::FileExt},   {"$(ProgDir)", TMacro::ProgDir}, {"$(CurLine)", TMacro::CurLine},
    {"$(CurCol)", TMacro::CurCol},     {"$(CurText)", TMacro::CurText}, {"$(CurDir)", TMacro::CurDir},
};

bool HasSpace(const std::string& text) { return text.find(' ') != std::string::npos; }

std::string WithBackslash(std::string dir)
{
    if (dir.empty() || (dir.back() != '\\' && dir.back() != '/')) dir += '\\';
    return dir;
}

std::size_t AfterLastBackslash(const std::string& path)
{
    std::size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? 0 : at + 1;
}

class TExpander {
public:
    TExpander(TShortNames shortNames, const TToolContext& context, const TToolEnvironment& env)
        : shortNames_(shortNames), context_(context), env_(env)
    {
    }

    std::string Value(TMacro macro) const
    {
        switch (macro) {
        case TMacro::FilePath:
            if (HasSpace(context_.filePath) && shortNames_ == TShortNames::Never)
                return "\"" + context_.filePath + "\"";
            return FileName();
        case TMacro::FileDir: {
            std::string path = FileName();
            return path.substr(0, AfterLastBackslash(path));
        }
        case TMacro::FileName: {
            std::string path = FileName();
            return path.substr(AfterLastBackslash(path));
        }
        case TMacro::FileExt: {
            std::string path = FileName();
            std::string name = path.substr(AfterLastBackslash(path));
            std::size_t dot = name.rfind('.');
            return dot == std::string::npos ? std::string() : name.substr(dot + 1);
        }
        case TMacro::ProgDir: {
            std::string dir = WithBackslash(env_.programDir);
            bool shorten = shortNames_ == TShortNames::Always ||
                (shortNames_ == TShortNames::WhenSpaced && HasSpace(dir));
            return shorten ? WithBackslash(Short(dir)) : dir;
        }
        case TMacro::CurLine: return std::to_string(context_.line);
        case TMacro::CurCol: return std::to_string(context_.column);
        case TMacro::CurText: return context_.currentText;
        case TMacro::CurDir: return WithBackslash(env_.currentDir);
        }
        return {};
    }

private:
    // The document's path in the form the short-names choice asks for, never quoted.
    std::string FileName() const
    {
        const std::string& p = context_.filePath;
        if (p.empty()) return p;
        bool shorten =
            shortNames_ == TShortNames::Always || (shortNames_ == TShortNames::WhenSpaced && HasSpace(p));
        return shorten ? Short(p) : p;
    }

    std::string Short(const std::string& path) const
    {
        if (!env_.shortPath) return path;
        std::string s = env_.shortPath(path);
        return s.empty() ? path : s;
    }

    TShortNames shortNames_;
    const TToolContext& context_;
    const TToolEnvironment& env_;
};

}  // namespace

std::string ExpandToolArguments(const char* templ, TShortNames shortNames, const TToolContext& context,
                                const TToolEnvironment& env)
{
    const std::size_t limit = kToolArgumentsSize - 1;
    std::string text = templ != nullptr ? templ : "";
    if (text.size() > limit) text.resize(limit);
    TExpander expander(shortNames, context, env);
    std::size_t at = text.find('$');
    while (at != std::string::npos) {
        std::size_t next = at + 1;
        for (const auto& m : kMacros) {
            std::size_t length = std::strlen(m.text);
            if (text.compare(at, length, m.text) != 0) continue;
            text.erase(at, length);
            std::string value = expander.Value(m.macro);
            if (text.size() + value.size() <= limit) {
                text.insert(at, value);
                next = at + value.size();
            } else {
                next = at;
            }
            break;
        }
        at = text.find('$', next);
    }
    return text;
}
