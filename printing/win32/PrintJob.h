// One print job at a time: its printer device, the modeless cancel dialog and the abort procedure.
#pragma once

#include <windows.h>

#include <string>

// What the job starter needs besides the printer.
struct TPrintJobDescription {
    std::string documentName = "Vok Text Editor";  // the spooler's name for the job
    bool toFile = false;                            // output "FILE:" (the system asks for the file)
    std::string title;                              // the document, shown in the cancel dialog
};

// Creates a device on the current printer, shows the cancel dialog, installs the abort procedure and
// starts the spooler job; owner stays disabled until EndPrintJob. Null (everything undone) on failure.
HDC BeginPrintJob(HWND owner, const TPrintJobDescription& job);
// Whether Cancel was pressed or the job failed. Pumps pending messages first, so that a click on
// Cancel is seen between pages.
bool PrintJobAborted();
void AbortPrintJob();
// Ends the spooler job (aborts it when the job was aborted), enables the owner, closes the cancel dialog
// and releases the device.
void EndPrintJob();
