// The run: checking everything that can fail before any file is touched, then each document in turn.
#include "batch/BatchRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "base/ByteStream.h"
#include "autocorrect/AutoCorrect.h"
#include "base/IniFile.h"
#include "batch/BatchEditor.h"
#include "batch/BatchFiles.h"
#include "batch/BatchKeys.h"
#include "batch/FileSystem.h"
#include "charset/CodePages.h"
#include "engine/Options.h"
#include "editor_window/LineLayout.h"
#include "engine/Transforms.h"
#include "engine/Undo.h"
#include "keys/KeyMap.h"
#include "keys/KeymapFile.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"
#include "search/DocumentSearch.h"
#include "search/Regex.h"
#include "search/Search.h"
#include "search/SearchState.h"
#include "shell/Settings.h"
#include "syntax/SyntaxColour.h"

namespace fs = std::filesystem;

namespace {

// A compiled piece of macro text, played as the editor plays a macro.
struct TCompiledMacro {
    std::vector<MacroStep> steps;
};

// Drains an output stream into a standard stream (the document sent to standard output).
class TStdOutStream final : public TOutStream {
public:
    explicit TStdOutStream(std::ostream& out) : out_(out) {}

protected:
    std::size_t Drain(const char* data, std::size_t size) override
    {
        out_.write(data, static_cast<std::streamsize>(size));
        return out_ ? size : 0;
    }
    bool SyncSink() override { return static_cast<bool>(out_.flush()); }

private:
    std::ostream& out_;
};

bool ReadWholeFile(const std::string& path, std::string* text)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in)
        return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string CannotOpen(const std::string& path)
{
    return "Cannot open " + path + " file.\n\nMake sure a disk is in the drive you specified.";
}

int FormatOf(TLineEndChoice choice, int detected)
{
    switch (choice) {
    case TLineEndChoice::Dos: return kFormatDos;
    case TLineEndChoice::Unix: return kFormatUnix;
    case TLineEndChoice::Mac: return kFormatMac;
    default: return detected;
    }
}

void PlaySteps(TVokEditor& ed, const TCompiledMacro& macro)
{
    const bool wasPlaying = ed.playing;
    ed.playing = true;
    {
        TUpdateBatch batch(ed);
        for (const MacroStep& step : macro.steps)
            ed.ExecuteCommand(step.command, step.argument);
    }
    ed.playing = wasPlaying;
}

// The run's state between preparing and processing the documents.
class TBatchRun {
public:
    TBatchRun(const TBatchOptions& options, TBatchIo io) : o_(options), io_(io) {}
    int Run();

private:
    // Each returns false after printing why the run cannot go on.
    bool LoadSettings();
    bool LoadKeymap();
    bool LoadAutoCorrect();
    bool Compile(const std::string& text, const std::string& source);
    bool PrepareRunMacro();
    bool PrepareKeys();
    bool CheckPattern();
    bool CheckOutput();
    bool CheckBackups();
    bool CompileMacroFiles();
    bool LoadSyntax();
    // The Convert Text table --convert names; false after saying why there is none.
    bool PrepareConvert();
    // False, after saying why, when path is a folder, a device or a pipe rather than a file to read.
    bool IsReadable(const std::string& path);
    void Fail(const std::string& text) { io_.err << "ozmbatch: " << OneLine(text) << "\n"; }

    // Loads into ed, runs, reports and writes one document; false when it could not be read or written.
    bool ProcessFile(const std::string& path, std::unique_ptr<TBatchEditor>& ed);
    void RunCommands(TBatchEditor& ed);
    bool Write(TBatchEditor& ed, const std::string& path, int format);
    TSearchQuery CountQuery() const;

    const TBatchOptions& o_;
    TBatchIo io_;
    TBatchAnswers answers_;
    TBatchClipboard clipboard_;
    std::vector<TCompiledMacro> macros_;
    unsigned runNumber_ = 0;
    std::vector<TKeyPress> keys_;
    bool outputIsFolder_ = false;
    TSyntaxTable syntax_;
    TMemoryCapsLock capsLock_;
    std::unique_ptr<TAutoCorrect> autoCorrect_;
};

