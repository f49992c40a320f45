// Loading a file into an editor window, saving it with a backup, and asking before the window closes.
#include <cstdio>
#include <string>

#include <io.h>

#include "base/ByteStream.h"
#include "base/CFile.h"
#include "editor_window/ViewMath.h"
#include "editor_window/win32/EditorServices.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "engine/Options.h"

namespace {
constexpr std::size_t kStreamBuffer = 32000;

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Flushes the file and forces its data to the disk, so a replacement is complete before it is renamed.
bool SyncToDisk(std::FILE* file)
{
    return std::fflush(file) == 0 && !std::ferror(file) && _commit(_fileno(file)) == 0;
}

// How many names the file has (hard links); 1 when it cannot be told.
DWORD NameCount(const char* path)
{
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    BY_HANDLE_FILE_INFORMATION info;
    DWORD count = GetFileInformationByHandle(h, &info) ? info.nNumberOfLinks : 1;
    CloseHandle(h);
    return count;
}

// Copies the bytes of from over those of to, keeping to the same file; true when all reached the disk.
bool CopyBytes(const char* from, const char* to)
{
    TCFile in(from, "rb");
    TCFile out(to, "wb");
    if (!in.Get() || !out.Get())
        return false;
    char buffer[1 << 14];
    for (;;) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, in.Get());
        if (got && std::fwrite(buffer, 1, got, out.Get()) != got)
            return false;
        if (got < sizeof buffer)
            break;
    }
    return !std::ferror(in.Get()) && SyncToDisk(out.Get()) && out.Close();
}
}  // namespace

