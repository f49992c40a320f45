// The tables of Convert Text: TEXT.CNV as shipped against Python's codecs, round trips, the OEM and ANSI
// tables of the portable build, and the reading of sections.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/SectionScan.h"
#include "charset/CodePages.h"
#include "support/TempDir.h"

namespace {
const std::string kShipped = std::string(VOK_SOURCE_DIR) + "/data/TEXT.CNV";
const char* const kTables[] = {"CROSCII-CP1250", "CP1250-CROSCII", "CP852-CP1250",
                               "CP1250-CP852",   "MacCE-CP1250",   "ISO8859-2-CP1250"};

struct TTable {
    unsigned char t[256];
};

TTable Load(const std::string& name)
{
    TTable table{};
    EXPECT_TRUE(ReadConvertTable(kShipped, name, table.t)) << name;
    return table;
}

TEST(TextCnv, ShipsTheSixTables)
{
    std::vector<std::string> names;
    ASSERT_TRUE(ScanSectionNames(kShipped, &names));
    EXPECT_EQ(names, std::vector<std::string>(std::begin(kTables), std::end(kTables)));
}

#ifndef _WIN32
// Every byte of every table as Python's codecs give it (CROSCII, no codec there, is spelt out in the
// script from its ten letters).
TEST(TextCnv, AgreesWithPythonsCodecs)
{
    const std::string command = "python3 '" + std::string(VOK_SOURCE_DIR) + "/scripts/text-cnv.py' tables";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::map<std::string, std::vector<int>> expected;
    char line[128];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream in(line);
        std::string name;
        int b = 0;
        int v = 0;
        in >> name >> b >> v;
        expected[name].push_back(v);
    }
    ASSERT_EQ(pclose(pipe), 0) << "python3 with its codecs is needed (scripts/install-deps.sh)";
    ASSERT_EQ(expected.size(), 6u);
    for (const char* name : kTables) {
        const TTable table = Load(name);
        const std::vector<int>& want = expected[name];
        ASSERT_EQ(want.size(), 256u) << name;
        for (int b = 0; b < 256; ++b)
            EXPECT_EQ(table.t[b], want[static_cast<std::size_t>(b)]) << name << " byte " << b;
    }
}
#endif

TEST(TextCnv, CroatianLettersRoundTrip)
{
    const TTable to1250 = Load("CROSCII-CP1250");
    const TTable back = Load("CP1250-CROSCII");
    const int letters[] = {0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x60, 0x7B, 0x7C, 0x7D, 0x7E};
    const int in1250[] = {0x8E, 0x8A, 0xD0, 0xC6, 0xC8, 0x9E, 0x9A, 0xF0, 0xE6, 0xE8};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(to1250.t[letters[i]], in1250[i]);
        EXPECT_EQ(back.t[in1250[i]], letters[i]);
    }
    for (int b = 'A'; b <= 'Z'; ++b)
        EXPECT_EQ(back.t[to1250.t[b]], b);
}

TEST(TextCnv, SharedLettersRoundTripBetween852And1250)
{
    const TTable to1250 = Load("CP852-CP1250");
    const TTable to852 = Load("CP1250-CP852");
    int shared = 0;
    for (int b = 128; b < 256; ++b) {
        if (to1250.t[b] == b)
            continue;  // no counterpart
        ++shared;
        EXPECT_EQ(to852.t[to1250.t[b]], b) << b;
    }
    EXPECT_GT(shared, 90);
    // Ž, š and č in both directions.
    EXPECT_EQ(to1250.t[0xA6], 0x8E);
    EXPECT_EQ(to1250.t[0xE7], 0x9A);
    EXPECT_EQ(to1250.t[0x9F], 0xE8);
}

TEST(TextCnv, MacAndIsoLatin2)
{
    const TTable mac = Load("MacCE-CP1250");
    const TTable iso = Load("ISO8859-2-CP1250");
    EXPECT_EQ(mac.t[0x89], 0xC8);  // Č
    EXPECT_EQ(iso.t[0xA9], 0x8A);  // Š
    EXPECT_EQ(iso.t[0xE8], 0xE8);  // č sits where it does in 1250
    EXPECT_EQ(iso.t['a'], 'a');
}

TEST(TextCnv, ValuesWithALowZeroByteAndMissingKeysKeepTheByte)
{
    TTempDir dir;
    const std::string file = dir.File("TEXT.CNV");
    TTempDir::Write(file, "[T]\n65=0\n66=512\n67=68\n[Other]\n65=90\n");
    TTable table{};
    ASSERT_TRUE(ReadConvertTable(file, "T", table.t));
    EXPECT_EQ(table.t['A'], 'A');
    EXPECT_EQ(table.t['B'], 'B');
    EXPECT_EQ(table.t['C'], 'D');
    EXPECT_EQ(table.t['Z'], 'Z');
    EXPECT_FALSE(ReadConvertTable(file, "Missing", table.t));
    EXPECT_FALSE(ReadConvertTable(dir.File("none.cnv"), "T", table.t));
}

TEST(SectionNames, ScannedInOrderWithinTheSpaceGiven)
{
    TTempDir dir;
    const std::string file = dir.File("s.hgl");
    TTempDir::Write(file, "; c\n  [First]  \nkey=1\n[Second]\n[ no end\n[Third]\r\n");
    std::vector<std::string> names;
    ASSERT_TRUE(ScanSectionNames(file, &names));
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second", "Third"}));
    // "[First]" needs 7 + 2 bytes of the 10: it fits, and leaves too little for "[Second]".
    ASSERT_TRUE(ScanSectionNames(file, &names, 10));
    EXPECT_EQ(names, std::vector<std::string>{"First"});
    EXPECT_FALSE(ScanSectionNames(dir.File("missing"), &names));
}

// The conversion tables and the language definitions are listed by one scanner: an empty "[]" names no
// section (its empty name would end the list), and a form feed or end-of-file byte is a blank.
TEST(SectionNames, TheSameScanAsTheLanguageDefinitions)
{
    TTempDir dir;
    const std::string file = dir.File("t.cnv");
    TTempDir::Write(file, "[]\n\f[One]\x1A\n[Two]\n");
    std::vector<std::string> names;
    ASSERT_TRUE(ScanSectionNames(file, &names));
    EXPECT_EQ(names, (std::vector<std::string>{"One", "Two"}));
    char buffer[64];
    EXPECT_EQ(ScanSectionNames(file.c_str(), buffer, sizeof buffer), 2);
}

TEST(OemAnsi, CodePage437And1252)
{
    unsigned char oem2ansi[256];
    unsigned char ansi2oem[256];
    OemToAnsiTable(oem2ansi);
    AnsiToOemTable(ansi2oem);
    EXPECT_EQ(oem2ansi[0x82], 0xE9);  // é
    EXPECT_EQ(ansi2oem[0xE9], 0x82);
    EXPECT_EQ(oem2ansi[0xC4], 0xC4);  // a box line has no counterpart
    for (int b = 0; b < 128; ++b)
        EXPECT_EQ(oem2ansi[b], b);
    int shared = 0;
    for (int b = 128; b < 256; ++b)
        if (oem2ansi[b] != b) {
            ++shared;
            EXPECT_EQ(ansi2oem[oem2ansi[b]], b);
        }
    EXPECT_GT(shared, 50);
}
}  // namespace
