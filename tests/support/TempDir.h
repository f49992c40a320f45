// A scratch directory for one test, removed with everything in it when the test ends.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

class TTempDir {
public:
    TTempDir()
    {
        static unsigned counter = 0;
        auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        for (;;) {
            path_ = std::filesystem::temp_directory_path() /
                ("vok-test-" + std::to_string(tick % 1000000007) + "-" + std::to_string(++counter));
            std::error_code ec;
            if (std::filesystem::create_directory(path_, ec)) break;
        }
    }
    TTempDir(const TTempDir&) = delete;  // owns the directory on disk
    TTempDir& operator=(const TTempDir&) = delete;
    ~TTempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    static void Write(const std::string& file, const std::string& text)
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
    }
    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};
