// Reading ozmbatch's command line into TBatchOptions.
#include "batch/BatchOptions.h"

#include <cstring>

namespace {

// The Find and Replace fields hold at most this many characters.
constexpr std::size_t kFieldLimit = 79;

enum class TValue { None, Required };

struct TOptionElement {
    const char* longName;
    char shortName;  // 0 when there is none
    TValue value;
};

const TOptionElement kOptionTable[] = {
    {"settings", 's', TValue::Required}, {"keymap", 'k', TValue::Required},
    {"macro", 'm', TValue::Required},    {"command", 'c', TValue::Required},
    {"run", 'r', TValue::Required},      {"keys", 'K', TValue::Required},
    {"find", 0, TValue::Required},       {"replace", 0, TValue::Required},
    {"regex", 0, TValue::None},          {"case", 0, TValue::None},
    {"word", 0, TValue::None},           {"up", 0, TValue::None},
    {"all", 0, TValue::None},            {"no-prompt", 0, TValue::None},
    {"format", 'f', TValue::Required},   {"output", 'o', TValue::Required},
    {"backup", 0, TValue::None},         {"report", 0, TValue::None},
    {"import", 0, TValue::None},         {"count", 0, TValue::None},
    {"list-keys", 0, TValue::None},      {"help", 'h', TValue::None},
    {"syntax", 0, TValue::Required},     {"colours", 0, TValue::None},
    {"sort-key", 0, TValue::Required},   {"sort", 0, TValue::Required},
    {"descending", 0, TValue::None},     {"fill", 0, TValue::Required},
    {"line-style", 0, TValue::Required}, {"convert", 0, TValue::Required},
    {"text-cnv", 0, TValue::Required},   {"selection-only", 0, TValue::None},
    {"autocorrect", 0, TValue::Required}, {"caps-lock", 0, TValue::None},
};

const TOptionElement* FindLong(const std::string& name)
{
    for (const TOptionElement& e : kOptionTable)
        if (name == e.longName)
            return &e;
    return nullptr;
}

const TOptionElement* FindShort(char c)
{
    for (const TOptionElement& e : kOptionTable)
        if (e.shortName && e.shortName == c)
            return &e;
    return nullptr;
}

TParseResult Fail(std::string text)
{
    return {false, std::move(text)};
}

bool ParseFormat(const std::string& text, TLineEndChoice* choice)
{
    static const struct {
        const char* name;
        TLineEndChoice choice;
    } kFormats[] = {{"keep", TLineEndChoice::Keep},
                    {"dos", TLineEndChoice::Dos},
                    {"unix", TLineEndChoice::Unix},
                    {"mac", TLineEndChoice::Mac}};
    for (const auto& f : kFormats)
        if (text == f.name) {
            *choice = f.choice;
            return true;
        }
    return false;
}

// A whole decimal number from lo to hi.
bool ParseNumber(const std::string& text, int lo, int hi, int* value)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::stoi(text);
    return *value >= lo && *value <= hi;
}

// --sort-key COL[,LEN] and --line-style N[,CHAR].
std::string ParseSortKey(const std::string& value, TBatchOptions* o)
{
    const std::size_t comma = value.find(',');
    const std::string column = value.substr(0, comma);
    if (!ParseNumber(column, 1, 1024, &o->sortColumn) ||
        (comma != std::string::npos && !ParseNumber(value.substr(comma + 1), 1, 31, &o->sortLength)))
        return "--sort-key takes COLUMN[,LENGTH]: a column of 1 to 1024 and a length of 1 to 31, not \"" +
               value + "\"";
    o->hasSortKey = true;
    return {};
}

std::string ParseLineStyle(const std::string& value, TBatchOptions* o)
{
    const std::size_t comma = value.find(',');
    const std::string rest = comma == std::string::npos ? std::string() : value.substr(comma + 1);
    if (!ParseNumber(value.substr(0, comma), 0, 6, &o->lineStyle) ||
        (comma != std::string::npos && (rest.size() != 1 || static_cast<unsigned char>(rest[0]) < 32)))
        return "--line-style takes N[,CHAR]: a style of 0 to 6 and one character, not \"" + value + "\"";
    if (!rest.empty())
        o->lineChar = rest[0];
    o->hasLineStyle = true;
    return {};
}

