// Process-wide editing options shared by every document; the settings file fills them in.
#pragma once

#include <cstdint>

struct TEngineOptions {
    int16_t tabSize = 8;          // TabSize, 2..32
    bool overwriteMode = false;   // OverwriteMode
    bool autoIndent = true;       // AutoIndent
    bool autoUnindent = true;     // AutoUnindent
    bool wordWrap = false;        // WordWrap
    int16_t wordWrapColumn = 76;  // WordWrapColumn
    bool useTabChar = true;       // UseTabChar
    int16_t blockIndent = 1;      // BlockIndent, 1..16
    int undoLevels = 20;          // UndoLevels, 1..80
    bool undoAfterSave = false;   // UndoAfterSave
    int16_t defaultFileFormat = 0;  // DefaultFileFormat: 0 DOS, 1 UNIX, 2 Mac
    bool detectFileFormat = true;   // DetectFileFormat
    int language = 1;               // Language
    bool backupFiles = true;        // BackupFiles
    bool wordWrapVisible = true;    // WordWrapVisible
    int rightMouseBtn = 0;          // RightMouseBtn: 0 pop-up menu, 1 topic search
};

// The one set of options of this process.
TEngineOptions& EngineOptions();

// The tab size in force, never below 1 so column arithmetic cannot divide by zero.
inline int TabSize()
{
    int t = EngineOptions().tabSize;
    return t < 1 ? 1 : t;
}
