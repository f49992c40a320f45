// The first-run check and the program's record in "vok.ini".
#include "shell/FirstRun.h"

#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

class TFakeInstall : public TInstallRecord {
public:
    bool present = true;
    uint32_t start = 0;
    int writes = 0;
    bool ReadStart(uint32_t& value) override
    {
        value = start;
        return present;
    }
    void WriteStart(uint32_t value) override
    {
        start = value;
        ++writes;
    }
};

class FirstRunTest : public ::testing::Test {
protected:
    TTempDir dir;
    TIniFile vok{dir.File("vok.ini")};
    TIniFile ozm{dir.File("ozm.ini")};
    TFakeInstall install;
    TProgramIdentity program{"C:\\PROGRA~1\\VOK\\OZM.EXE", "1.2", "1033"};

    std::string Vok(const char* section) { return vok.GetText(section, "Text Editor", "<none>", 128); }
};

TEST_F(FirstRunTest, FirstStartAfterSetupAsksForAssociationsAndTips)
{
    RecordFirstRun(install, vok, ozm, program);
    EXPECT_EQ(install.start, 1u);
    EXPECT_EQ(ozm.GetText("Settings", "AssociateDlgStartUp", "", 8), "1");
    EXPECT_EQ(ozm.GetText("Tip", "StartUp", "", 8), "0");
    EXPECT_EQ(Vok("Vok Applications"), program.shortPath);
    EXPECT_EQ(Vok("Version"), "1.2");
    EXPECT_EQ(Vok("Lang"), "1033");
    EXPECT_EQ(Vok("vokctrl.dll"), "yes");
}

TEST_F(FirstRunTest, LaterStartsWithTheSameProgramChangeNothing)
{
    RecordFirstRun(install, vok, ozm, program);
    (void)vok.WriteString("vokctrl.dll", "Text Editor", "kept");
    (void)ozm.WriteString("Tip", "StartUp", "1");
    RecordFirstRun(install, vok, ozm, program);
    EXPECT_EQ(install.writes, 1);
    EXPECT_EQ(Vok("vokctrl.dll"), "kept");
    EXPECT_EQ(ozm.GetText("Tip", "StartUp", "", 8), "1");
}

TEST_F(FirstRunTest, PathComparedWithoutCaseAndNewVersionRecorded)
{
    install.present = false;
    (void)vok.WriteString("Vok Applications", "Text Editor", "c:\\progra~1\\vok\\ozm.exe");
    (void)vok.WriteString("Version", "Text Editor", "1.1");
    RecordFirstRun(install, vok, ozm, program);
    EXPECT_EQ(install.writes, 0);
    EXPECT_EQ(Vok("Vok Applications"), "c:\\progra~1\\vok\\ozm.exe");
    EXPECT_EQ(Vok("Version"), "1.2");
    EXPECT_EQ(Vok("vokctrl.dll"), "no");
    EXPECT_EQ(ozm.GetText("Tip", "StartUp", "<none>", 8), "<none>");
}

TEST_F(FirstRunTest, MovedProgramIsRecordedWithItsNewPath)
{
    install.start = 5;
    (void)vok.WriteString("Vok Applications", "Text Editor", "C:\\OLD\\OZM.EXE");
    RecordFirstRun(install, vok, ozm, program);
    EXPECT_EQ(install.writes, 0);
    EXPECT_EQ(Vok("Vok Applications"), program.shortPath);
    EXPECT_EQ(Vok("vokctrl.dll"), "yes");
}

}  // namespace