// Stores one option's value; an empty error means it was accepted.
std::string Apply(const TOptionElement& e, const std::string& value, TBatchOptions* o)
{
    const std::string name = e.longName;
    if (name == "settings") o->settingsFile = value;
    else if (name == "keymap") o->keymapFile = value;
    else if (name == "macro") o->macroFiles.push_back(value);
    else if (name == "command") o->commands.push_back(value);
    else if (name == "run") o->runMacro = value;
    else if (name == "keys") {
        std::vector<std::string> keys = SplitKeyTexts(value);
        o->keys.insert(o->keys.end(), keys.begin(), keys.end());
    } else if (name == "find") {
        o->hasFind = true;
        o->findText = value;
    } else if (name == "replace") {
        o->hasReplace = true;
        o->replaceText = value;
    } else if (name == "regex") o->regex = true;
    else if (name == "case") o->matchCase = true;
    else if (name == "word") o->wholeWord = true;
    else if (name == "up") o->up = true;
    else if (name == "all") o->replaceAll = true;
    else if (name == "no-prompt") o->noPrompt = true;
    else if (name == "format") {
        if (!ParseFormat(value, &o->format))
            return "--format takes keep, dos, unix or mac, not \"" + value + "\"";
    } else if (name == "output") {
        o->hasOutput = true;
        o->output = value;
    } else if (name == "backup") o->backup = true;
    else if (name == "report") o->report = true;
    else if (name == "import") o->import = true;
    else if (name == "count") o->count = true;
    else if (name == "list-keys") o->listKeys = true;
    else if (name == "help") o->help = true;
    else if (name == "syntax") {
        if (value.empty())
            return "--syntax needs a file";
        o->syntaxFile = value;
    } else if (name == "colours") o->colours = true;
    else if (name == "sort-key") return ParseSortKey(value, o);
    else if (name == "sort") {
        if (value != "alpha" && value != "numeric")
            return "--sort takes alpha or numeric, not \"" + value + "\"";
        o->sortNumeric = value == "numeric";
    } else if (name == "descending") o->descending = true;
    else if (name == "fill") {
        if (value.empty() || value.size() > 32)
            return "--fill takes a text of 1 to 32 characters";
        o->hasFill = true;
        o->fillText = value;
    } else if (name == "line-style") return ParseLineStyle(value, o);
    else if (name == "convert") {
        if (value.empty())
            return "--convert takes oem2ansi, ansi2oem or the name of a table of TEXT.CNV";
        o->convert = value;
    } else if (name == "text-cnv") o->textCnv = value;
    else if (name == "selection-only") o->selectionOnly = true;
    else if (name == "autocorrect") {
        if (value.empty())
            return "--autocorrect takes the AutoCorrect file to load";
        o->autoCorrectFile = value;
    } else if (name == "caps-lock") o->capsLock = true;
    return {};
}

// Combinations that cannot mean anything sensible.
TParseResult Check(const TBatchOptions& o)
{
    if (o.help)
        return {};
    // A cut search text would quietly search for something else than the user asked.
    if (o.findText.size() > kFieldLimit)
        return Fail("--find holds at most 79 characters");
    if (o.replaceText.size() > kFieldLimit)
        return Fail("--replace holds at most 79 characters");
    if (o.hasFind && o.findText.empty())
        return Fail("--find needs a text to search for");
    if (o.count && !o.hasFind)
        return Fail("--count needs --find");
    if (o.count && o.hasOutput)
        return Fail("--count writes nothing; --output does not go with it");
    // An imported document is never written back over its source.
    if (o.import && !o.hasOutput)
        return Fail("--import needs --output: an imported document is not written over its source");
    if (o.files.empty() && !o.listKeys)
        return Fail("no file given");
    return {};
}

}  // namespace

std::vector<std::string> SplitKeyTexts(const std::string& text)
{
    std::vector<std::string> keys;
    std::string current;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!current.empty())
                keys.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        keys.push_back(current);
    return keys;
}

