// Test doubles for the editor window: one that records every hook call it gets.
#pragma once

#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "engine/VokEditor.h"

// Records hook calls as short strings ("caret 3,0", "all", "line 5", "error 3", ...) so tests can assert
// exactly what the engine asked of its window.
class TRecordingEditor : public TVokEditor {
public:
    using TVokEditor::WriteBlock;

    void SetCaret(int col, int row) noexcept override
    {
        Log("caret " + std::to_string(col) + "," + std::to_string(row));
    }
    void RepaintAll() noexcept override { Log("all"); }
    void RepaintLine(int32_t line) noexcept override { Log("line " + std::to_string(line)); }
    void UpdateScrollBars() noexcept override { Log("scroll"); }
    void UpdateStatus() noexcept override { Log("status"); }
    void ReportError(int code) noexcept override
    {
        errors.push_back(code);
        Log("error " + std::to_string(code));
    }
    void SaveFile() noexcept override { Log("SaveFile"); }
    void SaveFileAs() noexcept override { Log("SaveFileAs"); }
    void WriteBlock() noexcept override { Log("WriteBlock"); }
    void ReadBlock() noexcept override { Log("ReadBlock"); }
    void Print() noexcept override { Log("Print"); }

    void Log(std::string s)
    {
        try {
            calls.push_back(std::move(s));
        } catch (...) {
        }
    }
    void ClearLog()
    {
        calls.clear();
        errors.clear();
    }
    // True if some recorded call equals s.
    bool Called(const std::string& s) const
    {
        for (const auto& c : calls)
            if (c == s)
                return true;
        return false;
    }

    // Loads text as a file would be loaded; the calls it makes stay in the log.
    bool Load(const std::string& text, int16_t* format = nullptr)
    {
        TMemInStream in(text);
        bool ok = ReadFile(in, format);
        return ok;
    }
    std::string Save(int format)
    {
        TMemOutStream out;
        (void)WriteFile(out, format);
        return out.Text();
    }
    std::string Text(int32_t line) { return LineAt(line)->text; }
    // All lines joined with LF, for compact assertions.
    std::string Joined()
    {
        std::string s;
        for (LineRecord* l = firstLine; l; l = l->next) {
            s += l->text;
            if (l->next)
                s += '\n';
        }
        return s;
    }

    std::vector<std::string> calls;
    std::vector<int> errors;
};
