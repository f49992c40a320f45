// A fixture that gives each test fresh process-wide options and a recording editor.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/Commands.h"
#include "engine/Options.h"
#include "support/RecordingEditor.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { EngineOptions() = TEngineOptions{}; }
    void TearDown() override
    {
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

    TRecordingEditor ed;
};
