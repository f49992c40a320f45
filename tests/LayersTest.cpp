// The include layering of the source tree: every include of every source file against layers.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// The rules of layers.txt.
struct TLayerRules {
    std::vector<std::string> layerNames;
    std::map<std::string, int> rank;  // folder -> its layer, 0 at the bottom
    std::set<std::pair<std::string, std::string>> uses;
    std::map<std::string, std::set<std::string>> apart;  // apart folder -> folders it may include
    std::set<std::string> interfaceHeaders;
    std::vector<std::string> idFolders;
    std::set<std::string> unchecked;

    bool Known(const std::string& folder) const { return rank.count(folder) || apart.count(folder); }
};

// Parses the text of layers.txt; an error names the line that could not be read.
bool ParseLayers(std::istream& in, TLayerRules* rules, std::string* error)
{
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        if (Words(line).empty()) continue;
        const std::size_t colon = line.find(':');
        const std::vector<std::string> head = Words(line.substr(0, colon == std::string::npos ? 0 : colon));
        const std::vector<std::string> list = Words(colon == std::string::npos ? "" : line.substr(colon + 1));
        const std::string kind = head.empty() ? "" : head[0];
        auto fail = [&] {
            *error = "layers.txt:" + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        };
        if (list.empty()) return fail();
        if (kind == "layer" && head.size() == 2) {
            const int layer = static_cast<int>(rules->layerNames.size());
            rules->layerNames.push_back(head[1]);
            for (const std::string& folder : list) {
                if (rules->Known(folder)) return fail();
                rules->rank[folder] = layer;
            }
        } else if (kind == "uses" && head.size() == 2) {
            for (const std::string& folder : list)
                rules->uses.insert({head[1], folder});
        } else if (kind == "apart" && head.size() == 2) {
            if (rules->Known(head[1])) return fail();
            rules->apart[head[1]].insert(list.begin(), list.end());
        } else if (kind == "interface" && head.size() == 2) {
            rules->interfaceHeaders.insert(list.begin(), list.end());
        } else if (kind == "ids" && head.size() == 1) {
            rules->idFolders.insert(rules->idFolders.end(), list.begin(), list.end());
        } else if (kind == "unchecked" && head.size() == 1) {
            rules->unchecked.insert(list.begin(), list.end());
        } else {
            return fail();
        }
    }
    for (const auto& [from, to] : rules->uses)
        if (!rules->rank.count(from) || !rules->rank.count(to) || rules->rank.at(from) != rules->rank.at(to)) {
            *error = "layers.txt: \"uses " + from + ": " + to + "\" does not name two folders of one layer";
            return false;
        }
    if (rules->layerNames.empty()) {
        *error = "layers.txt lists no layer";
        return false;
    }
    return true;
}

bool IsWin32Path(const std::string& path)
{
    return path.find("/win32/") != std::string::npos || path.rfind("win32/", 0) == 0;
}

std::string FirstSegment(const std::string& path)
{
    return path.substr(0, path.find('/'));
}

// Headers of the system that only Win32 code may include.
bool IsWindowsHeader(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    static const std::set<std::string> kHeaders = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h",
                                                   "shellapi.h", "shlobj.h",  "winspool.h", "mmsystem.h"};
    return kHeaders.count(name) != 0;
}

