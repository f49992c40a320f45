// The character-set screen fonts: the font library beside the program read back resource by resource, the
// faces as the system offers them, and the Font menu's commands in a real frame.
#include "shell/win32/FrameFixture.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "base/win32/GdiTools.h"
#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/ScreenFonts.h"
#include "shell/win32/EditorFont.h"

namespace {

const char* const kFaces[] = {"VokTE_1250",      "VokTE_1252",      "VokTE_437",   "VokTE_CROSCII",
                              "VokTE_ISO8859-2", "VokTE_Mac_Roman", "VokTE_Mac_CE"};

std::string FontLibraryPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "OZME.DLL";
}

unsigned Word(const unsigned char* p) { return p[0] | p[1] << 8; }
unsigned Dword(const unsigned char* p) { return Word(p) | Word(p + 2) << 16; }

// One raster font resource as the file holds it.
struct TRasterFont {
    std::string face;
    unsigned version = 0, points = 0, vertRes = 0, pixWidth = 0, pixHeight = 0, pitchAndFamily = 0;
    unsigned firstChar = 0, lastChar = 0, weight = 0;
    std::vector<unsigned> widths;
    std::vector<std::string> glyphs;  // the bitmap bytes of each character from firstChar on
};

TRasterFont ParseFont(const unsigned char* p, unsigned size)
{
    TRasterFont f;
    f.version = Word(p);
    EXPECT_EQ(Dword(p + 2), size);
    f.points = Word(p + 68);
    f.vertRes = Word(p + 70);
    f.weight = Word(p + 83);
    f.pixWidth = Word(p + 86);
    f.pixHeight = Word(p + 88);
    f.pitchAndFamily = p[90];
    f.firstChar = p[95];
    f.lastChar = p[96];
    const unsigned face = Dword(p + 105);
    if (face < size)
        f.face.assign(reinterpret_cast<const char*>(p + face), strnlen(reinterpret_cast<const char*>(p + face), size - face));
    const unsigned columnBytes = (f.pixWidth + 7) / 8;
    for (unsigned c = f.firstChar; c <= f.lastChar; ++c) {
        const unsigned char* entry = p + 118 + (c - f.firstChar) * 4;
        const unsigned offset = Word(entry + 2);
        f.widths.push_back(Word(entry));
        const unsigned length = columnBytes * f.pixHeight;
        EXPECT_LE(offset + length, size) << f.face << " " << c;
        if (offset + length <= size)
            f.glyphs.emplace_back(reinterpret_cast<const char*>(p + offset), length);
        else
            f.glyphs.emplace_back();
    }
    return f;
}

class TFontLibrary {
public:
    TFontLibrary()
    {
        module_ = LoadLibraryExA(FontLibraryPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!module_)
            return;
        hasDirectory_ = FindResourceA(module_, MAKEINTRESOURCEA(1), RT_FONTDIR) != nullptr ||
                        FindResourceA(module_, "FONTDIR", RT_FONTDIR) != nullptr;
        EnumResourceNamesA(module_, RT_FONT, &TFontLibrary::Collect, reinterpret_cast<LONG_PTR>(this));
    }
    TFontLibrary(const TFontLibrary&) = delete;  // owns the loaded module
    TFontLibrary& operator=(const TFontLibrary&) = delete;
    ~TFontLibrary()
    {
        if (module_)
            FreeLibrary(module_);
    }
    bool Loaded() const { return module_ != nullptr; }
    bool HasDirectory() const { return hasDirectory_; }
    const std::vector<TRasterFont>& Fonts() const { return fonts_; }
    // The 9-point font of a face, or null.
    const TRasterFont* Small(const std::string& face) const
    {
        for (const TRasterFont& f : fonts_)
            if (f.face == face && f.points == 9)
                return &f;
        return nullptr;
    }

private:
    static BOOL CALLBACK Collect(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR self)
    {
        auto* library = reinterpret_cast<TFontLibrary*>(self);
        HRSRC found = FindResourceA(module, name, type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
        if (bytes && SizeofResource(module, found) > 118)
            library->fonts_.push_back(ParseFont(bytes, SizeofResource(module, found)));
        return TRUE;
    }

    HMODULE module_ = nullptr;
    bool hasDirectory_ = false;
    std::vector<TRasterFont> fonts_;
};

// Each face's set as the system's code page tables decode it, independent of the generator's tables;
// CROSCII, which the system does not know, is ASCII with ten letters taken from code page 1250.
struct TFaceSet {
    const char* face;
    unsigned codePage;
};
const TFaceSet kSets[] = {{"VokTE_1250", 1250},     {"VokTE_1252", 1252},       {"VokTE_437", 437},
                          {"VokTE_CROSCII", 0},     {"VokTE_ISO8859-2", 28592}, {"VokTE_Mac_Roman", 10000},
                          {"VokTE_Mac_CE", 10029}};
const unsigned char kCroscii[][2] = {{0x40, 0x8E}, {0x5B, 0x8A}, {0x5C, 0xD0}, {0x5D, 0xC6}, {0x5E, 0xC8},
                                     {0x60, 0x9E}, {0x7B, 0x9A}, {0x7C, 0xF0}, {0x7D, 0xE6}, {0x7E, 0xE8}};

// The character a byte stands for, or 0 where the set leaves it undefined (the C1 controls included).
wchar_t Decode(unsigned codePage, unsigned char byte)
{
    if (codePage == 0) {
        for (const auto& pair : kCroscii)
            if (pair[0] == byte)
                return Decode(1250, pair[1]);
        return byte < 0x80 ? byte : 0;
    }
    wchar_t c = 0;
    const char in = static_cast<char>(byte);
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, &c, 1) != 1)
        return 0;
    return c >= 0x80 && c <= 0x9F ? 0 : c;
}

