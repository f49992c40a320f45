// Finding files by name pattern and contents: the matching rules and the walk over directory trees. The
// directories are listed through TDirectoryLister, so that the walk is the same on every system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kFindChunkSize = 20480;   // a file's contents are read in blocks of this size
inline constexpr int kFindMaxFiles = 768;              // found files that the results list can hold
inline constexpr std::size_t kFindNameBufferSize = 16384;  // their full paths, each with a terminating zero
inline constexpr int kFindMaxDepth = 10;               // levels of subdirectories below a root

// Option bits of the containing text.
inline constexpr unsigned kFindIgnoreCase = 1;
inline constexpr unsigned kFindQuestionAny = 2;

// True when name matches pattern by the file system's wildcard rules, letters compared without regard to
// ASCII case: "*" any run, "?" any one character or none at the end of a name part, "*.*" every name, and a
// pattern ending in "." or ".*" also names without an extension.
bool MatchFilePattern(std::string_view pattern, std::string_view name);

// A pattern holding a directory ("c:\src\*.c") splits into the directory with its trailing separator
// ("c:\src\") and the name part ("*.c"); without one the directory is empty.
void SplitFilePattern(const std::string& pattern, std::string* directory, std::string* name);

// TTextFinder looks for a text in bytes: letter case ignored with kFindIgnoreCase (ASCII letters), and "?"
// standing for any byte with kFindQuestionAny. It holds the text and its skip table.
class TTextFinder {
public:
    TTextFinder(std::string_view text, unsigned options);
    bool Empty() const { return text_.empty(); }
    // True when the text occurs in data.
    bool FindIn(const unsigned char* data, std::size_t size) const;
    // Reads with read (which returns the bytes it gave, 0 at the end) in blocks of chunkSize, each block
    // starting with the last length - 1 bytes of the one before, so that a text across two blocks is found.
    // keepGoing, when given, is asked before every block after the first; false ends the search unfound.
    bool FindInStream(const std::function<std::size_t(unsigned char*, std::size_t)>& read,
                      std::size_t chunkSize = kFindChunkSize, const std::function<bool()>& keepGoing = nullptr) const;
    // The same over a file; false when it cannot be opened.
    bool FindInFile(const std::string& path, std::size_t chunkSize = kFindChunkSize,
                    const std::function<bool()>& keepGoing = nullptr) const;

private:
    bool Same(unsigned char textByte, unsigned char fileByte) const;

    std::string text_;
    bool ignoreCase_;
    bool anyByte_;
    std::size_t shift_[256];
};

// One directory entry as the system lists it.
struct TDirEntry {
    std::string name;
    bool directory = false;
    uint32_t size = 0;
    uint16_t date = 0;  // packed file-system date: (year - 1980) << 9 | month << 5 | day
    uint16_t time = 0;  // packed time: hour << 11 | minute << 5 | second / 2
};

// Lists a directory (its path ends with a separator); "." and ".." are left out.
class TDirectoryLister {
public:
    virtual ~TDirectoryLister() = default;
    virtual std::vector<TDirEntry> List(const std::string& directory) = 0;
    // The separator appended to directory names.
    virtual char Separator() const { return '/'; }
};

// The lister of the standard library's file system.
class TStdDirectoryLister final : public TDirectoryLister {
public:
    std::vector<TDirEntry> List(const std::string& directory) override;
    char Separator() const override;
};

struct TFoundFile {
    std::string path;
    uint32_t size = 0;
    uint16_t date = 0;
    uint16_t time = 0;
};

enum class TSearchEnd { Done, Stopped, Full };

// TFileSearch walks roots for files whose names match the pattern and that hold the text, collecting at
// most 768 files whose paths fit the 16384-byte name buffer. progress sees each directory and each
// matching file before its contents are read; returning false stops the search.
class TFileSearch {
public:
    using TProgress = std::function<bool(const std::string& directory, const std::string& file, int found)>;

    TFileSearch(std::string pattern, std::string_view text, unsigned options)
        : pattern_(std::move(pattern)), finder_(text, options) {}
    // Searches each root (ending with a separator) to depth levels of subdirectories below it.
    TSearchEnd Run(TDirectoryLister& lister, const std::vector<std::string>& roots, int depth,
                   const TProgress& progress);
    const std::vector<TFoundFile>& Found() const { return found_; }
    // Asked between the blocks of a file's contents, so that a stop need not wait for a large file; false
    // stops the search.
    void SetBlockCheck(std::function<bool()> keepGoing) { keepGoing_ = std::move(keepGoing); }

private:
    TSearchEnd Walk(TDirectoryLister& lister, const std::string& dir, int depth, const TProgress& progress);

    std::string pattern_;
    TTextFinder finder_;
    std::vector<TFoundFile> found_;
    std::size_t nameBytes_ = 0;
    std::function<bool()> keepGoing_;
    bool stopped_ = false;
};
