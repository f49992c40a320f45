// The keymap file: a little-endian image of the seven key tables and the macros, with its messages.
#include "keys/KeymapFile.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "base/ByteStream.h"
#include "base/TextTools.h"
#include "engine/Alloc.h"
#include "keys/KeyMap.h"
#include "macros/MacroTable.h"

namespace {

constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kMacroHeaderSize = kMacroNameSize + kMacroDescriptionSize + 4;  // 116 bytes
constexpr std::size_t kCopyBufferSize = 256;

std::size_t BoundedLength(const char* text, std::size_t max)
{
    std::size_t n = 0;
    while (n < max && text[n])
        ++n;
    return n;
}

void PutU16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, unsigned long value)
{
    PutU16(out, static_cast<unsigned>(value & 0xFFFF));
    PutU16(out, static_cast<unsigned>((value >> 16) & 0xFFFF));
}

void PutField(std::string& out, const char* text, std::size_t size)
{
    // Unused bytes are zero so that equal tables always give equal files.
    std::size_t n = BoundedLength(text, size - 1);
    out.append(text, n);
    out.append(size - n, '\0');
}

// Reads little-endian values from the file image; any read past the end marks it as failed and reads 0.
class TImageReader {
public:
    explicit TImageReader(const std::string& image) : image_(image) {}
    bool Ok() const { return ok_; }
    void Seek(unsigned long offset)
    {
        if (offset > image_.size())
            ok_ = false;
        else
            pos_ = offset;
    }
    bool Has(std::size_t n) const { return ok_ && image_.size() - pos_ >= n; }
    unsigned U16()
    {
        if (!Has(2)) {
            ok_ = false;
            return 0;
        }
        unsigned v = static_cast<unsigned char>(image_[pos_]) |
                     (static_cast<unsigned char>(image_[pos_ + 1]) << 8);
        pos_ += 2;
        return v;
    }
    unsigned long U32()
    {
        unsigned long lo = U16();
        unsigned long hi = U16();
        return lo | (hi << 16);
    }
    // Copies a fixed-size text field, always terminated, even when the file left out the terminator.
    void Field(char* dest, std::size_t size)
    {
        if (!Has(size)) {
            ok_ = false;
            dest[0] = '\0';
            return;
        }
        std::size_t n = BoundedLength(image_.data() + pos_, size - 1);
        std::memcpy(dest, image_.data() + pos_, n);
        dest[n] = '\0';
        pos_ += size;
    }
    void Skip(std::size_t n)
    {
        if (!Has(n))
            ok_ = false;
        else
            pos_ += n;
    }

private:
    const std::string& image_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

std::string KeyMapSection(const TKeyMap& keyMap)
{
    std::string out;
    PutU16(out, 1);
    PutU16(out, kPrefixTableCount);
    for (int n = 0; n <= kPrefixTableCount; ++n) {
        const TKeyTable& table = n == 0 ? keyMap.MainTable() : keyMap.PrefixTable(n);
        PutU16(out, static_cast<unsigned>(table.Count()));
        for (int i = 0; i < table.Count(); ++i) {
            PutU16(out, table.At(i).key);
            PutU16(out, table.At(i).command);
        }
    }
    return out;
}

std::string MacroSection(const TMacroTable& macros)
{
    std::string out;
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(macros.Count()));
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const MacroRecord* r = macros.Slot(slot);
        if (!r)
            continue;
        PutField(out, r->name, kMacroNameSize);
        PutField(out, r->description, kMacroDescriptionSize);
        PutU16(out, r->commandNumber);
        unsigned count = r->steps ? r->stepCount : 0;
        PutU16(out, count);
        for (unsigned i = 0; i < count; ++i) {
            PutU16(out, r->steps[i].command);
            PutU16(out, r->steps[i].argument);
        }
    }
    return out;
}

// Reads the seven tables; counts beyond the capacities mean a file this program did not write.
TKeymapResult ReadKeyTables(TImageReader& reader, TKeyMap& fresh)
{
    reader.U16();
    reader.U16();
    for (int n = 0; n <= kPrefixTableCount; ++n) {
        TKeyTable& table = fresh.Table(n);
        unsigned count = reader.U16();
        if (!reader.Ok())
            return TKeymapResult::ReadError;
        if (count > static_cast<unsigned>(table.Capacity()))
            return TKeymapResult::NotCompatible;
        for (unsigned i = 0; i < count; ++i) {
            uint16_t key = static_cast<uint16_t>(reader.U16());
            uint16_t command = static_cast<uint16_t>(reader.U16());
            // A key occurs once per table; a repeated one in a damaged file could never be reached anyway.
            if (table.Find(key) < 0)
                (void)table.Set(key, command);
        }
    }
    return reader.Ok() ? TKeymapResult::Ok : TKeymapResult::ReadError;
}

