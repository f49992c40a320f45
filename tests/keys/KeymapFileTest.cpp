// The keymap file: its exact bytes, round trips, every load and save failure, reset, and DEFKEY.OZM.
#include "keys/KeymapFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/ByteStream.h"
#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "macros/MacroTable.h"

namespace fs = std::filesystem;

namespace {

// A stream whose device fails after the bytes it was given.
class TFailingInStream final : public TInStream {
public:
    explicit TFailingInStream(std::string data) : data_(std::move(data)) {}

protected:
    bool Fill() override
    {
        if (!served_) {
            served_ = true;
            SetWindow(data_.data(), data_.data() + data_.size());
            return true;
        }
        failed_ = true;
        return false;
    }

private:
    std::string data_;
    bool served_ = false;
};

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

void AddMacro(TMacroTable& macros, int slot, const char* name, const char* description,
              std::initializer_list<MacroStep> steps)
{
    ASSERT_NE(macros.Create(slot), nullptr);
    unsigned number = kFirstMacroNumber + static_cast<unsigned>(slot);
    macros.SetMacroName(number, name);
    macros.SetMacroDescription(number, description);
    for (const MacroStep& s : steps)
        ASSERT_TRUE(macros.AppendStep(number, s));
}

TKeyMap DefaultMap()
{
    TKeyMap map;
    map.SetDefaults();
    return map;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void ExpectSameTables(const TKeyMap& a, const TKeyMap& b)
{
    for (int n = 0; n <= kPrefixTableCount; ++n) {
        const TKeyTable& x = n ? a.PrefixTable(n) : a.MainTable();
        const TKeyTable& y = n ? b.PrefixTable(n) : b.MainTable();
        ASSERT_EQ(x.Count(), y.Count()) << "table " << n;
        for (int i = 0; i < x.Count(); ++i) {
            EXPECT_EQ(x.At(i).key, y.At(i).key);
            EXPECT_EQ(x.At(i).command, y.At(i).command);
        }
    }
}

// A small map and one macro whose file bytes are written out by hand below.
void SmallFixture(TKeyMap& map, TMacroTable& macros)
{
    ASSERT_TRUE(map.MapKey(0x141, false, true, false, cmSelectAll));
    ASSERT_TRUE(map.MapKey(0x14B, false, true, false, kPrefix1));
    ASSERT_TRUE(map.MapPrefixedKey(kPrefix1, 0x142, cmStartSelect));
    ASSERT_TRUE(map.MapPrefixedKey(kPrefix6, '[', cmMatchPair));
    AddMacro(macros, 1, "Go", "d", {{cmInsertChar, 'x'}, {cmNewLine, 0}});
}

std::string SmallFixtureBytes()
{
    std::string b = "OZMCFG_1";
    b += Bytes({0, 0, 0, 0, 20, 0, 0, 0, 54, 0, 0, 0});
    b += Bytes({1, 0, 6, 0});
    b += Bytes({2, 0, 0x41, 0x05, 0x4B, 0x00, 0x4B, 0x05, 0x01, 0xFF});
    b += Bytes({1, 0, 0x42, 0x01, 70, 0});
    b += Bytes({0, 0, 0, 0, 0, 0, 0, 0});
    b += Bytes({1, 0, '[', 0, 95, 0});
    b += Bytes({1, 0, 1, 0});
    b += std::string("Go") + std::string(30, '\0');
    b += std::string("d") + std::string(79, '\0');
    b += Bytes({0xE9, 0x03, 2, 0, 2, 0, 'x', 0, 15, 0, 0, 0});
    return b;
}

class KeymapFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("vok_keymap_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        SetAllocFailAt(0);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

}  // namespace

TEST(KeymapImage, SmallMapIsLaidOutByteForByte)
{
    TKeyMap map;
    TMacroTable macros;
    SmallFixture(map, macros);
    std::string image = KeymapFileImage(map, macros);
    EXPECT_EQ(image.size(), 182u);
    EXPECT_EQ(image, SmallFixtureBytes());
}

TEST(KeymapImage, HandBuiltBytesLoadIntoTheSameTables)
{
    TKeyMap expectedMap, map = DefaultMap();
    TMacroTable expectedMacros, macros;
    SmallFixture(expectedMap, expectedMacros);
    const std::string bytes = SmallFixtureBytes();
    TMemInStream in(bytes);
    ASSERT_EQ(LoadKeymap(in, map, macros), TKeymapResult::Ok);
    ExpectSameTables(map, expectedMap);
    ASSERT_EQ(macros.Count(), 1);
    const MacroRecord* r = macros.Find(1001);
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(r->name, "Go");
    EXPECT_STREQ(r->description, "d");
    ASSERT_EQ(r->stepCount, 2);
    EXPECT_EQ(r->steps[0].argument, 'x');
    EXPECT_EQ(r->steps[1].command, cmNewLine);
}

TEST(KeymapImage, RoundTripKeepsTablesMacrosAndBytes)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    AddMacro(macros, 0, "First", "", {{cmNewLine, 0}});
    AddMacro(macros, 49, "Last_one", "Ends the table", {{cmInsertChar, 255}, {cmTab, 0}, {cmInsertChar, 0}});
    ASSERT_NE(macros.Create(7), nullptr);  // a macro without steps
    std::string image = KeymapFileImage(map, macros);

    uint32_t macroOffset = static_cast<uint8_t>(image[16]) | (static_cast<uint8_t>(image[17]) << 8);
    uint32_t keySection = 4 + 7 * 2 + 4 * (73 + 27 + 22 + 8);
    EXPECT_EQ(macroOffset, 20 + keySection);

    TKeyMap loaded;
    TMacroTable loadedMacros;
    TMemInStream in(image);
    ASSERT_EQ(LoadKeymap(in, loaded, loadedMacros), TKeymapResult::Ok);
    ExpectSameTables(loaded, map);
    EXPECT_EQ(loadedMacros.Count(), 3);
    EXPECT_EQ(loadedMacros.MacroDescription(1049), "Ends the table");
    EXPECT_EQ(loadedMacros.Find(1007)->stepCount, 0);
    EXPECT_EQ(KeymapFileImage(loaded, loadedMacros), image);
}

TEST(KeymapImage, LoadingReplacesMacrosAndClearsBothFlags)
{
    TKeyMap map;
    TMacroTable macros;
    AddMacro(macros, 3, "Old", "", {{cmTab, 0}});
    map.SetModified(true);
    macros.SetChanged(true);
    const std::string bytes = SmallFixtureBytes();
    TMemInStream in(bytes);
    ASSERT_EQ(LoadKeymap(in, map, macros), TKeymapResult::Ok);
    EXPECT_EQ(macros.Find(1003), nullptr);
    EXPECT_FALSE(map.Modified());
    EXPECT_FALSE(macros.Changed());
}

struct TBadFileRow {
    const char* what;
    std::string bytes;
    TKeymapResult result;
};

class BadKeymapFile : public ::testing::TestWithParam<TBadFileRow> {};

TEST_P(BadKeymapFile, IsRefusedAndChangesNothing)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    AddMacro(macros, 0, "Keep", "", {{cmTab, 0}});
    map.SetModified(true);
    TMemInStream in(GetParam().bytes);
    EXPECT_EQ(LoadKeymap(in, map, macros), GetParam().result) << GetParam().what;
    ExpectSameTables(map, DefaultMap());
    EXPECT_EQ(macros.MacroName(1000), "Keep");
    EXPECT_TRUE(map.Modified());
}

