// The growth and error rules of the import buffer.
#include "import/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

bool MemFile::Reserve(std::size_t extra)
{
    if (failed_)
        return false;
    if (capacity_ - used_ >= extra)
        return true;
    if (extra > SIZE_MAX - used_) {
        Fail();
        return false;
    }
    std::size_t wanted = capacity_ == 0 ? kInitialSize : used_ + kGrowStep + 1;
    // Growing by a fixed step copies the text once per step, which is quadratic in its length: a
    // large text grows by half its size instead, never by less than the step.
    if (capacity_ <= SIZE_MAX / 2 && wanted < capacity_ + capacity_ / 2)
        wanted = capacity_ + capacity_ / 2;
    if (wanted < used_ + extra)
        wanted = used_ + extra;
    char* grown = Reallocate(data_, wanted);
    if (!grown) {
        Fail();
        return false;
    }
    data_ = grown;
    capacity_ = wanted;
    return true;
}

bool MemFile::PutSlow(char c)
{
    if (!Reserve(1))
        return false;
    data_[used_++] = c;
    return true;
}

bool MemFile::Write(const char* bytes, std::size_t n)
{
    if (n == 0)
        return !failed_;
    if (!Reserve(n))
        return false;
    std::memcpy(data_ + used_, bytes, n);
    used_ += n;
    return true;
}

void MemFile::Fail()
{
    if (data_)
        Release(data_);
    Forget();
    failed_ = true;
}

HeapMemFile::~HeapMemFile()
{
    if (char* data = Data())
        Release(data);
}

char* HeapMemFile::Reallocate(char* old, std::size_t newCapacity) noexcept
{
    return static_cast<char*>(std::realloc(old, newCapacity));
}

void HeapMemFile::Release(char* data) noexcept
{
    std::free(data);
}
