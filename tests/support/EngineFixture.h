// Fixtures that give each engine test fresh process-wide options, a sound allocator and a recording editor
// with a clipboard of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "support/ClipboardEditor.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { EngineOptions() = TEngineOptions{}; }
    void TearDown() override
    {
        // A test that armed an allocation fault must not leave it to the next one.
        SetAllocFailAt(0);
        // Whatever a test did, the line list must still hang together.
        EXPECT_TRUE(ed.CheckList());
        EngineOptions() = TEngineOptions{};
    }

    // Runs commands through the dispatcher as keys would.
    void Run(unsigned command, unsigned argument = 0) { ed.ExecuteCommand(command, argument); }
    void Type(const std::string& text)
    {
        for (unsigned char c : text)
            Run(cmInsertChar, c);
    }
    void Goto(int col, int line) { ed.GotoPosition(col, line, false); }

    TClipboardEditor ed;
};

// Adds documents given as lines, repaint flags read before the flush and selections set directly.
class TEngineTest : public EngineTest {
protected:
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
};

inline TPosition Pos(int col, int32_t line)
{
    return {static_cast<int16_t>(col), line};
}

inline void PrintTo(const TPosition& p, std::ostream* os)
{
    *os << "(" << p.col << "," << p.line << ")";
}