bool Blank(const std::string& glyph)
{
    return glyph.find_first_not_of('\0') == std::string::npos;
}

TEST(ScreenFontFile, HoldsEveryFaceInTwoSizesOfOneWidthWithItsDirectory)
{
    TFontLibrary library;
    ASSERT_TRUE(library.Loaded()) << FontLibraryPath();
    EXPECT_TRUE(library.HasDirectory());
    ASSERT_EQ(library.Fonts().size(), 14u);
    std::map<std::string, std::vector<unsigned>> sizes;
    for (const TRasterFont& f : library.Fonts()) {
        EXPECT_EQ(f.version, 0x200u) << f.face;
        EXPECT_EQ(f.vertRes, 96u) << f.face;
        EXPECT_EQ(f.weight, 400u) << f.face;
        EXPECT_EQ(f.pitchAndFamily & 1, 0u) << f.face;  // the bit marks variable pitch
        EXPECT_EQ(f.firstChar, 32u) << f.face;
        EXPECT_EQ(f.lastChar, 255u) << f.face;
        EXPECT_NE(f.pixWidth, 0u) << f.face;
        for (std::size_t i = 0; i < f.widths.size(); ++i)
            EXPECT_EQ(f.widths[i], f.pixWidth) << f.face << " " << i + 32;
        sizes[f.face].push_back(f.points);
    }
    for (const char* face : kFaces) {
        ASSERT_EQ(sizes[face].size(), 2u) << face;
        EXPECT_NE(sizes[face][0], sizes[face][1]) << face;
        EXPECT_TRUE(sizes[face][0] == 9 || sizes[face][1] == 9) << face;
    }
}

// Every byte shows the glyph of its character: the same character has the same glyph in every face, the
// letters differ from what the same byte shows in other sets, and an undefined byte shows the box, never a
// blank.
TEST(ScreenFontFile, EveryByteShowsTheGlyphOfItsCharacterInItsSet)
{
    TFontLibrary library;
    ASSERT_TRUE(library.Loaded());
    std::map<wchar_t, std::string> known;  // a glyph for each character seen in 1250 and 1252
    for (const char* face : {"VokTE_1250", "VokTE_1252"}) {
        const TRasterFont* f = library.Small(face);
        ASSERT_NE(f, nullptr) << face;
        const unsigned cp = std::strcmp(face, "VokTE_1250") == 0 ? 1250 : 1252;
        for (unsigned b = 32; b <= 255; ++b)
            if (wchar_t c = Decode(cp, static_cast<unsigned char>(b)))
                known.emplace(c, f->glyphs[b - 32]);
    }
    ASSERT_NE(library.Small("VokTE_CROSCII"), nullptr);
    const std::string box = library.Small("VokTE_1252")->glyphs[0x81 - 32];
    EXPECT_FALSE(Blank(box));
    for (const TFaceSet& set : kSets) {
        const TRasterFont* f = library.Small(set.face);
        ASSERT_NE(f, nullptr) << set.face;
        int compared = 0;
        for (unsigned b = 32; b <= 255; ++b) {
            const std::string& glyph = f->glyphs[b - 32];
            const wchar_t c = Decode(set.codePage, static_cast<unsigned char>(b));
            if (c == 0) {
                EXPECT_EQ(glyph, box) << set.face << " byte " << b;
                continue;
            }
            if (c != L' ' && c != 0xA0)
                EXPECT_FALSE(Blank(glyph)) << set.face << " byte " << b;
            auto same = known.find(c);
            if (same != known.end()) {
                EXPECT_EQ(glyph, same->second) << set.face << " byte " << b << " U+" << std::hex << int(c);
                ++compared;
            }
        }
        EXPECT_GT(compared, 95) << set.face;
    }
    // The ten Croatian letters of CROSCII are letters, not the punctuation of the same bytes in ASCII.
    const TRasterFont* croscii = library.Small("VokTE_CROSCII");
    const TRasterFont* ansi = library.Small("VokTE_1252");
    for (const auto& pair : kCroscii)
        EXPECT_NE(croscii->glyphs[pair[0] - 32], ansi->glyphs[pair[0] - 32]) << int(pair[0]);
}

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param)
{
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(lf->lfFaceName);
    return 1;
}

