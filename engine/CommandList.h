// Every editor command, one row each: number, name, argument kind, category, undo kind, traits, handler.
#pragma once

// VOK_COMMANDS(CMD, SELECT) lists the commands in number order. The rows are the only place a command is
// described: the TCommand constants (engine/Commands.h), the table of names that key maps, macros and the
// commands dialog read, the undo kinds and the dispatcher's handlers are all expanded from them.
//
// CMD(Name, number, argument, category, undo, traits, run)
//   Name      the name in macros and keymap files; the constant is cmName
//   number    stored in key maps and macros: never renumber
//   argument  kArgNone, or kArgChar for the command that takes the typed character
//   category  the group the commands dialog lists it under
//   undo      the kind of record it pushes, which names the Undo menu item
//   traits    kCmdMerges: its successive runs that meet in the text are one undo record;
//             kCmdOutsideMacros: never recorded into a macro, and run outside the update batch
//   run       its handler in engine/Commands.cpp; Hosted for a command whose subsystem sits above the
//             engine and installs the handler (SetCommandHandler), which does nothing while none is
//             installed
// SELECT(Name, number, Movement)
//   a movement that extends the selection: it runs the row of cmMovement with the selection extended,
//   in the category Select.
//
// clang-format off
#define VOK_COMMANDS(CMD, SELECT) \
    CMD(NullCmd,              1,   kArgNone, kCatMisc,         TUndoKind::Other,          kCmdOutsideMacros, nullptr) \
    CMD(InsertChar,           2,   kArgChar, kCatInsertDelete, TUndoKind::Typing,         kCmdMerges, RunInsertChar) \
    CMD(BackTab,              3,   kArgNone, kCatCursor,       TUndoKind::Other,          0, Call<&E::BackTab>) \
    CMD(InsertSymbol,         4,   kArgNone, kCatInsertDelete, TUndoKind::InsertSymbol,   0, Call<&E::InsertSymbolCmd>) \
    CMD(Tab,                  5,   kArgNone, kCatInsertDelete, TUndoKind::Other,          0, Call<&E::TabCmd>) \
    CMD(Backspace,            6,   kArgNone, kCatInsertDelete, TUndoKind::Deleting,       kCmdMerges, Call<&E::Backspace>) \
    CMD(Delete,               7,   kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteCmd>) \
    CMD(DeleteChar,           8,   kArgNone, kCatInsertDelete, TUndoKind::Deleting,       kCmdMerges, Call<&E::DeleteChar>) \
    CMD(DeleteBlock,          9,   kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteBlock>) \
    CMD(DeleteWord,           10,  kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteWord>) \
    CMD(DeleteToEOL,          11,  kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteToEOL>) \
    CMD(DeleteToBOL,          12,  kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteToBOL>) \
    CMD(DeleteLine,           13,  kArgNone, kCatInsertDelete, TUndoKind::Deleting,       0, Call<&E::DeleteLine>) \
    CMD(DeleteWordBack,       14,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, Call<&E::DeleteWordBack>) \
    CMD(NewLine,              15,  kArgNone, kCatInsertDelete, TUndoKind::Typing,         0, Call<&E::NewLine>) \
    CMD(InsertLine,           16,  kArgNone, kCatInsertDelete, TUndoKind::Typing,         0, Call<&E::InsertLineCmd>) \
    CMD(DupLine,              17,  kArgNone, kCatInsertDelete, TUndoKind::DuplicateLine,  0, Call<&E::DupLine>) \
    CMD(JoinLine,             18,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, Call<&E::JoinLine>) \
    CMD(CenterLine,           19,  kArgNone, kCatInsertDelete, TUndoKind::CenterLine,     0, Call<&E::CenterLine>) \
    CMD(InsertComment,        20,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, RunInsertComment) \
    CMD(InsertTimeDate,       21,  kArgNone, kCatInsertDelete, TUndoKind::InsertTimeDate, 0, RunInsertTimeDate) \
    CMD(InsertTime,           22,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, RunInsertTime) \
    CMD(InsertDate,           23,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, RunInsertDate) \
    CMD(InsertCommentLight,   24,  kArgNone, kCatInsertDelete, TUndoKind::Other,          0, RunInsertCommentLight) \
    CMD(CursorLeft,           30,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::CursorLeft>) \
    CMD(CursorRight,          31,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::CursorRight>) \
    CMD(CursorUp,             32,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::CursorUp>) \
    CMD(CursorDown,           33,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::CursorDown>) \
    CMD(PageUp,               34,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::PageUp>) \
    CMD(PageDown,             35,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::PageDown>) \
    CMD(LineStart,            36,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::LineStart>) \
    CMD(LineEnd,              37,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::LineEnd>) \
    CMD(WordLeft,             38,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::WordLeft>) \
    CMD(WordRight,            39,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::WordRight>) \
    CMD(TextStart,            40,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::TextStart>) \
    CMD(TextEnd,              41,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::TextEnd>) \
    CMD(TopOfWindow,          42,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::TopOfWindow>) \
    CMD(BottomOfWindow,       43,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::BottomOfWindow>) \
    CMD(ScrollUp,             44,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Call<&E::ScrollUp>) \
    CMD(ScrollDown,           45,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Call<&E::ScrollDown>) \
    CMD(FirstNonBlank,        46,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Call<&E::FirstNonBlank>) \
    CMD(ParaUp,               47,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::ParaUp>) \
    CMD(ParaDown,             48,  kArgNone, kCatCursor,       TUndoKind::Other,          0, Move<&E::ParaDown>) \
    SELECT(LeftSelect,           50, CursorLeft) \
    SELECT(RightSelect,          51, CursorRight) \
    SELECT(UpSelect,             52, CursorUp) \
    SELECT(DownSelect,           53, CursorDown) \
    SELECT(PageUpSelect,         54, PageUp) \
    SELECT(PageDownSelect,       55, PageDown) \
    SELECT(LineStartSelect,      56, LineStart) \
    SELECT(LineEndSelect,        57, LineEnd) \
    SELECT(WordLeftSelect,       58, WordLeft) \
    SELECT(WordRightSelect,      59, WordRight) \
    SELECT(TextStartSelect,      60, TextStart) \
    SELECT(TextEndSelect,        61, TextEnd) \
    SELECT(TopOfWindowSelect,    62, TopOfWindow) \
    SELECT(BottomOfWindowSelect, 63, BottomOfWindow) \
    SELECT(ParaUpSelect,         64, ParaUp) \
    SELECT(ParaDownSelect,       65, ParaDown) \
    CMD(StartSelect,          70,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::StartSelect>) \
    CMD(EndSelect,            71,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::EndSelect>) \
    CMD(HideSelect,           72,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::HideSelection>) \
    CMD(SelectWord,           73,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::SelectWord>) \
    CMD(SelectLine,           74,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::SelectLine>) \
    CMD(SelectAll,            75,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::SelectAll>) \
    CMD(SelectPara,           76,  kArgNone, kCatSelect,       TUndoKind::Other,          0, Call<&E::SelectPara>) \
    CMD(SetCharSelMode,       78,  kArgNone, kCatSelect,       TUndoKind::Other,          0, RunSetCharSelMode) \
    CMD(SetColumnSelMode,     79,  kArgNone, kCatSelect,       TUndoKind::Other,          0, RunSetColumnSelMode) \
    CMD(IndentBlock,          80,  kArgNone, kCatFormat,       TUndoKind::Indent,         0, RunIndentBlock) \
    CMD(UnindentBlock,        81,  kArgNone, kCatFormat,       TUndoKind::Unindent,       0, RunUnindentBlock) \
    CMD(FillBlock,            82,  kArgNone, kCatFormat,       TUndoKind::Other,          0, RunFillBlock) \
    CMD(LeftBlockPara,        86,  kArgNone, kCatFormat,       TUndoKind::Formatting,     0, RunLeftBlockPara) \
    CMD(CenterBlockPara,      87,  kArgNone, kCatFormat,       TUndoKind::Formatting,     0, RunCenterBlockPara) \
    CMD(RightBlockPara,       88,  kArgNone, kCatFormat,       TUndoKind::Formatting,     0, RunRightBlockPara) \
    CMD(JustifyBlockPara,     89,  kArgNone, kCatFormat,       TUndoKind::Formatting,     kCmdMerges, RunJustifyBlockPara) \
    CMD(Find,                 90,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Hosted) \
    CMD(Replace,              91,  kArgNone, kCatSearch,       TUndoKind::Replace,        0, Hosted) \
    CMD(FindNext,             92,  kArgNone, kCatSearch,       TUndoKind::Replace,        0, Hosted) \
    CMD(GoToLine,             93,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Hosted) \
    CMD(GoToColumn,           94,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Hosted) \
    CMD(MatchPair,            95,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Call<&E::MatchPair>) \
    CMD(FindNextWord,         96,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Hosted) \
    CMD(FindPrevWord,         97,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Hosted) \
    CMD(MatchPreprocNext,     98,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Call<&E::MatchPreprocNext>) \
    CMD(MatchPreprocPrev,     99,  kArgNone, kCatSearch,       TUndoKind::Other,          0, Call<&E::MatchPreprocPrev>) \
    CMD(SetMark0,             100, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<0>) \
    CMD(SetMark1,             101, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<1>) \
    CMD(SetMark2,             102, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<2>) \
    CMD(SetMark3,             103, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<3>) \
    CMD(SetMark4,             104, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<4>) \
    CMD(SetMark5,             105, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<5>) \
    CMD(SetMark6,             106, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<6>) \
    CMD(SetMark7,             107, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<7>) \
    CMD(SetMark8,             108, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<8>) \
    CMD(SetMark9,             109, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, SetMark<9>) \
    CMD(GotoMark0,            110, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<0>) \
    CMD(GotoMark1,            111, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<1>) \
    CMD(GotoMark2,            112, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<2>) \
    CMD(GotoMark3,            113, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<3>) \
    CMD(GotoMark4,            114, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<4>) \
    CMD(GotoMark5,            115, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<5>) \
    CMD(GotoMark6,            116, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<6>) \
    CMD(GotoMark7,            117, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<7>) \
    CMD(GotoMark8,            118, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<8>) \
    CMD(GotoMark9,            119, kArgNone, kCatBookmarks,    TUndoKind::Other,          0, GotoMark<9>) \
    CMD(Undo,                 120, kArgNone, kCatClipboard,    TUndoKind::Other,          0, Call<&E::Undo>) \
    CMD(Redo,                 121, kArgNone, kCatClipboard,    TUndoKind::Redo,           0, Call<&E::Redo>) \
    CMD(Cut,                  123, kArgNone, kCatClipboard,    TUndoKind::Cut,            0, Call<&E::Cut>) \
    CMD(Copy,                 124, kArgNone, kCatClipboard,    TUndoKind::Other,          0, Call<&E::Copy>) \
    CMD(Paste,                125, kArgNone, kCatClipboard,    TUndoKind::Paste,          kCmdMerges, Call<&E::Paste>) \
    CMD(CutAndAppend,         126, kArgNone, kCatClipboard,    TUndoKind::Cut,            0, Call<&E::CutAndAppend>) \
    CMD(CopyAndAppend,        127, kArgNone, kCatClipboard,    TUndoKind::Other,          0, Call<&E::CopyAndAppend>) \
    CMD(CutLine,              128, kArgNone, kCatClipboard,    TUndoKind::Cut,            0, RunCutLine) \
    CMD(UpperCase,            130, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunUpperCase) \
    CMD(LowerCase,            131, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunLowerCase) \
    CMD(FlipCase,             132, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunFlipCase) \
    CMD(UpperCaseWord,        133, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunUpperCaseWord) \
    CMD(LowerCaseWord,        134, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunLowerCaseWord) \
    CMD(FlipCaseWord,         135, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunFlipCaseWord) \
    CMD(CapitalizeWord,       136, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunCapitalizeWord) \
    CMD(TitleCase,            137, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunTitleCase) \
    CMD(SentenceCase,         138, kArgNone, kCatFormat,       TUndoKind::ChangeCase,     0, RunSentenceCase) \
    CMD(TransposeChar,        140, kArgNone, kCatFormat,       TUndoKind::Transpose,      0, RunTransposeChar) \
    CMD(TransposeWord,        141, kArgNone, kCatFormat,       TUndoKind::Transpose,      0, RunTransposeWord) \
    CMD(TransposeLine,        142, kArgNone, kCatFormat,       TUndoKind::Transpose,      0, RunTransposeLine) \
    CMD(ToggleInsert,         150, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunToggleInsert) \
    CMD(ToggleAutoIndent,     151, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunToggleAutoIndent) \
    CMD(ToggleAutoUnindent,   152, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunToggleAutoUnindent) \
    CMD(ToggleWordWrap,       155, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunToggleWordWrap) \
    CMD(SetInsert,            160, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunSetInsert) \
    CMD(SetAutoIndent,        161, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunSetAutoIndent) \
    CMD(SetAutoUnindent,      162, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunSetAutoUnindent) \
    CMD(SetWordWrap,          165, kArgNone, kCatOptions,      TUndoKind::Other,          0, RunSetWordWrap) \
    CMD(StartLineDraw,        180, kArgNone, kCatTools,        TUndoKind::Other,          0, RunStartLineDraw) \
    CMD(EndLineDraw,          181, kArgNone, kCatTools,        TUndoKind::Other,          0, RunEndLineDraw) \
    CMD(ToggleLineDraw,       182, kArgNone, kCatTools,        TUndoKind::Other,          0, RunToggleLineDraw) \
    CMD(LineDrawStyle,        183, kArgNone, kCatTools,        TUndoKind::Other,          0, RunLineDrawStyle) \
    CMD(ExpandTabsToSpaces,   200, kArgNone, kCatTools,        TUndoKind::Other,          0, RunExpandTabsToSpaces) \
    CMD(CompressSpacesToTabs, 201, kArgNone, kCatTools,        TUndoKind::Other,          0, RunCompressSpacesToTabs) \
    CMD(Tab8TextToTab3Text,   202, kArgNone, kCatTools,        TUndoKind::Other,          0, RunTab8TextToTab3Text) \
    CMD(Tab3TextToTab8Text,   203, kArgNone, kCatTools,        TUndoKind::Other,          0, RunTab3TextToTab8Text) \
    CMD(Tab8TextToCurTabText, 204, kArgNone, kCatTools,        TUndoKind::Other,          0, RunTab8TextToCurTabText) \
    CMD(CurTabTextToTab8Text, 205, kArgNone, kCatTools,        TUndoKind::Other,          0, RunCurTabTextToTab8Text) \
    CMD(ConvertText,          207, kArgNone, kCatTools,        TUndoKind::ConvertText,    0, RunConvertText) \
    CMD(Sort,                 208, kArgNone, kCatTools,        TUndoKind::Other,          0, RunSort) \
    CMD(WordCount,            209, kArgNone, kCatTools,        TUndoKind::Other,          0, RunWordCount) \
    CMD(RecordMacro,          230, kArgNone, kCatTools,        TUndoKind::Other,          kCmdOutsideMacros, RunRecordMacro) \
    CMD(MacroStopRecorder,    231, kArgNone, kCatTools,        TUndoKind::Other,          kCmdOutsideMacros, RunStopRecorder) \
    CMD(Macro,                232, kArgNone, kCatTools,        TUndoKind::Other,          kCmdOutsideMacros, RunMacroDialog) \
    CMD(SaveFile,             250, kArgNone, kCatFile,         TUndoKind::Other,          0, RunSaveFile) \
    CMD(SaveFileAs,           251, kArgNone, kCatFile,         TUndoKind::Other,          0, RunSaveFileAs) \
    CMD(WriteBlock,           252, kArgNone, kCatFile,         TUndoKind::Other,          0, RunWriteBlock) \
    CMD(ReadBlock,            253, kArgNone, kCatFile,         TUndoKind::InsertFile,     0, RunReadBlock) \
    CMD(OpenFile,             254, kArgNone, kCatFile,         TUndoKind::Other,          0, Call<&E::OpenFile>) \
    CMD(NewFile,              255, kArgNone, kCatFile,         TUndoKind::Other,          0, Call<&E::NewFile>) \
    CMD(Print,                256, kArgNone, kCatFile,         TUndoKind::Other,          0, Call<&E::Print>) \
    CMD(OpenFileAtCursor,     257, kArgNone, kCatFile,         TUndoKind::Other,          0, RunOpenFileAtCursor) \
    CMD(UserTool1,            280, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<0>) \
    CMD(UserTool2,            281, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<1>) \
    CMD(UserTool3,            282, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<2>) \
    CMD(UserTool4,            283, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<3>) \
    CMD(UserTool5,            284, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<4>) \
    CMD(UserTool6,            285, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<5>) \
    CMD(UserTool7,            286, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<6>) \
    CMD(UserTool8,            287, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<7>) \
    CMD(UserTool9,            288, kArgNone, kCatTools,        TUndoKind::Other,          0, UserTool<8>) \
    CMD(HelpKeywordSearch,    300, kArgNone, kCatHelp,         TUndoKind::Other,          0, Call<&E::HelpKeywordSearch>)
// clang-format on
