// The command line of ozmbatch: what to load, what to run on each document and how to write it.
#pragma once

#include <string>
#include <vector>

// How line ends are written: as detected on loading, or one fixed format.
enum class TLineEndChoice { Keep, Dos, Unix, Mac };

// Everything the command line asks for, checked for shape but not yet against files or the key map.
struct TBatchOptions {
    std::string settingsFile;
    std::string keymapFile;
    std::vector<std::string> macroFiles;  // run in order, before the commands
    std::vector<std::string> commands;  // one line of macro text each, run in order
    std::string runMacro;
    std::vector<std::string> keys;  // key texts, one press each
    bool hasFind = false;
    std::string findText;
    bool hasReplace = false;
    std::string replaceText;
    bool regex = false;
    bool matchCase = false;
    bool wholeWord = false;
    bool up = false;
    bool replaceAll = false;
    bool noPrompt = false;
    TLineEndChoice format = TLineEndChoice::Keep;
    bool hasOutput = false;
    std::string output;  // "-" for standard output
    bool backup = false;
    bool report = false;
    bool import = false;
    bool count = false;
    bool listKeys = false;
    bool help = false;
    // Syntax colouring: the definitions file (empty: syntax.hgl beside the program) and whether to print
    // every line's colours.
    std::string syntaxFile;
    bool colours = false;
    std::string programPath;  // the running program, for the files shipped beside it
    // The answers of the transforms' dialogs.
    bool hasSortKey = false;
    int sortColumn = 1;  // 1-based
    int sortLength = 0;  // 0: as the range proposes
    bool sortNumeric = false;
    bool descending = false;
    bool hasFill = false;
    std::string fillText;
    bool hasLineStyle = false;
    int lineStyle = 1;
    char lineChar = ' ';
    std::string convert;  // oem2ansi, ansi2oem or a section of the TEXT.CNV file
    std::string textCnv;  // that file; empty: TEXT.CNV beside the program
    bool selectionOnly = false;
    std::string autoCorrectFile;  // the AutoCorrect lists; empty: AutoCorrect is off
    bool capsLock = false;  // Caps Lock is on when the run starts
    std::string programDirectory;  // where the default TEXT.CNV is looked for; set by the program
    std::vector<std::string> files;
};

// The outcome of reading the command line: ok, or the reason it is not usable.
struct TParseResult {
    bool ok = true;
    std::string error;  // for the user, without the program name
};

// Reads args (without the program name). Long options take their value as the next argument or after
// "="; short ones as the next argument. "--" ends the options.
TParseResult ParseBatchOptions(const std::vector<std::string>& args, TBatchOptions* options);

// Splits a --keys value at blanks into key texts.
std::vector<std::string> SplitKeyTexts(const std::string& text);

// The help text printed by --help and after a usage error.
const char* BatchUsage();
