// An open C file owned for one scope, the partner of the file streams in base/ByteStream.h.
#pragma once

#include <cstdio>
#include <string>

// TCFile opens a file with std::fopen and closes it when the scope ends, so that no return path leaks
// the handle. Close() may be called early to learn whether the last buffered bytes reached the disk.
class TCFile {
public:
    TCFile(const char* path, const char* mode) : file_(std::fopen(path, mode)) {}
    TCFile(const std::string& path, const char* mode) : TCFile(path.c_str(), mode) {}
    // Takes over a file opened elsewhere (for example one created exclusively).
    explicit TCFile(std::FILE* file) : file_(file) {}
    ~TCFile() { Close(); }
    TCFile(const TCFile&) = delete;  // owns the handle; a copy would close it twice
    TCFile& operator=(const TCFile&) = delete;

    // The open file, or null when it could not be opened (or is closed).
    std::FILE* Get() const { return file_; }
    // Closes now; false when closing reported an error (data that never reached the disk).
    bool Close()
    {
        bool ok = true;
        if (file_)
            ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_;
};