namespace {

std::string Patched(std::size_t offset, std::initializer_list<int> bytes)
{
    std::string b = SmallFixtureBytes();
    for (int v : bytes)
        b[offset++] = static_cast<char>(v);
    return b;
}

std::vector<TBadFileRow> BadFiles()
{
    std::string full = SmallFixtureBytes();
    return {
        {"other signature", "OZMCFG_2" + full.substr(8), TKeymapResult::NotCompatible},
        {"empty file", "", TKeymapResult::NotCompatible},
        {"text file", "hello, world\r\n", TKeymapResult::NotCompatible},
        {"header cut short", full.substr(0, 14), TKeymapResult::ReadError},
        {"cut inside the key tables", full.substr(0, 40), TKeymapResult::ReadError},
        {"cut inside a macro's steps", full.substr(0, full.size() - 2), TKeymapResult::ReadError},
        {"macro offset past the end", Patched(16, {0xFF, 0x7F, 0, 0}), TKeymapResult::ReadError},
        {"129 main-table pairs", Patched(24, {129, 0}), TKeymapResult::NotCompatible},
        {"37 pairs in a prefix table", Patched(34, {37, 0}), TKeymapResult::NotCompatible},
        {"4001 steps", Patched(54 + 4 + 112 + 2, {0xA1, 0x0F}), TKeymapResult::NotCompatible},
    };
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Files, BadKeymapFile, ::testing::ValuesIn(BadFiles()));

TEST(KeymapLoad, StreamFailureIsAReadError)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    TFailingInStream in(SmallFixtureBytes().substr(0, 30));
    EXPECT_EQ(LoadKeymap(in, map, macros), TKeymapResult::ReadError);
    ExpectSameTables(map, DefaultMap());
}