bool TBatchRun::PrepareConvert()
{
    if (o_.convert.empty())
        return true;
    answers_.hasConvert = true;
    // Code pages 437 and 1252 stand for OEM and ANSI, so that a result does not depend on the machine.
    if (o_.convert == "oem2ansi") {
        OemToAnsiTable(answers_.convertTable);
        return true;
    }
    if (o_.convert == "ansi2oem") {
        AnsiToOemTable(answers_.convertTable);
        return true;
    }
    const std::string path = !o_.textCnv.empty() ? o_.textCnv
                             : o_.programDirectory.empty()
                                 ? std::string("TEXT.CNV")
                                 : (std::filesystem::path(o_.programDirectory) / "TEXT.CNV").string();
    std::vector<std::string> names;
    if (!ScanSectionNames(path, &names)) {
        Fail("Cannot open " + path + " file.\n\nMake sure the disk is not full or write-protected.");
        return false;
    }
    if (!ReadConvertTable(path, o_.convert, answers_.convertTable)) {
        Fail(path + ": no table named \"" + o_.convert + "\"");
        return false;
    }
    return true;
}

bool TBatchRun::IsReadable(const std::string& path)
{
    std::string reason = NotAFileReason(path);
    if (reason.empty())
        return true;
    Fail(path + ": " + reason);
    return false;
}

bool TBatchRun::LoadSettings()
{
    if (o_.settingsFile.empty())
        return true;
    if (!IsReadable(o_.settingsFile))
        return false;
    // A misspelt name would otherwise run everything with the defaults without a word.
    std::FILE* probe = std::fopen(o_.settingsFile.c_str(), "rb");
    if (!probe) {
        Fail(CannotOpen(o_.settingsFile));
        return false;
    }
    std::fclose(probe);
    TSettings& settings = ProgramSettings();
    settings.Load(TIniFile(o_.settingsFile));
    TSearchState& search = SearchState();
    for (int i = 0; i < kHistoryCount; ++i) {
        search.findHistory.Set(i, (*settings.findHistory)[i]);
        search.replaceHistory.Set(i, (*settings.replaceHistory)[i]);
    }
    return true;
}

bool TBatchRun::LoadAutoCorrect()
{
    if (o_.autoCorrectFile.empty())
        return true;
    if (!IsReadable(o_.autoCorrectFile))
        return false;
    std::FILE* probe = std::fopen(o_.autoCorrectFile.c_str(), "rb");
    if (!probe) {
        Fail(CannotOpen(o_.autoCorrectFile));
        return false;
    }
    std::fclose(probe);
    capsLock_.Set(o_.capsLock);
    autoCorrect_ = std::make_unique<TAutoCorrect>(Cp1250CharServices(), &capsLock_);
    const TIniFile lists(o_.autoCorrectFile);
    if (o_.settingsFile.empty()) {
        autoCorrect_->Load(lists, nullptr);
    } else {
        const TIniFile settings(o_.settingsFile);
        autoCorrect_->Load(lists, &settings);
    }
    answers_.autoCorrect = autoCorrect_.get();
    return true;
}

bool TBatchRun::LoadKeymap()
{
    if (o_.keymapFile.empty())
        return true;
    if (!IsReadable(o_.keymapFile))
        return false;
    TKeymapResult result = LoadKeymapFile(o_.keymapFile, ProgramKeyMap(), Macros());
    if (result == TKeymapResult::Ok)
        return true;
    std::string text = KeymapMessage(result, o_.keymapFile);
    Fail(text.empty() ? CannotOpen(o_.keymapFile) : text);
    return false;
}

bool TBatchRun::Compile(const std::string& text, const std::string& source)
{
    TStepArray steps;
    int line = 0;
    int code = CompileMacroText(text, steps, &line);
    if (code != kCompileOk) {
        Fail(source + ": " + CompileErrorMessage(code, line));
        return false;
    }
    TCompiledMacro macro;
    for (int i = 0; i < steps.Count(); ++i)
        macro.steps.push_back(steps.At(i));
    macros_.push_back(std::move(macro));
    return true;
}

bool TBatchRun::PrepareRunMacro()
{
    if (o_.runMacro.empty())
        return true;
    runNumber_ = Macros().FindMacroByName(o_.runMacro.c_str());
    if (!runNumber_) {
        Fail("no macro named \"" + o_.runMacro + "\" in the key map");
        return false;
    }
    return true;
}