// The include on one line: its opening character ('"' or '<') and the header named; false for other lines.
bool ParseInclude(const std::string& line, char* open, std::string* header)
{
    const std::string blanks = " \t";
    std::size_t i = line.find_first_not_of(blanks);
    if (i == std::string::npos || line[i] != '#') return false;
    i = line.find_first_not_of(blanks, i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return false;
    i = line.find_first_not_of(blanks, i + 7);
    if (i == std::string::npos || (line[i] != '"' && line[i] != '<')) return false;
    const std::size_t end = line.find(line[i] == '"' ? '"' : '>', i + 1);
    if (end == std::string::npos) return false;
    *open = line[i];
    *header = line.substr(i + 1, end - i - 1);
    return true;
}

// Every include of one source file (path relative to the tree, with forward slashes) that breaks the
// rules, as "path:line: what". exists answers whether a path relative to the tree is a file.
template <class Exists>
std::vector<std::string> CheckIncludes(const TLayerRules& rules, const std::string& path, std::istream& text,
                                       Exists exists)
{
    std::vector<std::string> faults;
    const std::string folder = FirstSegment(path);
    const std::string ownDir = path.substr(0, path.rfind('/') + 1);
    // A folder standing apart is the control library: Windows code throughout, without a win32/ split.
    const bool win32 = IsWin32Path(path) || rules.apart.count(folder) != 0;
    int number = 0;
    for (std::string line; std::getline(text, line);) {
        ++number;
        char open;
        std::string header;
        if (!ParseInclude(line, &open, &header)) continue;
        auto fault = [&](const std::string& what) {
            faults.push_back(path + ":" + std::to_string(number) + ": includes " + header + ": " + what);
        };
        if (open == '<') {
            if (!win32 && IsWindowsHeader(header)) fault("a Windows header in portable code");
            continue;
        }
        const std::string target = FirstSegment(header);
        if (!rules.Known(target)) {
            bool found = exists(ownDir + header);
            for (const std::string& ids : rules.idFolders)
                found = found || exists(ids + "/" + header) || (header.rfind(ids + "/", 0) == 0 && exists(header));
            if (!found) fault("not a folder of layers.txt, an id header or a file beside this one");
            continue;
        }
        if (!win32 && IsWin32Path(header)) {
            fault("Win32 code included by portable code");
            continue;
        }
        if (target == folder) continue;
        if (rules.apart.count(folder)) {
            if (!rules.apart.at(folder).count(target))
                fault(folder + " stands apart and may not include " + target);
            continue;
        }
        if (rules.apart.count(target)) {
            if (!rules.interfaceHeaders.count(header)) fault("not the interface of " + target);
            continue;
        }
        const int own = rules.rank.at(folder);
        const int other = rules.rank.at(target);
        if (other > own)
            fault("layer " + rules.layerNames[static_cast<std::size_t>(other)] + " is above layer " +
                  rules.layerNames[static_cast<std::size_t>(own)]);
        else if (other == own && !rules.uses.count({folder, target}))
            fault(folder + " and " + target + " are peers and layers.txt has no \"uses " + folder + ": " +
                  target + "\"");
    }
    return faults;
}

const fs::path kRoot = VOK_SOURCE_DIR;

TLayerRules TreeRules()
{
    std::ifstream in(kRoot / "layers.txt");
    TLayerRules rules;
    std::string error;
    EXPECT_TRUE(in.is_open()) << (kRoot / "layers.txt");
    EXPECT_TRUE(ParseLayers(in, &rules, &error)) << error;
    return rules;
}

bool TreeFileExists(const std::string& relative)
{
    std::error_code ec;
    return fs::is_regular_file(kRoot / relative, ec);
}

bool IsSource(const fs::path& p)
{
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp";
}

// A small tree's rules written out, for the cases of the check itself.
TLayerRules SampleRules()
{
    std::istringstream in("layer base: base\n"
                          "layer engine: engine\n"
                          "layer subsystems: search keys macros\n"
                          "layer shell: shell\n"
                          "uses keys: macros\n"
                          "apart controls: base\n"
                          "interface controls: controls/VokCtl.h\n"
                          "ids: resources/ozm\n"
                          "unchecked: tests\n");
    TLayerRules rules;
    std::string error;
    EXPECT_TRUE(ParseLayers(in, &rules, &error)) << error;
    return rules;
}

std::vector<std::string> CheckSample(const std::string& path, const std::string& text)
{
    std::istringstream in(text);
    return CheckIncludes(SampleRules(), path, in,
                         [](const std::string& p) { return p == "resources/ozm/resource.h" || p == "shell/Near.h"; });
}

}  // namespace

TEST(LayerCheck, AcceptsIncludesDownwardsAndWithinAFolder)
{
    EXPECT_TRUE(CheckSample("shell/Settings.cpp", "#include \"shell/Settings.h\"\n#include \"engine/Options.h\"\n"
                                                  "#include \"search/Search.h\"\n#include <vector>\n")
                    .empty());
    EXPECT_TRUE(CheckSample("shell/win32/Frame.cpp", "#include <windows.h>\n#include \"base/win32/Dialog.h\"\n"
                                                     "#include \"controls/VokCtl.h\"\n#include \"resource.h\"\n")
                    .empty());
    EXPECT_TRUE(CheckSample("shell/Settings.cpp", "#include \"Near.h\"\n").empty());
    EXPECT_TRUE(CheckSample("controls/CtlLibrary.cpp", "#include \"resources/ozm/resource.h\"\n").empty());
}

