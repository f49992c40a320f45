// ExecuteCommand: the one door through which keys, menus, macros and tests run editor commands.
#include "engine/VokEditor.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/CommandHosts.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/UndoStep.h"

namespace {
TMacroHost* gMacroHost = nullptr;
TCommandHandler gHandlers[301] = {};
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
    if (command <= 300)
        gHandlers[command] = handler;
}

TCommandHandler CommandHandler(unsigned command)
{
    return command <= 300 ? gHandlers[command] : nullptr;
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
    if (c == cmNullCmd)
        return;
    if (c == cmRecordMacro || c == cmMacroStopRecorder || c == cmMacro) {
        if (c == cmRecordMacro && !recording && gMacroHost)
            gMacroHost->StartRecording(*this);
        else if (c == cmMacroStopRecorder && recording && gMacroHost)
            gMacroHost->StopRecording(*this);
        else if (c == cmMacro && !recording)
            MacroDialog();
        return;
    }
    if (recording && gMacroHost)
        gMacroHost->RecordStep(*this, c, a);

    TUpdateBatch batch(*this);
    if (c <= 300)
        Perform(c, a);
    EnsureCursorVisible();
}

void TVokEditor::Perform(unsigned c, unsigned a)
{
    const bool ext = selecting;  // plain movements extend after StartSelect
    TEngineOptions& opt = EngineOptions();

    if (c >= cmSetMark0 && c <= cmSetMark9) {
        SetMark(static_cast<int>(c - cmSetMark0));
        return;
    }
    if (c >= cmGotoMark0 && c <= cmGotoMark9) {
        GotoMark(static_cast<int>(c - cmGotoMark0));
        return;
    }
    if (c >= cmUserTool1 && c <= cmUserTool9) {
        UserTool(static_cast<int>(c - cmUserTool1));
        return;
    }
    if (TCommandHandler handler = CommandHandler(c)) {
        handler(*this);
        return;
    }

    switch (c) {
    case cmInsertChar: InsertChar(static_cast<int>(a)); break;
    case cmBackTab: BackTab(); break;
    case cmInsertSymbol: InsertSymbolCmd(); break;
    case cmTab: TabCmd(); break;
    case cmBackspace: Backspace(); break;
    case cmDelete: DeleteCmd(); break;
    case cmDeleteChar: DeleteChar(); break;
    case cmDeleteBlock: DeleteBlock(); break;
    case cmDeleteWord: DeleteWord(); break;
    case cmDeleteToEOL: DeleteToEOL(); break;
    case cmDeleteToBOL: DeleteToBOL(); break;
    case cmDeleteLine: DeleteLine(); break;
    case cmDeleteWordBack: DeleteWordBack(); break;
    case cmNewLine: NewLine(); break;
    case cmInsertLine: InsertLineCmd(); break;
    case cmDupLine: DupLine(); break;
    case cmJoinLine: JoinLine(); break;
    case cmCenterLine: CenterLine(); break;
    case cmInsertComment: InsertComment(false); break;
    case cmInsertCommentLight: InsertComment(true); break;
    case cmInsertTimeDate: InsertTimeDate(true, true); break;
    case cmInsertTime: InsertTimeDate(true, false); break;
    case cmInsertDate: InsertTimeDate(false, true); break;

    case cmCursorLeft: CursorLeft(ext); break;
    case cmCursorRight: CursorRight(ext); break;
    case cmCursorUp: CursorUp(ext); break;
    case cmCursorDown: CursorDown(ext); break;
    case cmPageUp: PageUp(ext); break;
    case cmPageDown: PageDown(ext); break;
    case cmLineStart: LineStart(ext); break;
    case cmLineEnd: LineEnd(ext); break;
    case cmWordLeft: WordLeft(ext); break;
    case cmWordRight: WordRight(ext); break;
    case cmTextStart: TextStart(ext); break;
    case cmTextEnd: TextEnd(ext); break;
    case cmTopOfWindow: TopOfWindow(ext); break;
    case cmBottomOfWindow: BottomOfWindow(ext); break;
    case cmScrollUp: ScrollUp(); break;
    case cmScrollDown: ScrollDown(); break;
    case cmFirstNonBlank: FirstNonBlank(); break;
    case cmParaUp: ParaUp(ext); break;
    case cmParaDown: ParaDown(ext); break;

    case cmLeftSelect: CursorLeft(true); break;
    case cmRightSelect: CursorRight(true); break;
    case cmUpSelect: CursorUp(true); break;
    case cmDownSelect: CursorDown(true); break;
    case cmPageUpSelect: PageUp(true); break;
    case cmPageDownSelect: PageDown(true); break;
    case cmLineStartSelect: LineStart(true); break;
    case cmLineEndSelect: LineEnd(true); break;
    case cmWordLeftSelect: WordLeft(true); break;
    case cmWordRightSelect: WordRight(true); break;
    case cmTextStartSelect: TextStart(true); break;
    case cmTextEndSelect: TextEnd(true); break;
    case cmTopOfWindowSelect: TopOfWindow(true); break;
    case cmBottomOfWindowSelect: BottomOfWindow(true); break;
    case cmParaUpSelect: ParaUp(true); break;
    case cmParaDownSelect: ParaDown(true); break;
    case cmStartSelect: StartSelect(); break;
    case cmEndSelect: EndSelect(); break;
    case cmHideSelect: HideSelection(); break;
    case cmSelectWord: SelectWord(); break;
    case cmSelectLine: SelectLine(); break;
    case cmSelectAll: SelectAll(); break;
    case cmSelectPara: SelectPara(); break;
    case cmSetCharSelMode: SetSelMode(false); break;
    case cmSetColumnSelMode: SetSelMode(true); break;

    case cmIndentBlock: IndentBlock(true); break;
    case cmUnindentBlock: IndentBlock(false); break;

    case cmMatchPair: MatchPair(); break;
    case cmMatchPreprocNext: MatchPreprocNext(); break;
    case cmMatchPreprocPrev: MatchPreprocPrev(); break;

    case cmUndo: Undo(); break;
    case cmRedo: Redo(); break;
    case cmCut: Cut(); break;
    case cmCopy: Copy(); break;
    case cmPaste: Paste(); break;
    case cmCutAndAppend: CutAndAppend(); break;
    case cmCopyAndAppend: CopyAndAppend(); break;
    case cmCutLine: {
        // Selecting the line trims its blanks: the step takes them too, so Undo gives the line back whole.
        TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
        SelectLine();
        Cut();
        break;
    }

    case cmToggleInsert:
        opt.overwriteMode = !opt.overwriteMode;
        InsertModeChanged();
        RequestRedraw(5);
        break;
    case cmSetInsert:
        opt.overwriteMode = false;
        RequestRedraw(5);
        break;
    case cmToggleAutoIndent: opt.autoIndent = !opt.autoIndent; RequestRedraw(5); break;
    case cmToggleAutoUnindent: opt.autoUnindent = !opt.autoUnindent; RequestRedraw(5); break;
    case cmToggleWordWrap: opt.wordWrap = !opt.wordWrap; RequestRedraw(5); break;
    case cmSetAutoIndent: opt.autoIndent = true; RequestRedraw(5); break;
    case cmSetAutoUnindent: opt.autoUnindent = true; RequestRedraw(5); break;
    case cmSetWordWrap: opt.wordWrap = true; RequestRedraw(5); break;
    case cmStartLineDraw: lineDrawMode = true; RequestRedraw(5); break;
    case cmEndLineDraw: lineDrawMode = false; RequestRedraw(5); break;
    case cmToggleLineDraw: lineDrawMode = !lineDrawMode; RequestRedraw(5); break;

    case cmSaveFile:
        SaveFile();
        if (!opt.undoAfterSave) {
            ClearUndo();
            ClearRedo();
        }
        RequestRedraw(5);
        break;
    case cmSaveFileAs:
        SaveFileAs();
        ClearUndo();
        ClearRedo();
        RequestRedraw(5);
        break;
    case cmWriteBlock:
        if (selShown)
            WriteBlock();
        break;
    case cmReadBlock:
        ReadBlock();
        RequestRedraw(5);
        break;
    case cmOpenFile: OpenFile(); break;
    case cmNewFile: NewFile(); break;
    case cmPrint: Print(); break;
    case cmOpenFileAtCursor: {
        char name[260];
        FileNameAtCursor(name, sizeof name);
        OpenFileAtCursor(name);
        break;
    }
    case cmHelpKeywordSearch: HelpKeywordSearch(); break;
    default: break;  // unassigned numbers and commands whose subsystem is not linked in do nothing
    }
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