bool TBatchRun::PrepareKeys()
{
    for (const std::string& text : o_.keys) {
        TKeyPress press;
        if (!ParseKeyPress(text, &press)) {
            Fail("unknown key \"" + text + "\"");
            return false;
        }
        keys_.push_back(press);
    }
    return true;
}

bool TBatchRun::CheckPattern()
{
    if (!o_.hasFind || !o_.regex)
        return true;
    int error = CheckSearchPattern(o_.findText.c_str(), true);
    if (error == kRegexOk)
        return true;
    const char* text = RegexErrorText(error);
    Fail(std::string(kRegexErrorPrefix) + (text ? text : "?"));
    return false;
}

bool TBatchRun::CheckOutput()
{
    if (!o_.hasOutput || o_.output == "-")
        return true;
    std::error_code ec;
    outputIsFolder_ = fs::is_directory(fs::path(o_.output), ec);
    if (o_.files.size() > 1 && !outputIsFolder_) {
        Fail("--output must be \"-\" or a folder when several files are given");
        return false;
    }
    return true;
}

// Each file written in place with --backup leaves its old text under its backup name; a backup name that
// is also a file of the run, or that two files share, would destroy a file that was never to be lost.
bool TBatchRun::CheckBackups()
{
    if (!o_.backup || o_.hasOutput || o_.count)
        return true;
    std::map<std::string, std::string> inputs;  // name key -> the file as given
    for (const std::string& path : o_.files) {
        std::string target;
        inputs.emplace(NameKey(WriteTarget(path, &target) ? target : path), path);
    }
    std::map<std::string, std::string> backups;
    for (const std::string& path : o_.files) {
        const std::string bak = BackupOf(path);
        const std::string key = NameKey(bak);
        auto input = inputs.find(key);
        if (input != inputs.end()) {
            if (input->second == path)
                Fail("--backup: the backup of " + path + " would be " + bak + ", the file itself");
            else
                Fail("--backup: the backup of " + path + " would be " + bak + ", which is also given as " +
                     input->second);
            return false;
        }
        auto [other, fresh] = backups.emplace(key, path);
        if (!fresh) {
            Fail("--backup: " + other->second + " and " + path + " would both be backed up as " + bak);
            return false;
        }
    }
    return true;
}

bool TBatchRun::CompileMacroFiles()
{
    for (const std::string& file : o_.macroFiles) {
        if (!IsReadable(file))
            return false;
        std::string text;
        if (!ReadWholeFile(file, &text)) {
            Fail(CannotOpen(file));
            return false;
        }
        if (!Compile(text, file))
            return false;
    }
    return true;
}

void TBatchRun::RunCommands(TBatchEditor& ed)
{
    for (const TCompiledMacro& macro : macros_)
        PlaySteps(ed, macro);
    if (runNumber_)
        ed.ExecuteCommand(runNumber_, 0);
    uint16_t prefixState = 0;
    for (const TKeyPress& press : keys_)
        RunKeyPress(ed, ProgramKeyMap(), press, prefixState);
}

TSearchQuery TBatchRun::CountQuery() const
{
    TSearchQuery query;
    query.text = o_.findText.c_str();
    query.matchCase = o_.matchCase;
    query.wholeWord = o_.wholeWord;
    query.regex = o_.regex;
    return query;
}

bool TBatchRun::Write(TBatchEditor& ed, const std::string& path, int format)
{
    TFileResult result;
    std::string target = path;
    if (o_.hasOutput && o_.output == "-") {
        TStdOutStream out(io_.out);
        result = WriteDocument(ed, out, format);
        target = o_.output;
    } else {
        if (o_.hasOutput)
            target = outputIsFolder_ ? (fs::path(o_.output) / fs::path(path).filename()).string() : o_.output;
        const bool inPlace = !o_.hasOutput;
        result = WriteDocument(ed, target, format, o_.backup && inPlace);
    }
    if (!result.ok)
        io_.err << target << ": " << OneLine(result.message) << "\n";
    return result.ok;
}

