// The owned C file: what a failed open and a failed close report to the code that saves documents.
#include "base/CFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

TEST(CFile, AMissingFileOpensToNothingAndClosesQuietly)
{
    TTempDir dir;
    TCFile file(dir.File("missing.txt"), "rb");
    EXPECT_EQ(file.Get(), nullptr);
    EXPECT_TRUE(file.Close());
}

TEST(CFile, ClosingEarlyWritesTheBytesAndLetsGo)
{
    TTempDir dir;
    const std::string path = dir.File("out.txt");
    {
        TCFile file(path.c_str(), "wb");
        ASSERT_NE(file.Get(), nullptr);
        ASSERT_GE(std::fputs("line\r\n", file.Get()), 0);
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(file.Get(), nullptr);
        EXPECT_TRUE(file.Close());  // a second close, and the one at the end of the scope, do nothing
    }
    EXPECT_EQ(TTempDir::Read(path), "line\r\n");
}

#ifndef _WIN32
// Buffered bytes that cannot be written out surface only when the file is closed; the caller must hear
// of it, or a full disk would pass for a saved document.
TEST(CFile, CloseReportsBytesThatNeverReachedTheDisk)
{
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TCFile file("/dev/full", "wb");
    ASSERT_NE(file.Get(), nullptr);
    std::fputs("lost", file.Get());
    EXPECT_FALSE(file.Close());
}
#endif