TEST(KeymapLoad, MacrosOutsideTheNumberRangeAreSkippedWithTheirSteps)
{
    TKeyMap map;
    TMacroTable macros;
    AddMacro(macros, 0, "Low", "", {{cmTab, 0}, {cmTab, 0}});
    AddMacro(macros, 1, "Kept", "", {{cmNewLine, 0}});
    AddMacro(macros, 2, "High", "", {{cmTab, 0}});
    std::string image = KeymapFileImage(map, macros);
    std::size_t first = 20 + 18 + 4;
    image[first + 112] = static_cast<char>(0xE7);  // 999
    std::size_t third = first + (116 + 8) + (116 + 4);
    image[third + 112] = 0x1A;  // 1050
    image[third + 113] = 0x04;
    TKeyMap loaded;
    TMacroTable loadedMacros;
    TMemInStream in(image);
    ASSERT_EQ(LoadKeymap(in, loaded, loadedMacros), TKeymapResult::Ok);
    EXPECT_EQ(loadedMacros.Count(), 1);
    EXPECT_EQ(loadedMacros.MacroName(1001), "Kept");
    EXPECT_EQ(loadedMacros.Find(1001)->steps[0].command, cmNewLine);
}

TEST(KeymapLoad, UnterminatedNameAndDescriptionAreClipped)
{
    std::string b = SmallFixtureBytes();
    std::size_t name = 54 + 4;
    for (std::size_t i = 0; i < 32 + 80; ++i)
        b[name + i] = 'n';
    TKeyMap map;
    TMacroTable macros;
    TMemInStream in(b);
    ASSERT_EQ(LoadKeymap(in, map, macros), TKeymapResult::Ok);
    EXPECT_EQ(macros.MacroName(1001), std::string(31, 'n'));
    EXPECT_EQ(macros.MacroDescription(1001), std::string(79, 'n'));
}

TEST(KeymapLoad, OutOfMemoryKeepsTheOtherMacrosAndSaysSo)
{
    TKeyMap map;
    TMacroTable macros;
    AddMacro(macros, 0, "A", "", {{cmTab, 0}});
    AddMacro(macros, 1, "B", "", {{cmNewLine, 0}});
    std::string image = KeymapFileImage(map, macros);
    TMacroTable loaded;
    TMemInStream in(image);
    SetAllocFailOnce(2);  // the first macro's record succeeds, its steps do not
    EXPECT_EQ(LoadKeymap(in, map, loaded), TKeymapResult::OutOfMemory);
    SetAllocFailAt(0);
    ASSERT_NE(loaded.Find(1000), nullptr);
    EXPECT_EQ(loaded.Find(1000)->stepCount, 0);
    ASSERT_NE(loaded.Find(1001), nullptr);
    EXPECT_EQ(loaded.Find(1001)->stepCount, 1);
    EXPECT_FALSE(loaded.Changed());
}