bool TBatchRun::ProcessFile(const std::string& path, std::unique_ptr<TBatchEditor>& ed)
{
    auto sink = [this, path](const std::string& text) { io_.err << path << ": " << OneLine(text) << "\n"; };
    ed = std::make_unique<TBatchEditor>(clipboard_, answers_, sink);
    // The states are computed while loading, so the language is chosen first, as the window does.
    ed->SetLanguage(&syntax_, FindLanguage(syntax_, path.c_str()));
    int detected = EngineOptions().defaultFileFormat;
    // An imported text has CR LF line ends.
    if (o_.import)
        detected = 0;
    TFileResult loaded = o_.import ? ImportDocumentInto(*ed, path, EngineOptions().wordWrapColumn, TabSize())
                                   : LoadDocument(*ed, path, EngineOptions().detectFileFormat, &detected);
    if (!loaded.ok) {
        sink(loaded.message);
        return false;
    }
    bool binary = false;
    bool split = false;
    for (const std::string& m : ed->Messages()) {
        binary = binary || m == EngineErrorText(kErrBinaryFile);
        split = split || m == EngineErrorText(kErrLongLinesSplit);
    }

    RunCommands(*ed);
    const int format = FormatOf(o_.format, detected);
    const bool modified = ed->modified;

    // The report shows the document as the commands left it, before counting moves the cursor.
    const std::string report = o_.report ? FormatReport(*ed, path, format, modified) : std::string();
    if (o_.count) {
        TMatchCount count = CountMatches(*ed, CountQuery());
        if (o_.files.size() > 1)
            io_.out << "file: " << path << "\n";
        io_.out << "matches: " << count.matches << "\n" << "lines: " << count.lines << "\n";
    }
    io_.out << report;
    if (o_.colours) {
        if (o_.files.size() > 1 && !o_.count)
            io_.out << "file: " << path << "\n";
        io_.out << FormatColours(*ed, TabSize());
    }
    if (o_.count)
        return true;

    const bool write = modified || format != detected || o_.hasOutput;
    if (!write)
        return true;
    // Zero bytes were loaded as blanks: writing over the file would change every one of them.
    if (binary && !o_.hasOutput) {
        io_.err << path << ": not written: it holds zero bytes that saving would turn into blanks\n";
        return false;
    }
    // The pieces would be written as lines of their own: every long line would gain a line break.
    if (split && !o_.hasOutput) {
        io_.err << path << ": not written: lines longer than 1024 columns were split on loading\n";
        return false;
    }
    return Write(*ed, path, format);
}

bool TBatchRun::LoadSyntax()
{
    if (!o_.syntaxFile.empty()) {
        // A file the user named and that is not there is a mistake, not a wish for no colours.
        if (!IsReadable(o_.syntaxFile))
            return false;
        if (!fs::exists(fs::path(o_.syntaxFile))) {
            Fail(CannotOpen(o_.syntaxFile));
            return false;
        }
        LoadSyntaxTable(syntax_, o_.syntaxFile.c_str());
    } else if (!o_.programPath.empty()) {
        const fs::path beside = fs::path(o_.programPath).parent_path() / "syntax.hgl";
        LoadSyntaxTable(syntax_, beside.string().c_str());
    }
    return true;
}

int TBatchRun::Run()
{
    answers_.hasFind = o_.hasFind;
    answers_.findText = o_.findText;
    answers_.hasReplace = o_.hasReplace;
    answers_.replaceText = o_.replaceText;
    answers_.regex = o_.regex;
    answers_.matchCase = o_.matchCase;
    answers_.wholeWord = o_.wholeWord;
    answers_.up = o_.up;
    answers_.replaceAll = o_.replaceAll;
    answers_.prompt = !o_.noPrompt;
    answers_.hasSortKey = o_.hasSortKey;
    answers_.sortColumn = o_.sortColumn;
    answers_.sortLength = o_.sortLength;
    answers_.hasFill = o_.hasFill;
    answers_.fillText = o_.fillText;
    answers_.selectionOnly = o_.selectionOnly;
    answers_.hasLineStyle = o_.hasLineStyle;
    answers_.lineStyle = o_.lineStyle;
    answers_.lineChar = o_.lineChar;
    answers_.print = [this](const std::string& text) { io_.out << text; };
    TTransformOptions& transforms = TransformOptions();
    transforms.sort.numeric = o_.sortNumeric;
    transforms.sort.descending = o_.descending;
    if (o_.hasLineStyle) {
        transforms.lineDrawStyle = o_.lineStyle;
        transforms.lineDrawChar = o_.lineChar;
    }
    if (!PrepareConvert())
        return kExitFailed;

    if (!LoadSettings() || !LoadKeymap() || !LoadAutoCorrect())
        return kExitFailed;
    if (!CheckOutput() || !CheckBackups())
        return kExitUsage;
    if (!CompileMacroFiles())
        return kExitFailed;
    for (const std::string& line : o_.commands)
        if (!Compile(line, "--command \"" + line + "\""))
            return kExitFailed;
    if (!PrepareRunMacro() || !PrepareKeys() || !CheckPattern() || !LoadSyntax())
        return kExitFailed;

    if (o_.listKeys)
        for (const std::string& line : KeyBindingLines(ProgramKeyMap()))
            io_.out << line << "\n";

    int exitCode = kExitOk;
    for (std::size_t i = 0; i < o_.files.size(); ++i) {
        std::unique_ptr<TBatchEditor> ed;
        if (!ProcessFile(o_.files[i], ed))
            exitCode = kExitFailed;
        if (i + 1 == o_.files.size() && io_.keepLast && ed)
            *io_.keepLast = std::move(ed);
    }
    // A report or a count that never arrived must not pass for one that did.
    if (!io_.out.flush()) {
        Fail("cannot write to standard output");
        return kExitFailed;
    }
    return exitCode;
}

}  // namespace

