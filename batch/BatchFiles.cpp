// Loading and writing batch documents: the editor's messages, temporary files and backups.
#include "batch/BatchFiles.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/ByteStream.h"
#include "base/CFile.h"
#include "editor_window/ViewMath.h"
#include "engine/EditorTypes.h"
#include "engine/VokEditor.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kStreamBuffer = 1 << 16;

std::string CannotOpenForReading(const std::string& path)
{
    return "Cannot open " + path + " file.\n\nMake sure a disk is in the drive you specified.";
}

std::string CannotOpenForWriting(const std::string& path)
{
    return "Cannot open " + path + " file.\n\nMake sure the disk is not full or write-protected.";
}

constexpr const char* kReadError = "Read Error !";
constexpr const char* kWriteError = "Write error !\n\nMake sure the disk is not full.";

TFileResult Fail(std::string message)
{
    return {false, std::move(message)};
}

fs::path PathOf(const std::string& text)
{
    return fs::path(text);
}

// Moves from over to, replacing to. Some systems refuse to rename over an existing file; then the old
// file steps aside first and comes back if the move still fails.
bool ReplaceFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    fs::rename(PathOf(from), PathOf(to), ec);
    if (!ec)
        return true;
    const std::string aside = to + ".ozmbatch-old";
    fs::remove(PathOf(aside), ec);
    fs::rename(PathOf(to), PathOf(aside), ec);
    if (ec)
        return false;
    fs::rename(PathOf(from), PathOf(to), ec);
    if (ec) {
        std::error_code restore;
        fs::rename(PathOf(aside), PathOf(to), restore);
        return false;
    }
    fs::remove(PathOf(aside), ec);
    return true;
}

}  // namespace

const char* FormatName(int format)
{
    switch (format) {
    case kFormatUnix: return "UNIX";
    case kFormatMac: return "Mac";
    default: return "DOS";
    }
}

TFileResult LoadDocument(TVokEditor& ed, const std::string& path, bool detect, int* format)
{
    TCFile file(path, "rb");
    if (!file.Get())
        return Fail(CannotOpenForReading(path));
    bool ok;
    bool readError;
    {
        TUpdateBatch batch(ed);
        TFileInStream in(file.Get(), kStreamBuffer);
        int16_t detected = static_cast<int16_t>(*format);
        ok = ed.ReadFile(in, detect ? &detected : nullptr);
        if (detect)
            *format = detected;
        readError = in.Failed() || std::ferror(file.Get());
    }
    if (!ok)
        return Fail(EngineErrorText(kErrOutOfMemory));
    if (readError)
        return Fail(kReadError);
    return {};
}

TFileResult WriteDocument(TVokEditor& ed, TOutStream& out, int format)
{
    if (!ed.WriteFile(out, format))
        return Fail(kWriteError);
    return {};
}

TFileResult WriteDocument(TVokEditor& ed, const std::string& path, int format, bool backup)
{
    const std::string temp = path + ".ozmbatch-tmp";
    {
        TCFile file(temp, "wb");
        if (!file.Get())
            return Fail(CannotOpenForWriting(path));
        bool ok;
        {
            TFileOutStream out(file.Get());
            ok = ed.WriteFile(out, format);
        }
        ok = file.Close() && ok;
        if (!ok) {
            std::remove(temp.c_str());
            return Fail(kWriteError);
        }
    }

    std::error_code ec;
    const bool existed = fs::exists(PathOf(path), ec);
    if (existed) {
        // The new file keeps the old one's permissions (an executable script stays executable).
        fs::permissions(PathOf(temp), fs::status(PathOf(path), ec).permissions(), ec);
    }
    if (backup && existed) {
        const std::string bak = BackupName(path);
        fs::remove(PathOf(bak), ec);
        fs::rename(PathOf(path), PathOf(bak), ec);
        if (ec) {
            std::remove(temp.c_str());
            return Fail(CannotOpenForWriting(bak));
        }
        fs::rename(PathOf(temp), PathOf(path), ec);
        if (ec) {
            std::error_code restore;
            fs::rename(PathOf(bak), PathOf(path), restore);
            std::remove(temp.c_str());
            return Fail(CannotOpenForWriting(path));
        }
        return {};
    }
    if (!ReplaceFile(temp, path)) {
        std::remove(temp.c_str());
        return Fail(CannotOpenForWriting(path));
    }
    return {};
}
