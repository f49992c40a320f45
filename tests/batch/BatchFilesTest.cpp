// Loading and writing batch documents: format detection, backups, and writes that never leave half a file.
#include "batch/BatchFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// Every file in the scratch folder, by name.
std::vector<std::string> Names(const TTempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(BatchFilesTest, AReadOnlyFileIsRefusedAndKeepsItsBytesAndMode)
{
    namespace fs = std::filesystem;
    const std::string path = dir.File("locked.txt");
    TTempDir::Write(path, "keep\n");
    // No write permission for anyone: also a user allowed to write everything (root) is refused, as the
    // editor refuses a read-only file.
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ed.InsertText("x");
    TFileResult r = WriteDocument(ed, path, 1, false);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("write-protected"), std::string::npos) << r.message;
    EXPECT_EQ(TTempDir::Read(path), "keep\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"locked.txt"});
    EXPECT_TRUE(ed.modified);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(BatchFilesTest, AFileIsNeverItsOwnBackup)
{
    const std::string path = dir.File("x.bak");
    TTempDir::Write(path, "precious\n");
    ed.InsertText("x");
    TFileResult r = WriteDocument(ed, path, 1, true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(TTempDir::Read(path), "precious\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"x.bak"});
}

TEST_F(BatchFilesTest, AFolderIsNotReadAsADocument)
{
    int format = 0;
    TFileResult r = LoadDocument(ed, dir.Path(), true, &format);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("folder"), std::string::npos) << r.message;
}

#ifndef _WIN32
TEST_F(BatchFilesTest, ADeviceIsNotReadWithoutBound)
{
    int format = 0;
    TFileResult r = LoadDocument(ed, "/dev/zero", true, &format);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("not a regular file"), std::string::npos) << r.message;
    EXPECT_EQ(ed.lastLine, 0);
}

TEST_F(BatchFilesTest, ASymbolicLinkIsWrittenThroughToItsTarget)
{
    namespace fs = std::filesystem;
    fs::create_directory(dir.File("real"));
    const std::string target = dir.File("real/notes.txt");
    TTempDir::Write(target, "old\n");
    const std::string link = dir.File("notes.txt");
    fs::create_symlink("real/notes.txt", link);
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, link, true, &format).ok);
    ed.InsertText("new ");
    ASSERT_TRUE(WriteDocument(ed, link, format, true).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), fs::path("real/notes.txt"));
    EXPECT_EQ(TTempDir::Read(target), "new old\n");
    // The backup is made of the file that changed, beside it.
    EXPECT_EQ(TTempDir::Read(dir.File("real/notes.bak")), "old\n");
    EXPECT_FALSE(fs::exists(dir.File("notes.bak")));
}

TEST_F(BatchFilesTest, HardLinksStayOneFile)
{
    namespace fs = std::filesystem;
    const std::string path = dir.File("a.txt");
    const std::string other = dir.File("b.txt");
    TTempDir::Write(path, "old\n");
    fs::create_hard_link(path, other);
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, path, true, &format).ok);
    ed.InsertText("new ");
    ASSERT_TRUE(WriteDocument(ed, path, format, false).ok);
    EXPECT_EQ(TTempDir::Read(other), "new old\n");
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.txt", "b.txt"}));

    ed.InsertText("newer ");
    ASSERT_TRUE(WriteDocument(ed, path, format, true).ok);
    EXPECT_EQ(TTempDir::Read(other), "new newer old\n");
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_EQ(TTempDir::Read(dir.File("a.bak")), "new old\n");
    EXPECT_EQ(fs::hard_link_count(dir.File("a.bak")), 1u);
}

TEST_F(BatchFilesTest, AWriteKeepsTheOwnerAndTheMode)
{
    const std::string path = dir.File("script.sh");
    TTempDir::Write(path, "echo\n");
    ASSERT_EQ(chmod(path.c_str(), 0750), 0);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    // Only a user who may give files away can show that the owner survives a write.
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    }
    int format = 0;
    ASSERT_TRUE(LoadDocument(ed, path, true, &format).ok);
    ed.InsertText("#");
    ASSERT_TRUE(WriteDocument(ed, path, format, false).ok);
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0750u);
    EXPECT_EQ(after.st_uid, root ? 65534u : before.st_uid);
    EXPECT_EQ(after.st_gid, root ? 65534u : before.st_gid);
    EXPECT_EQ(TTempDir::Read(path), "#echo\n");
}
#endif

TEST_F(BatchFilesTest, FormatNamesAsTheStatusBarShowsThem)
{
    EXPECT_STREQ(FormatName(0), "DOS");
    EXPECT_STREQ(FormatName(1), "UNIX");
    EXPECT_STREQ(FormatName(2), "Mac");
}

}  // namespace
