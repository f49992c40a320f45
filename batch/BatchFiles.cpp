// Loading and writing batch documents: the editor's messages, temporary files and backups.
#include "batch/BatchFiles.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/ByteStream.h"
#include "base/CFile.h"
#include "batch/FileSystem.h"
#include "editor_window/ViewMath.h"
#include "engine/EditorTypes.h"
#include "engine/VokEditor.h"
#include "import/ImportDocument.h"

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

// A name beside path that no file has at this moment.
std::string FreeName(const std::string& path, const char* suffix)
{
    std::error_code ec;
    for (int i = 0;; ++i) {
        std::string name = path + suffix + (i ? std::to_string(i) : std::string());
        if (!fs::exists(fs::symlink_status(PathOf(name), ec)))
            return name;
    }
}

// Moves from over to, replacing to. Some systems refuse to rename over an existing file; then the old
// file steps aside first and comes back if the move still fails.
bool ReplaceFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    fs::rename(PathOf(from), PathOf(to), ec);
    if (!ec)
        return true;
    const std::string aside = FreeName(to, ".ozmbatch-old");
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

std::string OwnBackup(const std::string& bak)
{
    return "not written: its backup would be " + bak + ", the file itself";
}

// Writes the document into file and closes it; true only when every byte reached the disk.
bool WriteAndClose(TVokEditor& ed, TCFile& file, int format)
{
    bool ok;
    {
        TFileOutStream out(file.Get());
        ok = ed.WriteFile(out, format);
    }
    ok = ok && SyncToDisk(file.Get());
    return file.Close() && ok;
}

// Copies the file from into the file to, replacing its bytes where it is.
bool CopyOver(const std::string& from, const std::string& to)
{
    TCFile file(to, "wb");
    if (!file.Get())
        return false;
    bool ok = CopyInto(from, file.Get());
    return file.Close() && ok;
}

// Writes over target where it is, so that every name of the file sees the new text. A complete copy of
// the old bytes is made first (the backup, when one is wanted) and put back if the write fails; only if
// that fails too is the copy left, and named in the message.
TFileResult WriteInPlace(TVokEditor& ed, const std::string& target, const std::string& shown, int format,
                         const std::string& bak)
{
    std::string copyName;
    std::FILE* copyFile = nullptr;
    std::error_code ec;
    if (bak.empty()) {
        copyFile = CreateNewFile(target, ".ozmbatch-old", &copyName);
    } else {
        fs::remove(PathOf(bak), ec);
        copyName = bak;
        copyFile = CreateNewFileNamed(bak);
    }
    if (!copyFile)
        return Fail(CannotOpenForWriting(bak.empty() ? shown : bak));
    const bool keepCopy = !bak.empty();
    {
        TCFile copy(copyFile);
        bool copied = CopyInto(target, copy.Get());
        // The backup stays; it is readable by whom the file was, as far as this user can arrange it.
        if (keepCopy)
            (void)MatchOwnerAndMode(copy.Get(), copyName, target);
        if (!copy.Close() || !copied) {
            std::remove(copyName.c_str());
            return Fail(kWriteError);
        }
    }
    TCFile file(target, "wb");
    if (!file.Get()) {
        if (!keepCopy)
            std::remove(copyName.c_str());
        return Fail(CannotOpenForWriting(shown));
    }
    if (WriteAndClose(ed, file, format)) {
        if (!keepCopy)
            std::remove(copyName.c_str());
        return {};
    }
    if (!CopyOver(copyName, target))
        return Fail(std::string(kWriteError) + "\n\nThe old text is kept in " + copyName + ".");
    if (!keepCopy)
        std::remove(copyName.c_str());
    return Fail(kWriteError);
}

