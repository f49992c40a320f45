// A fixture for engine tests: a recording editor, with the process-wide tab size and allocator restored.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Alloc.h"
#include "engine/Options.h"
#include "support/RecordingEditor.h"

class TEngineTest : public ::testing::Test {
protected:
    void SetUp() override { savedTab_ = EngineOptions().tabSize; }
    void TearDown() override
    {
        SetAllocFailAt(0);
        EngineOptions().tabSize = savedTab_;
    }

    // Loads the lines (joined with LF) and forgets the calls the load made.
    void Doc(const std::vector<std::string>& lines)
    {
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size())
                text += '\n';
        }
        ASSERT_TRUE(ed.Load(text));
        ed.ClearLog();
    }
    // The repaint flags a step requests, read inside a batch before they are flushed.
    template <class F>
    uint32_t FlagsOf(F step)
    {
        ed.BeginUpdate();
        step();
        uint32_t flags = ed.pendingRedraw;
        ed.EndUpdate();
        return flags;
    }
    void SetSelection(TPosition start, TPosition end, bool column = false)
    {
        ed.selStartCol = start.col;
        ed.selStartLine = start.line;
        ed.selEndCol = end.col;
        ed.selEndLine = end.line;
        ed.columnMode = column;
        ed.selShown = true;
    }

    TRecordingEditor ed;

private:
    int16_t savedTab_ = 8;
};

inline TPosition Pos(int col, int32_t line)
{
    return {static_cast<int16_t>(col), line};
}

inline void PrintTo(const TPosition& p, std::ostream* os)
{
    *os << "(" << p.col << "," << p.line << ")";
}
