// Loading and writing batch documents: format detection, backups, and writes that never leave half a file.
#include "batch/BatchFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchEditor.h"
#include "engine/Options.h"
#include "support/TempDir.h"

namespace {

class BatchFilesTest : public ::testing::Test {
protected:
    void SetUp() override { EngineOptions() = TEngineOptions{}; }
    void TearDown() override { EngineOptions() = TEngineOptions{}; }

    TTempDir dir;
    TBatchClipboard clipboard;
    TBatchAnswers answers;
    TBatchEditor ed{clipboard, answers};
};

TEST_F(BatchFilesTest, LoadDetectsTheLastLineEnd)
{
    const std::string path = dir.File("mixed.txt");
    TTempDir::Write(path, "a\r\nb\nc\r");
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, path, true, &format).ok);
    EXPECT_EQ(format, 2);
    EXPECT_EQ(ed.lastLine, 2);
    EXPECT_FALSE(ed.modified);
}

TEST_F(BatchFilesTest, LoadWithoutDetectionKeepsTheDefault)
{
    const std::string path = dir.File("unix.txt");
    TTempDir::Write(path, "a\nb\n");
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, path, false, &format).ok);
    EXPECT_EQ(format, 0);
}

TEST_F(BatchFilesTest, AMissingFileGivesTheOpenMessage)
{
    int format = 0;
    TFileResult r = LoadDocument(ed, dir.File("none.txt"), true, &format);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Cannot open " + dir.File("none.txt") +
                             " file.\n\nMake sure a disk is in the drive you specified.");
}

TEST_F(BatchFilesTest, WriteInPlaceKeepsABackupWhenAsked)
{
    const std::string path = dir.File("report.txt");
    TTempDir::Write(path, "old\n");
    TTempDir::Write(dir.File("report.bak"), "older\n");
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, path, true, &format).ok);
    ed.InsertText("new ");
    ASSERT_TRUE(WriteDocument(ed, path, 0, true).ok);
    EXPECT_EQ(TTempDir::Read(path), "new old\r\n");
    EXPECT_EQ(TTempDir::Read(dir.File("report.bak")), "old\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".ozmbatch-tmp"));
}

TEST_F(BatchFilesTest, WriteWithoutBackupLeavesNoOtherFile)
{
    const std::string path = dir.File("a.txt");
    TTempDir::Write(path, "x\n");
    ed.InsertText("y");
    ASSERT_TRUE(WriteDocument(ed, path, 1, false).ok);
    EXPECT_EQ(TTempDir::Read(path), "y\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(BatchFilesTest, AFolderThatDoesNotExistIsReportedAndNothingIsCreated)
{
    const std::string path = dir.File("missing/a.txt");
    ed.InsertText("y");
    TFileResult r = WriteDocument(ed, path, 0, true);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Make sure the disk is not full or write-protected."), std::string::npos);
    EXPECT_TRUE(ed.modified);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

TEST_F(BatchFilesTest, FormatNamesAsTheStatusBarShowsThem)
{
    EXPECT_STREQ(FormatName(0), "DOS");
    EXPECT_STREQ(FormatName(1), "UNIX");
    EXPECT_STREQ(FormatName(2), "Mac");
}

}  // namespace