// Writes a complete new file beside target and only then puts it in target's place, keeping the old
// file as the backup when one is wanted.
TFileResult WriteReplacing(TVokEditor& ed, const std::string& target, const std::string& shown, int format,
                           const std::string& bak, bool exists)
{
    std::string temp;
    TCFile file(CreateNewFile(target, ".ozmbatch-tmp", &temp));
    if (!file.Get())
        return Fail(CannotOpenForWriting(shown));
    if (!MatchOwnerAndMode(file.Get(), temp, exists ? target : std::string())) {
        // A new file would belong to this user instead of the old file's owner.
        file.Close();
        std::remove(temp.c_str());
        return WriteInPlace(ed, target, shown, format, bak);
    }
    if (!WriteAndClose(ed, file, format)) {
        std::remove(temp.c_str());
        return Fail(kWriteError);
    }
    std::error_code ec;
    bool renamed = false;
    if (!bak.empty()) {
        fs::remove(PathOf(bak), ec);
        // A second name keeps the old file under the backup name without a moment in which the file's own
        // name is missing; where names cannot be shared the old file is renamed instead.
        fs::create_hard_link(PathOf(target), PathOf(bak), ec);
        if (ec) {
            fs::rename(PathOf(target), PathOf(bak), ec);
            if (ec) {
                std::remove(temp.c_str());
                return Fail(CannotOpenForWriting(bak));
            }
            renamed = true;
        }
    }
    if (!ReplaceFile(temp, target)) {
        if (renamed)
            fs::rename(PathOf(bak), PathOf(target), ec);
        std::remove(temp.c_str());
        return Fail(CannotOpenForWriting(shown));
    }
    return {};
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
    // Asked before opening: opening a pipe waits for a writer, and a device reads without end.
    std::string reason = NotAFileReason(path);
    if (!reason.empty())
        return Fail(reason);
    TCFile file(path, "rb");
    if (!file.Get())
        return Fail(CannotOpenForReading(path));
    if (!IsRegularFile(file.Get()))
        return Fail(NotAFileReason(TFileKind::Other));
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

TFileResult ImportDocumentInto(TVokEditor& ed, const std::string& path, int wrapColumn, int tabSize)
{
    // Asked before reading, as for loading: a pipe or device would be read without end.
    std::string reason = NotAFileReason(path);
    if (!reason.empty())
        return Fail(reason);
    HeapMemFile text;
    if (!ImportDocument(path, {wrapColumn, tabSize}, text))
        return Fail(CannotOpenForReading(path));
    std::string_view lines = text.Text();
    lines.remove_suffix(1);  // the closing zero
    bool ok;
    {
        TUpdateBatch batch(ed);
        TMemInStream in(lines.data(), lines.size());
        ok = ed.ReadFile(in, nullptr);
    }
    if (!ok)
        return Fail(EngineErrorText(kErrOutOfMemory));
    return {};
}

TFileResult WriteDocument(TVokEditor& ed, TOutStream& out, int format)
{
    if (!ed.WriteFile(out, format))
        return Fail(kWriteError);
    return {};
}

std::string BackupOf(const std::string& path)
{
    std::string target;
    return BackupName(WriteTarget(path, &target) ? target : path);
}

TFileResult WriteDocument(TVokEditor& ed, const std::string& path, int format, bool backup)
{
    std::string target;
    if (!WriteTarget(path, &target))
        return Fail(CannotOpenForWriting(path));
    const TFileKind kind = KindOf(target);
    if (kind == TFileKind::Folder || kind == TFileKind::Other)
        return Fail(CannotOpenForWriting(path));
    const bool exists = kind == TFileKind::Regular;
    if (exists && !MayWrite(target))
        return Fail(CannotOpenForWriting(path));
    std::string bak;
    if (backup && exists) {
        bak = BackupName(target);
        if (NameKey(bak) == NameKey(target))
            return Fail(OwnBackup(bak));
    }
    // A file with other names is changed where it is: a new file in its place would leave the other
    // names holding the old text.
    const bool wasModified = ed.modified;
    TFileResult result = exists && NameCount(target) > 1 ? WriteInPlace(ed, target, path, format, bak)
                                                          : WriteReplacing(ed, target, path, format, bak, exists);
    // Writing the text clears the flag, but the file on disk may not hold it.
    if (!result.ok)
        ed.modified = wasModified;
    return result;
}
