// The Open, Save As and browse dialogs: the system's file dialogs with the program's templates and hooks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The dialog state kept for the life of the program: the chosen filter index (from 1) and whether the
// Explorer-style templates are used.
int FileDialogFilterIndex();
bool FileDialogsExplorerStyle();

// The Open dialog. Without multi, buffer receives one full path. With multi, it receives the directory
// followed by the chosen names, each NUL-terminated, closed by an empty string. True on OK. When the
// user presses "Find File..." the find-files dialog runs instead and its result is returned the same way.
bool OpenFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, bool multi);

// The Open dialog for several files: the full paths in the order the dialog lists them.
bool OpenFilesDialog(HINSTANCE instance, HWND owner, std::vector<std::string>* paths);

// The Save As dialog with the file format (in/out: 0 DOS, 1 UNIX, 2 Mac) and the backup choice.
bool SaveAsFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, int* format, bool* backup);
// True while a Save As dialog of the program is open.
bool SaveAsDialogOpen();

// A dialog asking for one file, titled by string titleId, with the filter of string filterId (its last
// character is the separator).
bool BrowseFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, unsigned titleId,
                      unsigned filterId);

// Turns a separator-ended filter string ("desc|*.x|") into the dialog's NUL-separated block.
std::string FilterBlockFromString(const std::string& text);