std::string OneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            line += "\\n";
        else
            line += text[i];
    }
    return line;
}

std::string FormatReport(const TBatchEditor& ed, const std::string& path, int format, bool modified)
{
    std::ostringstream r;
    r << "file: " << path << "\n";
    r << "lines: " << ed.lastLine + 1 << "\n";
    r << "format: " << FormatName(format) << "\n";
    r << "modified: " << (modified ? 1 : 0) << "\n";
    r << "cursor: " << ed.curLineNo + 1 << " " << ed.curCol + 1 << "\n";
    if (!ed.selShown)
        r << "selection: none\n";
    else
        r << "selection: " << (ed.columnMode ? "column " : "stream ") << ed.selStartLine + 1 << " "
          << ed.selStartCol + 1 << " " << ed.selEndLine + 1 << " " << ed.selEndCol + 1 << "\n";
    r << "undo: " << UndoKindLabel(ed.UndoKind()) << "\n";
    for (const std::string& m : ed.Messages())
        r << "message: " << OneLine(m) << "\n";
    return r.str();
}

std::string FormatColours(const TBatchEditor& ed, int tabSize)
{
    std::string out;
    std::vector<uint8_t> colours;
    int32_t number = 1;
    for (const LineRecord* line = ed.firstLine; line; line = line->next, ++number) {
        const std::string display = ExpandForDisplay(line->text, tabSize, nullptr, nullptr);
        const int state = line->prev ? line->prev->state : 0;
        colours.assign(display.size(), 0);
        ColourLine(ed.Language(), display.data(), display.size(), colours.data(), state);
        out += "colours " + std::to_string(number) + ": ";
        out += ColourDigits(colours.data(), colours.size());
        out += '\n';
    }
    return out;
}

TMatchCount CountMatches(TVokEditor& ed, const TSearchQuery& base)
{
    TMatchCount count;
    TSearchQuery query = base;
    query.down = true;
    query.skipEmptyAtStart = false;
    TPosition start{0, 0};
    int32_t lastMatchLine = -1;
    TSearchMatch match;
    TDocumentSearch search(ed, query);
    while (search.Find(start, query.skipEmptyAtStart, &match)) {
        const TPosition next{match.endCol, match.line};
        // Find Next passes over an empty match at its starting point, so the count always moves on; a
        // match that did not would be counted without end.
        if (query.skipEmptyAtStart && !(start < next))
            break;
        ++count.matches;
        if (match.line != lastMatchLine) {
            ++count.lines;
            lastMatchLine = match.line;
        }
        start = next;
        query.skipEmptyAtStart = true;
        // As Find does, the cursor follows the matches: the next search then finds its line at once
        // instead of walking the whole line list from the top.
        ed.GotoPosition(next.col, next.line, false);
    }
    return count;
}

int RunBatch(const TBatchOptions& options, TBatchIo io)
{
    EngineOptions() = TEngineOptions{};
    TransformOptions() = TTransformOptions{};
    ProgramKeyMap().SetDefaults();
    ProgramKeyMap().SetModified(false);
    Macros().Clear();
    SearchState() = TSearchState{};
    InstallMacroHost();
    InstallSearchCommands();
    TBatchRun run(options, io);
    return run.Run();
}