TParseResult ParseBatchOptions(const std::vector<std::string>& args, TBatchOptions* options)
{
    TBatchOptions& o = *options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const TOptionElement* e = nullptr;
        std::string value;
        bool hasInlineValue = false;
        if (arg[1] == '-') {
            std::string name = arg.substr(2);
            std::size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
                hasInlineValue = true;
            }
            e = FindLong(name);
            if (!e)
                return Fail("unknown option \"" + arg + "\"");
            if (hasInlineValue && e->value == TValue::None)
                return Fail("--" + name + " takes no value");
        } else {
            if (arg.size() != 2)
                return Fail("unknown option \"" + arg + "\"");
            e = FindShort(arg[1]);
            if (!e)
                return Fail("unknown option \"" + arg + "\"");
        }
        if (e->value == TValue::Required && !hasInlineValue) {
            if (i + 1 >= args.size())
                return Fail(std::string("--") + e->longName + " needs a value");
            value = args[++i];
        }
        std::string error = Apply(*e, value, &o);
        if (!error.empty())
            return Fail(error);
    }
    return Check(o);
}

const char* BatchUsage()
{
    return "usage: ozmbatch [options] FILE...\n"
           "  -s, --settings FILE     read options from this settings file\n"
           "  -k, --keymap FILE       load key map and macros from this keymap file\n"
           "  -m, --macro FILE        macro text in the Edit Macro form, compiled and run\n"
           "                          (repeatable: the files run in order)\n"
           "  -c, --command LINE      one line of macro text (repeatable), run after --macro\n"
           "  -r, --run NAME          run the macro of that name from the keymap file\n"
           "  -K, --keys \"K1 K2 ...\"  key presses by their key texts, through the key map\n"
           "      --find TEXT         what the Find and Replace dialogs answer\n"
           "      --replace TEXT\n"
           "      --regex --case --word --up --all --no-prompt\n"
           "                          regular expression, match case, whole word, search up,\n"
           "                          replace all, no prompt on replace (a prompt is answered Yes)\n"
           "  -f, --format keep|dos|unix|mac   line ends on writing\n"
           "  -o, --output PATH       write the result there (\"-\": standard output; a folder\n"
           "                          for several files) instead of in place\n"
           "      --backup            keep a \".bak\" of a file written in place (refused when\n"
           "                          two files would share one or a file would be its own)\n"
           "      --report            print file, lines, format, modified, cursor, selection,\n"
           "                          undo and messages of each document\n"
           "      --count             count the matches of --find and the lines holding them\n"
           "      --list-keys         print every key binding of the loaded map\n"
           "      --syntax FILE       syntax definitions (default: syntax.hgl beside the program)\n"
           "      --colours           print each line's colours after the commands, one character\n"
           "                          per display column: 0-9 and a-g for colours 10-16\n"
           "      --sort-key COL[,LEN]  the Sort dialog's key: 1-based column and length (1..31)\n"
           "      --sort alpha|numeric  --descending   the Sort dialog's order\n"
           "      --fill TEXT         the Fill Block dialog's string (1..32 characters)\n"
           "      --line-style N[,CHAR]  line-draw style 0..6 (0: CHAR) for the arrow keys in\n"
           "                          line-draw mode and the Line Draw Style dialog\n"
           "      --convert oem2ansi|ansi2oem|NAME  the Convert Text dialog's table: code page 437\n"
           "                          to 1252 or back, or the section NAME of TEXT.CNV\n"
           "      --text-cnv FILE     the TEXT.CNV file (default: the one beside the program)\n"
           "      --selection-only    Convert Text changes only the selection\n"
           "      --autocorrect FILE  correct typed words from this AutoCorrect file (its flags and\n"
           "                          Language from section AutoCorrect of --settings)\n"
           "      --caps-lock         Caps Lock is on when the run starts\n"
           "                          WordCount prints \"words: LINES NONBLANK PARAGRAPHS WORDS CHARS\"\n"
           "      --import            each FILE is a word-processor document (Word, Write,\n"
           "                          WordPerfect 5.x, Ami Pro, WordStar): its text is imported,\n"
           "                          reflowed to WordWrapColumn and TabSize; needs --output\n"
           "  -h, --help              this text\n"
           "Exit code: 0 success; 1 a file, macro, key text or command failed; 2 bad usage.\n";
}
