// The Windows import buffer: movable global memory that grows while locked and is handed over unlocked.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "import/win32/GlobalMemFile.h"

TEST(GlobalMemFile, GrowsAndHandsOverAMovableBlockHoldingTheText)
{
    GlobalMemFile text;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(text.Put(char('a' + i % 26)));
        expected += char('a' + i % 26);
    }
    ASSERT_TRUE(text.Write("\r\n", 3));  // with the closing zero
    expected += std::string("\r\n", 3);
    HGLOBAL handle = text.Detach();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 0u) << "handed over unlocked";
    EXPECT_GE(GlobalSize(handle), expected.size());
    const char* p = static_cast<const char*>(GlobalLock(handle));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, expected.size()), expected);
    GlobalUnlock(handle);
    GlobalFree(handle);
    EXPECT_EQ(text.Detach(), nullptr) << "handed over once";
}

TEST(GlobalMemFile, ImportsAFileOrGivesNoBlock)
{
    std::string dir = std::string(VOK_SOURCE_DIR) + "/tests/import/fixtures/";
    HGLOBAL handle = ImportDocumentToGlobal(dir + "wp51.wpd", {76, 8});
    ASSERT_NE(handle, nullptr);
    const char* p = static_cast<const char*>(GlobalLock(handle));
    EXPECT_EQ(std::string(p).substr(0, 13), "Prvi odlomak:");
    GlobalUnlock(handle);
    GlobalFree(handle);
    EXPECT_EQ(ImportDocumentToGlobal(dir + "missing.doc", {76, 8}), nullptr);
    EXPECT_EQ(ImportDocumentToGlobal(dir + "wp51.wpd.expected", {76, 8}), nullptr);
}