TKeymapResult ReadMacros(TImageReader& reader, TMacroTable& fresh, bool* outOfMemory)
{
    reader.U16();
    unsigned count = reader.U16();
    for (unsigned m = 0; m < count && reader.Ok(); ++m) {
        MacroRecord header = {};
        reader.Field(header.name, kMacroNameSize);
        reader.Field(header.description, kMacroDescriptionSize);
        unsigned number = reader.U16();
        unsigned steps = reader.U16();
        if (!reader.Ok())
            break;
        if (steps > static_cast<unsigned>(kMaxMacroSteps))
            return TKeymapResult::NotCompatible;
        if (!reader.Has(4u * steps))
            return TKeymapResult::ReadError;
        if (number < kFirstMacroNumber || number > kLastMacroNumber) {
            reader.Skip(4u * steps);
            continue;
        }
        int slot = static_cast<int>(number - kFirstMacroNumber);
        fresh.Release(slot);
        MacroRecord* r = fresh.Create(slot);
        MacroStep* block = nullptr;
        if (r && steps)
            block = static_cast<MacroStep*>(VokAlloc(sizeof(MacroStep) * steps));
        if (!r || (steps && !block)) {
            *outOfMemory = true;
            reader.Skip(4u * steps);
            if (!r)
                continue;
            steps = 0;
        }
        std::memcpy(r->name, header.name, sizeof r->name);
        std::memcpy(r->description, header.description, sizeof r->description);
        for (unsigned i = 0; i < steps; ++i) {
            block[i].command = static_cast<uint16_t>(reader.U16());
            block[i].argument = static_cast<uint16_t>(reader.U16());
        }
        r->steps = block;
        r->stepCount = static_cast<uint16_t>(steps);
    }
    return reader.Ok() ? TKeymapResult::Ok : TKeymapResult::ReadError;
}

TKeymapResult ParseImage(const std::string& image, TKeyMap& keyMap, TMacroTable& macros)
{
    if (image.size() < kSignatureSize || image.compare(0, kSignatureSize, kKeymapSignature) != 0)
        return TKeymapResult::NotCompatible;
    TImageReader reader(image);
    reader.Seek(12);
    unsigned long keyMapOffset = reader.U32();
    unsigned long macroOffset = reader.U32();
    if (!reader.Ok())
        return TKeymapResult::ReadError;

    // Everything is read into fresh tables first: a damaged file must not leave the user half a key map.
    TKeyMap freshMap;
    reader.Seek(keyMapOffset);
    TKeymapResult result = ReadKeyTables(reader, freshMap);
    if (result != TKeymapResult::Ok)
        return result;
    TMacroTable freshMacros;
    bool outOfMemory = false;
    reader.Seek(macroOffset);
    result = ReadMacros(reader, freshMacros, &outOfMemory);
    if (result != TKeymapResult::Ok)
        return result;

    keyMap = freshMap;
    keyMap.SetModified(false);
    macros.TakeMacrosFrom(freshMacros);
    macros.SetChanged(false);
    return outOfMemory ? TKeymapResult::OutOfMemory : TKeymapResult::Ok;
}

bool SamePath(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] == '/' ? '\\' : LowerAscii(a[i]);
        char y = b[i] == '/' ? '\\' : LowerAscii(b[i]);
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

std::string KeymapMessage(TKeymapResult result, const std::string& path)
{
    switch (result) {
    case TKeymapResult::Ok:
    case TKeymapResult::NotFound:
        return std::string();
    case TKeymapResult::NotCompatible:
        return "Keymap file is not compatible with this version of Vok Text Editor.";
    case TKeymapResult::OutOfMemory:
        return "Not enought memory to load macros.\n\nSave all modified files and quit Vok Text Editor.";
    case TKeymapResult::ReadError:
        return "Read Error !";
    case TKeymapResult::CannotCreate:
        return "Cannot open " + path + " file.\n\nMake sure the disk is not full or write-protected.";
    case TKeymapResult::WriteError:
        return "Write error !\n\nMake sure the disk is not full.";
    case TKeymapResult::NoResetFile:
        return "Cannot open DEFKEY.OZM file.";
    case TKeymapResult::ResetFailed:
        return "An error occur while reseting key mapping and macros.\nMake sure that disk is not full.";
    }
    return std::string();
}