TEST(KeymapSave, FullDiskIsAWriteErrorAndKeepsTheFlags)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    macros.SetChanged(true);
    TMemOutStream out(100);
    EXPECT_EQ(SaveKeymap(out, map, macros), TKeymapResult::WriteError);
    EXPECT_TRUE(map.Modified());
    EXPECT_TRUE(macros.Changed());
    TMemOutStream roomy;
    EXPECT_EQ(SaveKeymap(roomy, map, macros), TKeymapResult::Ok);
    EXPECT_EQ(roomy.Text(), KeymapFileImage(map, macros));
    EXPECT_FALSE(map.Modified());
    EXPECT_FALSE(macros.Changed());
}

struct TMessageRow {
    TKeymapResult result;
    const char* text;
    TMessageIcon icon;
};

class KeymapMessages : public ::testing::TestWithParam<TMessageRow> {};

TEST_P(KeymapMessages, TextAndIcon)
{
    EXPECT_EQ(KeymapMessage(GetParam().result, "C:\\VOK\\OZM.KEY"), GetParam().text);
    EXPECT_EQ(KeymapMessageIcon(GetParam().result), GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(
    All, KeymapMessages,
    ::testing::Values(
        TMessageRow{TKeymapResult::Ok, "", TMessageIcon::None},
        TMessageRow{TKeymapResult::NotFound, "", TMessageIcon::None},
        TMessageRow{TKeymapResult::NotCompatible,
                    "Keymap file is not compatible with this version of Vok Text Editor.", TMessageIcon::Stop},
        TMessageRow{TKeymapResult::OutOfMemory,
                    "Not enought memory to load macros.\n\nSave all modified files and quit Vok Text Editor.",
                    TMessageIcon::Stop},
        TMessageRow{TKeymapResult::ReadError, "Read Error !", TMessageIcon::Information},
        TMessageRow{TKeymapResult::CannotCreate,
                    "Cannot open C:\\VOK\\OZM.KEY file.\n\nMake sure the disk is not full or write-protected.",
                    TMessageIcon::Stop},
        TMessageRow{TKeymapResult::WriteError, "Write error !\n\nMake sure the disk is not full.",
                    TMessageIcon::Information},
        TMessageRow{TKeymapResult::NoResetFile, "Cannot open DEFKEY.OZM file.", TMessageIcon::Exclamation},
        TMessageRow{TKeymapResult::ResetFailed,
                    "An error occur while reseting key mapping and macros.\nMake sure that disk is not full.",
                    TMessageIcon::Exclamation}));

TEST_F(KeymapFileTest, SaveAndLoadThroughAFile)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    AddMacro(macros, 4, "Saved", "on disk", {{cmInsertChar, 'q'}});
    ASSERT_EQ(SaveKeymapFile(PathOf("ozm.key"), map, macros), TKeymapResult::Ok);
    EXPECT_EQ(ReadAll(dir_ / "ozm.key"), KeymapFileImage(map, macros));
    TKeyMap loaded;
    TMacroTable loadedMacros;
    ASSERT_EQ(LoadKeymapFile(PathOf("ozm.key"), loaded, loadedMacros), TKeymapResult::Ok);
    ExpectSameTables(loaded, map);
    EXPECT_EQ(loadedMacros.MacroDescription(1004), "on disk");
}

TEST_F(KeymapFileTest, MissingFileChangesNothing)
{
    TKeyMap map = DefaultMap();
    TMacroTable macros;
    AddMacro(macros, 0, "Keep", "", {});
    EXPECT_EQ(LoadKeymapFile(PathOf("absent.key"), map, macros), TKeymapResult::NotFound);
    ExpectSameTables(map, DefaultMap());
    EXPECT_EQ(macros.Count(), 1);
}

TEST_F(KeymapFileTest, SaveIntoMissingFolderCannotCreate)
{
    TKeyMap map;
    TMacroTable macros;
    std::string path = (dir_ / "no" / "such" / "ozm.key").string();
    EXPECT_EQ(SaveKeymapFile(path, map, macros), TKeymapResult::CannotCreate);
    EXPECT_NE(KeymapMessage(TKeymapResult::CannotCreate, path).find(path), std::string::npos);
}

TEST_F(KeymapFileTest, ResetCopiesTheDefaultFileAndLoadsIt)
{
    TKeyMap defaults = DefaultMap();
    TMacroTable noMacros;
    WriteAll(dir_ / "DEFKEY.OZM", KeymapFileImage(defaults, noMacros));
    TKeyMap map;
    TMacroTable macros;
    SmallFixture(map, macros);
    ASSERT_EQ(SaveKeymapFile(PathOf("mine.key"), map, macros), TKeymapResult::Ok);

    ASSERT_EQ(ResetKeymapFile(PathOf("DEFKEY.OZM"), PathOf("mine.key"), map, macros), TKeymapResult::Ok);
    EXPECT_EQ(ReadAll(dir_ / "mine.key"), ReadAll(dir_ / "DEFKEY.OZM"));
    ExpectSameTables(map, defaults);
    EXPECT_EQ(macros.Count(), 0);
}

TEST_F(KeymapFileTest, ResetWithoutDefaultFileChangesNothing)
{
    TKeyMap map;
    TMacroTable macros;
    SmallFixture(map, macros);
    WriteAll(dir_ / "mine.key", "untouched");
    EXPECT_EQ(ResetKeymapFile(PathOf("DEFKEY.OZM"), PathOf("mine.key"), map, macros),
              TKeymapResult::NoResetFile);
    EXPECT_EQ(ReadAll(dir_ / "mine.key"), "untouched");
    EXPECT_EQ(macros.Count(), 1);
}

TEST_F(KeymapFileTest, ResetIntoUnwritablePlaceFails)
{
    TKeyMap map;
    TMacroTable macros;
    WriteAll(dir_ / "DEFKEY.OZM", KeymapFileImage(DefaultMap(), macros));
    EXPECT_EQ(ResetKeymapFile(PathOf("DEFKEY.OZM"), (dir_ / "none" / "x.key").string(), map, macros),
              TKeymapResult::ResetFailed);
}

TEST_F(KeymapFileTest, ResetOntoTheDefaultFileItselfKeepsIt)
{
    std::string image = KeymapFileImage(DefaultMap(), TMacroTable());
    WriteAll(dir_ / "DEFKEY.OZM", image);
    TKeyMap map;
    TMacroTable macros;
    std::string path = PathOf("DEFKEY.OZM");
    ASSERT_EQ(ResetKeymapFile(path, path, map, macros), TKeymapResult::Ok);
    EXPECT_EQ(ReadAll(dir_ / "DEFKEY.OZM"), image);
    ExpectSameTables(map, DefaultMap());
}

// The shipped DEFKEY.OZM must be the built-in map. With VOK_WRITE_DEFKEY set (scripts/make-defkey.sh) this
// test writes the file first.
TEST(ShippedDefaultKeymap, EqualsTheBuiltInMap)
{
    std::string expected = KeymapFileImage(DefaultMap(), TMacroTable());
    fs::path path = fs::path(VOK_SOURCE_DIR) / "data" / "DEFKEY.OZM";
    if (std::getenv("VOK_WRITE_DEFKEY")) {
        fs::create_directories(path.parent_path());
        WriteAll(path, expected);
    }
    ASSERT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(expected.size(), 20u + 4 + 14 + 4 * 130 + 4);
}