bool TWindowsEditor::LoadFile(const char* path, bool detect)
{
    TEditorServices* services = EditorServices();
    TDesktopPlace place;
    const bool remembered = services->DesktopFind(path, &place);
    if (remembered && place.width > 0 && place.height > 0)
        MoveWindow(hwnd_, place.left, place.top, place.width, place.height, TRUE);

    TCFile file(path, "rb");
    if (!file.Get()) {
        services->Message(hwnd_, 15005, path, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    bool ok;
    bool readError;
    {
        TUpdateBatch batch(*this);
        TFileInStream in(file.Get(), kStreamBuffer);
        int16_t format = static_cast<int16_t>(fileFormat_);
        ok = ReadFile(in, detect ? &format : nullptr);
        if (detect)
            fileFormat_ = format;
        readError = in.Failed();
        if (ok && remembered && !readError) {
            GotoPosition(place.col, place.line, false);
            EnsureCursorVisible();
        }
    }
    file.Close();
    if (!ok) {
        // A file larger than memory allows: the window that goes away must say why.
        ReportError(kErrOutOfMemory);
        return false;
    }
    if (readError) {
        services->Message(hwnd_, 15006, nullptr, MB_OK | MB_ICONSTOP);
        return false;
    }
    fileName_ = path;
    return true;
}

bool TWindowsEditor::TakeText(const char* text, std::size_t length)
{
    bool ok;
    {
        TUpdateBatch batch(*this);
        TMemInStream in(text, length);
        ok = ReadFile(in, nullptr);
        fileFormat_ = 0;
        GotoPosition(0, 0, false);
        EnsureCursorVisible();
    }
    modified = false;
    return ok;
}

bool TWindowsEditor::WriteToFile(const char* path, int format, bool backup, bool blockOnly)
{
    TEditorServices* services = EditorServices();
    const bool wasModified = modified;
    auto refuse = [&](unsigned id, const char* arg) {
        modified = wasModified;
        services->Message(hwnd_, id, arg, id == 15008 ? MB_OK | MB_ICONSTOP : MB_OK | MB_ICONEXCLAMATION);
        return false;
    };
    auto writeInto = [&](TCFile& file) {
        bool ok;
        {
            TFileOutStream out(file.Get());
            ok = blockOnly ? WriteBlock(out, format) : WriteFile(out, format);
        }
        ok = ok && SyncToDisk(file.Get());
        return file.Close() && ok;
    };

    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return refuse(15007, path);
    const std::string bak = BackupName(path);
    // A file named like its own backup keeps no backup: deleting the older backup would delete the file.
    if (backup && lstrcmpiA(bak.c_str(), path) == 0)
        backup = false;

    if (exists && NameCount(path) > 1) {
        // Other names of the file must see the new text, so it is written where it is, after a complete
        // copy of the old bytes that goes back in if the write fails.
        char temp[MAX_PATH];
        const char* copyName = backup ? bak.c_str() : temp;
        if (!backup && !GetTempFileNameA(FolderOf(path).c_str(), "ozm", 0, temp))
            return refuse(15007, path);
        // The older backup may be one more name of this very file: it goes before the copy is made.
        if (backup)
            DeleteFileA(bak.c_str());
        if (!CopyBytes(path, copyName)) {
            DeleteFileA(copyName);
            return refuse(15007, copyName);
        }
        TCFile file(path, "wb");
        if (!file.Get()) {
            if (!backup)
                DeleteFileA(temp);
            return refuse(15007, path);
        }
        if (!writeInto(file)) {
            if (CopyBytes(copyName, path) && !backup)
                DeleteFileA(temp);
            return refuse(15008, nullptr);
        }
        if (!backup)
            DeleteFileA(temp);
    } else {
        // The document goes to a new file beside the old one first; the old file is replaced only once the
        // new one is complete, so no failure can leave the user without either.
        char temp[MAX_PATH];
        if (!GetTempFileNameA(FolderOf(path).c_str(), "ozm", 0, temp))
            return refuse(15007, path);
        TCFile file(temp, "wb");
        if (!file.Get()) {
            DeleteFileA(temp);
            return refuse(15007, path);
        }
        if (!writeInto(file)) {
            DeleteFileA(temp);
            return refuse(15008, nullptr);
        }
        bool renamed = false;
        if (exists && backup) {
            DeleteFileA(bak.c_str());
            renamed = MoveFileA(path, bak.c_str()) != 0;
        }
        if (!MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            if (renamed)
                MoveFileA(bak.c_str(), path);
            DeleteFileA(temp);
            return refuse(15007, path);
        }
    }
    modified = blockOnly ? wasModified : false;
    return true;
}

bool TWindowsEditor::Save()
{
    if (fileName_.empty())
        return SaveAs();
    bool ok = WriteToFile(fileName_.c_str(), fileFormat_, EngineOptions().backupFiles, false);
    Notify(kNotifyStatus);
    return ok;
}

bool TWindowsEditor::SaveAs()
{
    char path[260] = {};
    if (fileName_.empty())
        GetWindowTextA(hwnd_, path, sizeof path);
    else
        lstrcpynA(path, fileName_.c_str(), sizeof path);
    int format = fileFormat_;
    bool backup = EngineOptions().backupFiles;
    if (!EditorServices()->SaveAsDialog(hwnd_, path, &format, &backup)) {
        fileName_.clear();
        TitleChanged();
        return false;
    }
    fileFormat_ = format;
    EngineOptions().backupFiles = backup;
    fileName_ = path;
    SetWindowTextA(hwnd_, path);
    TitleChanged();
    bool ok = WriteToFile(path, format, backup, false);
    Notify(kNotifyStatus);
    return ok;
}

bool TWindowsEditor::SaveBlock()
{
    char path[260] = {};
    int format = fileFormat_;
    bool backup = EngineOptions().backupFiles;
    if (!EditorServices()->SaveAsDialog(hwnd_, path, &format, &backup))
        return false;
    EngineOptions().backupFiles = backup;
    return WriteToFile(path, format, backup, true);
}

bool TWindowsEditor::ReadBlockFile()
{
    TEditorServices* services = EditorServices();
    char path[260] = {};
    if (!services->OpenDialog(hwnd_, path))
        return false;
    TCFile file(path, "rb");
    if (!file.Get()) {
        services->Message(hwnd_, 15005, path, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    bool ok;
    bool readError;
    {
        TUpdateBatch batch(*this);
        TFileInStream in(file.Get(), kStreamBuffer);
        ok = InsertFile(in);
        readError = in.Failed();
    }
    if (readError) {
        services->Message(hwnd_, 15006, nullptr, MB_OK | MB_ICONSTOP);
        return false;
    }
    return ok;
}

bool TWindowsEditor::CanClose()
{
    TEditorServices* services = EditorServices();
    if (services->SaveDialogOpen()) {
        services->Message(GetFocus(), 15003, nullptr, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (modified) {
        char title[260] = {};
        GetWindowTextA(hwnd_, title, sizeof title);
        int answer = services->Message(hwnd_, 15004, title, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES) {
            ExecuteCommand(cmSaveFile, 0);
            if (modified)
                return false;
        }
    }
    if (!fileName_.empty()) {
        TDesktopPlace place;
        place.col = curCol;
        place.line = curLineNo;
        HWND client = GetParent(hwnd_);
        HWND frame = client ? GetParent(client) : nullptr;
        RECT r = createdRect_;
        if (!IsIconic(hwnd_) && !IsZoomed(hwnd_) && !(frame && IsIconic(frame))) {
            GetWindowRect(hwnd_, &r);
            MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        }
        place.left = r.left;
        place.top = r.top;
        place.width = r.right - r.left;
        place.height = r.bottom - r.top;
        place.show = IsIconic(hwnd_) ? 2 : (IsZoomed(hwnd_) ? 3 : 1);
        services->DesktopStore(fileName_.c_str(), place);
    }
    return true;
}
