// The test mode of the real program: "/testscript FILE" plays a script of commands once start-up is done.
#pragma once

#include <string>

class TMainWindow;

// Removes "/testscript FILE" from the command line and returns FILE ("" when the switch is absent).
std::string TakeTestScriptSwitch(std::string& commandLine);

// Plays the script (one command per line) against the frame from inside the message loop. Lines:
//   new | open PATH | type TEXT | key NAME [ctrl] [shift] [alt] | command N | editor N
//   send CLASS N         (command N to the program's top-level window of that class, the print preview)
//   answer BUTTON        (yes, no, cancel, ok: how every later message box is answered)
//   saveas PATH FORMAT BACKUP   (how the next Save As dialog is answered: format 0..2, backup 0/1)
//   wait MS              (keeps the program responsive for MS milliseconds)
//   dialog STEP          (queued; played on the dialog in front once one is open, in order:
//                         set ID TEXT | replace ID TEXT (typed, "\n" a line break) | check ID 0|1 |
//                         pick ID ITEM | click ID | log ID | sel ID | count ID | answer BUTTON)
//   exit                 (closes the frame as the user would)
// Each step is logged to FILE.log; an unknown line is logged as an error and the script goes on.
void StartTestScript(TMainWindow* frame, const std::string& file);
