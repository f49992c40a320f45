// The file-system facts and steps a safe write needs, the same on POSIX systems and on Windows.
#pragma once

#include <cstdio>
#include <string>

#include "base/CFile.h"

enum class TFileKind { Missing, Regular, Folder, Other };

// What path names, symbolic links followed; Other is a device, a pipe or a socket.
TFileKind KindOf(const std::string& path);

// True when the open file is a regular file (and not a device put in its place).
bool IsRegularFile(std::FILE* file);

// Why path cannot be read as a text file ("" when it can be tried): a folder, a device, a pipe.
std::string NotAFileReason(const std::string& path);
std::string NotAFileReason(TFileKind kind);

// True when path may be written: some write permission is set (a user allowed to write anything still
// leaves a read-only file alone, as the editor does) and the system lets this user write it.
bool MayWrite(const std::string& path);

// The file a write to path changes: a symbolic link followed to its final target, any other path as it
// is. False when the links cannot be followed (a loop).
bool WriteTarget(const std::string& path, std::string* target);

// How many names the file has; 1 when the system does not say.
unsigned long NameCount(const std::string& path);

// A name for comparing: the absolute path with its folders' links and dots resolved, the last name kept
// as it is (case folded where the file system ignores case).
std::string NameKey(const std::string& path);

// Creates the file name, which must not exist yet, open for binary writing and readable by its owner only.
std::FILE* CreateNewFileNamed(const std::string& name);

// Creates a file beside path that did not exist before (path + suffix, numbered when taken), open for
// binary writing and readable by its owner only; *name receives its name. nullptr when none could be made.
std::FILE* CreateNewFile(const std::string& path, const char* suffix, std::string* name);

// Flushes the open file and forces its data to the disk; false when either failed.
bool SyncToDisk(std::FILE* file);

// Gives the new file (open, named name) the owner, group and permissions of original, or when original
// is empty the permissions a newly created file gets. False when the owner cannot be given (a file that
// replaced original would then belong to someone else); the permissions are given all the same.
bool MatchOwnerAndMode(std::FILE* file, const std::string& name, const std::string& original);

// Copies the bytes of from into the open file to and forces them to the disk; false on any error.
bool CopyInto(const std::string& from, std::FILE* to);

// The running program's own file, beside which its data files are shipped; argv0 when the system cannot
// tell.
std::string ProgramPath(const char* argv0);
