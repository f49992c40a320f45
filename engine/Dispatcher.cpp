// ExecuteCommand: the one door through which keys, menus, macros and tests run editor commands.
#include "engine/VokEditor.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/CommandHosts.h"
#include "engine/Commands.h"
#include "engine/Transforms.h"

namespace {
TMacroHost* gMacroHost = nullptr;
TCommandHandler gHandlers[kLastCommandNumber + 1] = {};
}  // namespace

void SetMacroHost(TMacroHost* host)
{
    gMacroHost = host;
}

TMacroHost* MacroHost()
{
    return gMacroHost;
}

void SetCommandHandler(unsigned command, TCommandHandler handler)
{
    if (command <= kLastCommandNumber)
        gHandlers[command] = handler;
}

TCommandHandler CommandHandler(unsigned command)
{
    return command <= kLastCommandNumber ? gHandlers[command] : nullptr;
}

void TVokEditor::ExecuteCommand(unsigned c, unsigned a)
{
    c &= 0xFFFF;
    if (c != cmInsertChar)
        a = 0;
    if (c != cmUndo) {
        prevCommand = curCommand;
        curCommand = static_cast<uint16_t>(c);
    }
    Dispatch(c, a);
    // A run of any other command closes the top undo record to further merging.
    if (curCommand != mergeCommand_)
        mergeOpen_ = false;
}

void TVokEditor::Dispatch(unsigned c, unsigned a)
{
    if (c >= cmFirstMacro && c <= cmLastReserved) {
        if (c <= cmLastMacro && gMacroHost) {
            bool wasPlaying = playing;
            playing = true;
            gMacroHost->Play(*this, static_cast<int>(c - cmFirstMacro));
            playing = wasPlaying;
        }
        return;
    }
    const TCommandElement* command = FindCommand(c);
    if (command && (command->traits & kCmdOutsideMacros)) {
        if (command->run)
            command->run(*this, {a, false});
        return;
    }
    if (recording && gMacroHost)
        gMacroHost->RecordStep(*this, c, a);

    TUpdateBatch batch(*this);
    if (command)
        Perform(*command, a);
    EnsureCursorVisible();
}

void TVokEditor::Perform(const TCommandElement& command, unsigned a)
{
    // Plain movements extend the selection after StartSelect; the ...Select rows always do.
    TCommandCall call{a, selecting};
    const TCommandElement* row = &command;
    if (row->extends) {
        row = FindCommand(row->extends);
        call.extend = true;
    }
    // In line-draw mode the plain arrows draw; a selection being made still moves.
    if (lineDrawMode && !call.extend && row == &command) {
        switch (row->number) {
        case cmCursorLeft: LineDrawStep(*this, 1); return;
        case cmCursorRight: LineDrawStep(*this, 2); return;
        case cmCursorUp: LineDrawStep(*this, 3); return;
        case cmCursorDown: LineDrawStep(*this, 4); return;
        default: break;
        }
    }
    if (TCommandHandler handler = CommandHandler(row->number))
        handler(*this);
    else if (row->run)
        row->run(*this, call);
}

bool TVokEditor::CommandName(unsigned number, char* buffer, int size)
{
    if (size <= 0)
        return false;
    buffer[0] = 0;
    if (number >= cmFirstMacro && number <= cmLastReserved) {
        if (number > cmLastMacro || !gMacroHost)
            return false;
        return gMacroHost->Name(static_cast<int>(number - cmFirstMacro), buffer, size);
    }
    const TCommandElement* e = FindCommand(number);
    if (!e)
        return false;
    std::snprintf(buffer, static_cast<std::size_t>(size < 32 ? size : 32), "%s", e->name);
    return true;
}

unsigned TVokEditor::CommandNumber(const char* name, bool includeMacros)
{
    unsigned n = FindCommandByName(name);
    if (n == 0 && includeMacros && gMacroHost) {
        int index = gMacroHost->Find(name);
        if (index >= 0)
            n = cmFirstMacro + static_cast<unsigned>(index);
    }
    return n;
}

int TVokEditor::CommandArgumentKind(unsigned number)
{
    if (number == cmInsertChar)
        return kArgChar;
    if (number >= cmFirstMacro && number <= cmLastMacro) {
        char name[32];
        return gMacroHost && gMacroHost->Name(static_cast<int>(number - cmFirstMacro), name, sizeof name) ? 1 : 0;
    }
    const TCommandElement* e = FindCommand(number);
    return e ? e->argumentKind : 0;
}

int TVokEditor::CommandCategory(unsigned number)
{
    const TCommandElement* e = FindCommand(number);
    return e ? e->category : 0;
}

namespace {
// Matches " # include <name>" (or with quotes), blanks allowed around "#"; copies the name.
bool IncludeName(const char* text, char open, char close, std::string* name)
{
    const char* p = text;
    while (IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    if (*p++ != '#')
        return false;
    while (IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    if (std::strncmp(p, "include", 7) != 0)
        return false;
    p += 7;
    while (IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    if (*p++ != open)
        return false;
    const char* end = p;
    while (*end && *end != close && *end != '<' && *end != '>')
        ++end;
    if (*end != close || end == p)
        return false;
    name->assign(p, end);
    return true;
}

bool IsTokenChar(unsigned char c)
{
    return c > ' ' && c != '<' && c != '>' && c != '"' && c != '\'' && c != 127;
}
}  // namespace

void TVokEditor::FileNameAtCursor(char* buffer, int size)
{
    if (size <= 0)
        return;
    const char* text = curLine->text;
    std::string name;
    if (!IncludeName(text, '<', '>', &name) && !IncludeName(text, '"', '"', &name)) {
        const char* p = PointerAtColumn(text, curCol);
        while (p > text && IsSpaceByte(static_cast<unsigned char>(p[-1])) && !IsTokenChar(static_cast<unsigned char>(*p)))
            --p;
        while (p > text && IsTokenChar(static_cast<unsigned char>(p[-1])))
            --p;
        while (IsTokenChar(static_cast<unsigned char>(*p)))
            name += *p++;
    }
    for (char& ch : name)
        if (ch == '/')
            ch = '\\';
    std::snprintf(buffer, static_cast<std::size_t>(size), "%s", name.c_str());
}
