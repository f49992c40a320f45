// The growable buffer an import writes its text into: the storage is the platform's (heap or movable
// global memory), the growth and error rules are common.
#pragma once

#include <cstddef>
#include <string_view>

// MemFile holds the bytes written so far, a capacity and an error flag. It starts with 512 bytes and
// grows whenever it is full; once an allocation fails the storage is released, the flag is set and
// every further write is refused, so a failed import never hands over half a text. Derived classes own
// the storage and say how it is allocated, grown and released.
class MemFile {
public:
    static constexpr std::size_t kInitialSize = 512;
    static constexpr std::size_t kGrowStep = 512;

    virtual ~MemFile() = default;
    MemFile(const MemFile&) = delete;  // the storage belongs to exactly one owner
    MemFile& operator=(const MemFile&) = delete;

    bool Put(char c)
    {
        if (used_ < capacity_) {
            data_[used_++] = c;
            return true;
        }
        return PutSlow(c);
    }
    bool Write(const char* bytes, std::size_t n);
    bool Write(std::string_view s) { return Write(s.data(), s.size()); }

    // True once an allocation failed (or the text was refused).
    bool Failed() const { return failed_; }
    // Marks the text as refused and releases it: an importer that meets an error gives no result.
    void Fail();
    std::size_t Size() const { return used_; }
    // The bytes written so far (empty after a failure).
    std::string_view Text() const { return {data_, used_}; }

protected:
    MemFile() = default;
    // Gives storage of at least newCapacity bytes holding the old bytes, or null; the old storage then
    // stays valid and is released by Release.
    virtual char* Reallocate(char* old, std::size_t newCapacity) noexcept = 0;
    virtual void Release(char* data) noexcept = 0;
    // For a derived class that takes its storage away (the caller then owns the text).
    void Forget()
    {
        data_ = nullptr;
        capacity_ = used_ = 0;
    }
    char* Data() const { return data_; }

private:
    bool PutSlow(char c);
    bool Reserve(std::size_t extra);

    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// The portable MemFile: storage from the C heap.
class HeapMemFile final : public MemFile {
public:
    HeapMemFile() = default;
    ~HeapMemFile() override;

protected:
    char* Reallocate(char* old, std::size_t newCapacity) noexcept override;
    void Release(char* data) noexcept override;
};
