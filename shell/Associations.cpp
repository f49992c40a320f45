// The file associations the Associate dialog registers: which keys get which values for the chosen kinds.
#include "shell/Associations.h"

namespace {

struct TKindElement {
    const char* fileType;
    const char* description;
    const char* extensions[2];
};

// TXT, INI, INF and LOG have file types of their own; the source kinds share "ozmtxtfile".
const TKindElement kKinds[kFileKindCount] = {
    {"txtfile", "Text Document", {".txt", nullptr}},
    {"inifile", "Configuration Settings", {".ini", nullptr}},
    {"inffile", "Setup Information", {".inf", nullptr}},
    {"LogFileType", "Log File", {".log", nullptr}},
    {"ozmtxtfile", "Text File", {".c", nullptr}},
    {"ozmtxtfile", "Text File", {".cpp", ".cxx"}},
    {"ozmtxtfile", "Text File", {".h", nullptr}},
    {"ozmtxtfile", "Text File", {".asm", nullptr}},
    {"ozmtxtfile", "Text File", {".pas", nullptr}},
    {"ozmtxtfile", "Text File", {".prg", nullptr}},
    {"ozmtxtfile", "Text File", {".ch", nullptr}},
    {"ozmtxtfile", "Text File", {".inc", nullptr}},
};
constexpr int kFirstSourceKind = static_cast<int>(TFileKind::C);
constexpr const char* kOpenSubkey = "\\shell\\open\\command";

}  // namespace

std::string OpenCommandFor(const std::string& programPath)
{
    return "\"" + programPath + "\" \"%1\"";
}

std::vector<TRegistryEntry> AssociationEntries(unsigned checked, const std::string& openCommand)
{
    std::vector<TRegistryEntry> entries;
    auto on = [checked](int kind) { return (checked >> kind) & 1u; };
    for (int kind = 0; kind < kFirstSourceKind; ++kind) {
        if (!on(kind))
            continue;
        const TKindElement& k = kKinds[kind];
        entries.push_back({k.fileType, k.description});
        entries.push_back({std::string(k.fileType) + kOpenSubkey, openCommand});
        entries.push_back({k.extensions[0], k.fileType});
    }
    bool typeWritten = false;
    for (int kind = kFirstSourceKind; kind < kFileKindCount; ++kind) {
        if (!on(kind))
            continue;
        const TKindElement& k = kKinds[kind];
        if (!typeWritten) {
            entries.push_back({k.fileType, k.description});
            entries.push_back({std::string(k.fileType) + kOpenSubkey, openCommand});
            typeWritten = true;
        }
        for (const char* ext : k.extensions)
            if (ext)
                entries.push_back({ext, k.fileType});
    }
    return entries;
}
