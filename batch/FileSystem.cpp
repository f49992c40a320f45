// File-system facts and steps for safe writes: kinds of files, permissions, links, new files, syncing.
#include "batch/FileSystem.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Tries numbered names beyond the first before giving up: a few may be left by runs that were killed.
constexpr int kNewFileAttempts = 100;

#ifdef _WIN32
int OpenNew(const std::string& name)
{
    return _open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
}
std::FILE* StreamOf(int fd)
{
    return _fdopen(fd, "wb");
}
void CloseDescriptor(int fd)
{
    _close(fd);
}
int DescriptorOf(std::FILE* file)
{
    return _fileno(file);
}
#else
int OpenNew(const std::string& name)
{
    return open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
}
std::FILE* StreamOf(int fd)
{
    return fdopen(fd, "wb");
}
void CloseDescriptor(int fd)
{
    close(fd);
}
int DescriptorOf(std::FILE* file)
{
    return fileno(file);
}
#endif

}  // namespace

TFileKind KindOf(const std::string& path)
{
    std::error_code ec;
    fs::file_status status = fs::status(fs::path(path), ec);
    if (!fs::exists(status))
        return TFileKind::Missing;
    if (fs::is_regular_file(status))
        return TFileKind::Regular;
    if (fs::is_directory(status))
        return TFileKind::Folder;
    return TFileKind::Other;
}

bool IsRegularFile(std::FILE* file)
{
    struct stat st {};
    return fstat(DescriptorOf(file), &st) == 0 && S_ISREG(st.st_mode);
}

std::string NotAFileReason(const std::string& path)
{
    return NotAFileReason(KindOf(path));
}

std::string NotAFileReason(TFileKind kind)
{
    switch (kind) {
    case TFileKind::Folder: return "not read: it is a folder";
    case TFileKind::Other: return "not read: it is not a regular file (a device, a pipe or a socket)";
    default: return {};
    }
}

bool MayWrite(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
#ifdef _WIN32
    return (st.st_mode & _S_IWRITE) && _access(path.c_str(), W_OK) == 0;
#else
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) && access(path.c_str(), W_OK) == 0;
#endif
}

bool WriteTarget(const std::string& path, std::string* target)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(fs::path(path), ec))) {
        *target = path;
        return true;
    }
    // A link to a file not there yet makes that file; weakly_canonical follows the link that far.
    fs::path resolved = fs::weakly_canonical(fs::path(path), ec);
    if (ec)
        return false;
    *target = resolved.string();
    return true;
}

#ifndef _WIN32
// The Windows answer is in win32/FileNames.cpp.
std::string ProgramPath(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.string();
    return argv0 ? argv0 : "";
}
#endif

#ifndef _WIN32
// The Windows count is in win32/FileNames.cpp.
unsigned long NameCount(const std::string& path)
{
    std::error_code ec;
    std::uintmax_t count = fs::hard_link_count(fs::path(path), ec);
    return ec || count == 0 ? 1 : static_cast<unsigned long>(count);
}
#endif

std::string NameKey(const std::string& path)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        absolute = fs::path(path);
    absolute = absolute.lexically_normal();
    fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec)
        folder = absolute.parent_path();
    std::string key = (folder / absolute.filename()).string();
#ifdef _WIN32
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c == '/')
            c = '\\';
    }
#endif
    return key;
}

std::FILE* CreateNewFileNamed(const std::string& name)
{
    int fd = OpenNew(name);
    if (fd < 0)
        return nullptr;
    std::FILE* file = StreamOf(fd);
    if (!file) {
        CloseDescriptor(fd);
        std::remove(name.c_str());
    }
    return file;
}

std::FILE* CreateNewFile(const std::string& path, const char* suffix, std::string* name)
{
    for (int i = 0; i < kNewFileAttempts; ++i) {
        std::string candidate = path + suffix + (i ? std::to_string(i) : std::string());
        std::FILE* file = CreateNewFileNamed(candidate);
        if (file) {
            *name = candidate;
            return file;
        }
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool SyncToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0 || std::ferror(file))
        return false;
#ifdef _WIN32
    return _commit(DescriptorOf(file)) == 0;
#else
    return fsync(DescriptorOf(file)) == 0;
#endif
}

bool MatchOwnerAndMode(std::FILE* file, const std::string& name, const std::string& original)
{
#ifdef _WIN32
    // Files here have no owner to keep; a read-only original is never replaced, so the new file keeps the
    // permissions it was made with.
    (void)file;
    (void)name;
    (void)original;
    return true;
#else
    (void)name;
    const int fd = DescriptorOf(file);
    if (original.empty()) {
        mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    struct stat want {};
    struct stat have {};
    if (stat(original.c_str(), &want) != 0 || fstat(fd, &have) != 0)
        return false;
    const bool owned =
        (want.st_uid == have.st_uid && want.st_gid == have.st_gid) || fchown(fd, want.st_uid, want.st_gid) == 0;
    // After the owner, which clears the set-user and set-group bits; those stay off on a file of another owner.
    const bool moded = fchmod(fd, want.st_mode & (owned ? 07777 : 0777)) == 0;
    return owned && moded;
#endif
}

bool CopyInto(const std::string& from, std::FILE* to)
{
    TCFile in(from, "rb");
    if (!in.Get())
        return false;
    char buffer[1 << 16];
    for (;;) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, in.Get());
        if (got && std::fwrite(buffer, 1, got, to) != got)
            return false;
        if (got < sizeof buffer)
            break;
    }
    return !std::ferror(in.Get()) && SyncToDisk(to);
}