TMessageIcon KeymapMessageIcon(TKeymapResult result)
{
    switch (result) {
    case TKeymapResult::NotCompatible:
    case TKeymapResult::OutOfMemory:
    case TKeymapResult::CannotCreate:
        return TMessageIcon::Stop;
    case TKeymapResult::ReadError:
    case TKeymapResult::WriteError:
        return TMessageIcon::Information;
    case TKeymapResult::NoResetFile:
    case TKeymapResult::ResetFailed:
        return TMessageIcon::Exclamation;
    case TKeymapResult::Ok:
    case TKeymapResult::NotFound:
        break;
    }
    return TMessageIcon::None;
}

std::string KeymapFileImage(const TKeyMap& keyMap, const TMacroTable& macros)
{
    std::string keySection = KeyMapSection(keyMap);
    std::string image(kKeymapSignature, kSignatureSize);
    PutU16(image, 0);
    PutU16(image, 0);
    PutU32(image, kHeaderSize);
    PutU32(image, kHeaderSize + keySection.size());
    image += keySection;
    image += MacroSection(macros);
    return image;
}

TKeymapResult LoadKeymap(TInStream& in, TKeyMap& keyMap, TMacroTable& macros)
{
    std::string image;
    try {
        // The signature comes first, so that a large file of another kind is refused before it is read.
        for (int c = in.Get(); c != TInStream::kEof; c = in.Get()) {
            image += static_cast<char>(c);
            if (image.size() == kSignatureSize && image != kKeymapSignature)
                return TKeymapResult::NotCompatible;
        }
    } catch (const std::bad_alloc&) {
        return TKeymapResult::OutOfMemory;
    }
    if (in.Failed())
        return TKeymapResult::ReadError;
    return ParseImage(image, keyMap, macros);
}

TKeymapResult SaveKeymap(TOutStream& out, TKeyMap& keyMap, TMacroTable& macros)
{
    std::string image = KeymapFileImage(keyMap, macros);
    if (!out.Write(image.data(), image.size()) || !out.Flush())
        return TKeymapResult::WriteError;
    keyMap.SetModified(false);
    macros.SetChanged(false);
    return TKeymapResult::Ok;
}

TKeymapResult LoadKeymapFile(const std::string& path, TKeyMap& keyMap, TMacroTable& macros)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return TKeymapResult::NotFound;
    TKeymapResult result;
    {
        TFileInStream in(file);
        result = LoadKeymap(in, keyMap, macros);
    }
    std::fclose(file);
    return result;
}

TKeymapResult SaveKeymapFile(const std::string& path, TKeyMap& keyMap, TMacroTable& macros)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return TKeymapResult::CannotCreate;
    std::string image = KeymapFileImage(keyMap, macros);
    bool ok = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        return TKeymapResult::WriteError;
    keyMap.SetModified(false);
    macros.SetChanged(false);
    return TKeymapResult::Ok;
}

TKeymapResult ResetKeymapFile(const std::string& resetPath, const std::string& path, TKeyMap& keyMap,
                              TMacroTable& macros)
{
    std::FILE* source = std::fopen(resetPath.c_str(), "rb");
    if (!source)
        return TKeymapResult::NoResetFile;
    // Copying a file over itself would first empty it: the reset file would be lost.
    if (!SamePath(resetPath, path)) {
        std::FILE* dest = std::fopen(path.c_str(), "wb");
        if (!dest) {
            std::fclose(source);
            return TKeymapResult::ResetFailed;
        }
        char buffer[kCopyBufferSize];
        bool ok = true;
        std::size_t n;
        while (ok && (n = std::fread(buffer, 1, sizeof buffer, source)) > 0)
            ok = std::fwrite(buffer, 1, n, dest) == n;
        ok = ok && !std::ferror(source);
        ok = std::fclose(dest) == 0 && ok;
        if (!ok) {
            std::fclose(source);
            return TKeymapResult::ResetFailed;
        }
    }
    std::fclose(source);
    TKeymapResult result = LoadKeymapFile(path, keyMap, macros);
    return result == TKeymapResult::NotFound ? TKeymapResult::ResetFailed : result;
}