class ScreenFontFrameTest : public FrameTest {
protected:
    void TearDown() override
    {
        FrameTest::TearDown();
        // The frames of later tests start with the default font, whatever was chosen here.
        TSettings& o = ProgramSettings();
        lstrcpynA(o.fontName, "Courier", sizeof o.fontName);
        o.fontSize = 10;
        o.fontWeight = 400;
    }
    void OpenFontMenu()
    {
        HMENU bar = GetMenu(hwnd);
        const int pos = MenuPosition(TTopMenu::Font, false);
        SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, pos)), MAKELPARAM(pos, FALSE));
    }
    bool Checked(int id)
    {
        return (GetMenuState(GetMenu(hwnd), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    static std::string FaceOf(HFONT font)
    {
        TWindowDC screen(nullptr);
        TSelectObject useFont(screen.Dc(), font);
        char face[LF_FACESIZE] = {};
        GetTextFaceA(screen.Dc(), sizeof face, face);
        return face;
    }
};

// Without the font library the command still succeeds, silently, with the system's fixed-pitch font, and
// no character-set item is checked. It runs before any test here makes that face: the system keeps a face it
// has made in its cache after the font file is removed.
TEST_F(ScreenFontFrameTest, WithoutTheFontLibraryAFaceFallsBackSilently)
{
    const std::string library = FontLibraryPath();
    ASSERT_TRUE(RemoveFontResourceA(library.c_str()));
    Command(CM_FONTMACCE);
    const bool added = AddFontResourceA(library.c_str()) > 0;
    EXPECT_TRUE(services.shown.empty());
    EXPECT_STRNE(ProgramSettings().fontName, "VokTE_Mac_CE");
    EXPECT_TRUE(TEditorFont::IsFixedPitch(frame->EditorFont()));
    OpenFontMenu();
    EXPECT_FALSE(Checked(CM_FONTMACCE));
    EXPECT_TRUE(added);
}

// The frame adds the font library at start-up: the system then offers all seven faces, each of one width
// from 32 to 255, in the larger size too (the 9-point one is made by the commands).
TEST_F(ScreenFontFrameTest, AfterStartUpTheSystemOffersTheSevenFixedPitchFaces)
{
    std::vector<std::string> faces;
    {
        TWindowDC screen(nullptr);
        EnumFontFamiliesA(screen.Dc(), nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
    }
    for (const char* face : kFaces) {
        EXPECT_NE(std::find(faces.begin(), faces.end(), face), faces.end()) << face;
        TEditorFont font;
        EXPECT_TRUE(font.Create(face, 15, kScreenFontWeight)) << face;
        EXPECT_EQ(FaceOf(font.Get()), face);
        EXPECT_TRUE(TEditorFont::IsFixedPitch(font.Get())) << face;
    }
}

TEST_F(ScreenFontFrameTest, ChoosingAFaceWritesTheSettingsRemeasuresAndChecksIt)
{
    Open(folder.Write("a.txt", "\x5e" "a\x7b\r\n"));
    ASSERT_EQ(frame->Editors().size(), 1u);
    Command(CM_FONTCROSCII);
    EXPECT_STREQ(ProgramSettings().fontName, "VokTE_CROSCII");
    EXPECT_EQ(ProgramSettings().fontSize, 9);
    EXPECT_EQ(ProgramSettings().fontWeight, 400);
    EXPECT_EQ(FaceOf(frame->EditorFont()), "VokTE_CROSCII");
    EXPECT_EQ(frame->Editors()[0]->CellWidth(), 7);  // the 9-point cell
    OpenFontMenu();
    EXPECT_TRUE(Checked(CM_FONTCROSCII));
    EXPECT_FALSE(Checked(CM_FONT1250));
    // ISO 8859-1 is the 1252 face: both items are checked.
    Command(CM_FONTISO1);
    EXPECT_STREQ(ProgramSettings().fontName, "VokTE_1252");
    OpenFontMenu();
    EXPECT_TRUE(Checked(CM_FONT1252));
    EXPECT_TRUE(Checked(CM_FONTISO1));
    EXPECT_FALSE(Checked(CM_FONTCROSCII));
    Command(CM_FONTCROSCII);
    // The settings file holds the face and size after the frame is gone.
    frame->Editors()[0]->modified = false;
    DestroyWindow(hwnd);
    PumpMessages();
    const std::string ini = folder.File("ozm.ini");
    char text[64] = {};
    GetPrivateProfileStringA("Settings", "FontName", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "VokTE_CROSCII");
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "FontSize", 0, ini.c_str()), 9);
}

}  // namespace