TEST(LayerCheck, RefusesAnIncludeOfAHigherLayer)
{
    const std::vector<std::string> faults =
        CheckSample("engine/Cursor.cpp", "// cursor\n#include \"engine/VokEditor.h\"\n#include \"shell/Settings.h\"\n");
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "engine/Cursor.cpp:3: includes shell/Settings.h: layer shell is above layer engine");
    EXPECT_EQ(CheckSample("base/win32/Dialog.cpp", "#include \"engine/VokEditor.h\"\n").size(), 1u);
}

TEST(LayerCheck, PeersIncludeEachOtherOnlyWhereListed)
{
    EXPECT_TRUE(CheckSample("keys/KeymapFile.cpp", "#include \"macros/MacroTable.h\"\n").empty());
    EXPECT_EQ(CheckSample("macros/MacroTable.cpp", "#include \"keys/KeyMap.h\"\n").size(), 1u);
    EXPECT_EQ(CheckSample("search/Search.cpp", "  #  include \"keys/KeyMap.h\"\n").size(), 1u);
}

TEST(LayerCheck, PortableCodeStaysOffWin32)
{
    EXPECT_EQ(CheckSample("shell/Settings.cpp", "#include \"base/win32/Dialog.h\"\n").size(), 1u);
    EXPECT_EQ(CheckSample("shell/Settings.cpp", "#include \"shell/win32/Frame.h\"\n").size(), 1u);
    EXPECT_EQ(CheckSample("engine/Cursor.cpp", "#include <Windows.h>\n").size(), 1u);
}

TEST(LayerCheck, TheControlLibraryStandsApart)
{
    EXPECT_TRUE(CheckSample("controls/CtlButton.cpp", "#include \"base/win32/GdiTools.h\"\n").empty());
    EXPECT_EQ(CheckSample("controls/CtlButton.cpp", "#include \"engine/VokEditor.h\"\n").size(), 1u);
    EXPECT_EQ(CheckSample("shell/win32/Frame.cpp", "#include \"controls/CtlRules.h\"\n").size(), 1u);
}

TEST(LayerCheck, UnknownFoldersAreFaults)
{
    EXPECT_EQ(CheckSample("engine/Cursor.cpp", "#include \"tests/support/EngineFixture.h\"\n").size(), 1u);
}

TEST(LayerCheck, BadLayerFilesAreRefused)
{
    for (const char* text : {"layer base base\n", "floor base: base\n", "layer a: x\nlayer b: x\n",
                             "layer a: x\nlayer b: y\nuses x: y\n", "# nothing\n"}) {
        std::istringstream in(text);
        TLayerRules rules;
        std::string error;
        EXPECT_FALSE(ParseLayers(in, &rules, &error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

// Every folder of the tree that holds code is named in layers.txt, so a new folder cannot slip past.
TEST(SourceTreeLayers, EveryCodeFolderIsListed)
{
    const TLayerRules rules = TreeRules();
    for (const auto& [folder, layer] : rules.rank)
        EXPECT_TRUE(fs::is_directory(kRoot / folder)) << folder << " is listed but does not exist";
    for (const fs::directory_entry& top : fs::directory_iterator(kRoot)) {
        const std::string name = top.path().filename().string();
        if (!top.is_directory() || name.empty() || name[0] == '.' || name == "build") continue;
        bool hasCode = false;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(top.path()))
            hasCode = hasCode || (e.is_regular_file() && IsSource(e.path()));
        bool listed = rules.Known(name) || rules.unchecked.count(name) != 0;
        for (const std::string& ids : rules.idFolders)
            listed = listed || FirstSegment(ids) == name;
        EXPECT_TRUE(!hasCode || listed) << name << "/ holds code but layers.txt does not place it";
    }
}

TEST(SourceTreeLayers, NoFileIncludesAboveItsLayer)
{
    const TLayerRules rules = TreeRules();
    std::vector<std::string> faults;
    int files = 0;
    std::vector<std::string> folders;
    for (const auto& [folder, layer] : rules.rank)
        folders.push_back(folder);
    for (const auto& [folder, allowed] : rules.apart)
        folders.push_back(folder);
    for (const std::string& folder : folders) {
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(kRoot / folder)) {
            if (!e.is_regular_file() || !IsSource(e.path())) continue;
            const std::string relative = e.path().lexically_relative(kRoot).generic_string();
            std::ifstream in(e.path());
            std::vector<std::string> found = CheckIncludes(rules, relative, in, TreeFileExists);
            faults.insert(faults.end(), found.begin(), found.end());
            ++files;
        }
    }
    EXPECT_GT(files, 100);
    std::string report;
    for (const std::string& f : faults)
        report += "  " + f + "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " includes break layers.txt:\n" << report;
}
