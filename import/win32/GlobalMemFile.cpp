// The Windows import buffer in movable global memory.
#include "import/win32/GlobalMemFile.h"

GlobalMemFile::~GlobalMemFile()
{
    if (char* data = Data())
        Release(data);
}

char* GlobalMemFile::Reallocate(char* old, std::size_t newCapacity) noexcept
{
    if (!old) {
        handle_ = GlobalAlloc(GMEM_MOVEABLE, newCapacity);
        return handle_ ? static_cast<char*>(GlobalLock(handle_)) : nullptr;
    }
    // A movable block may move only while it is unlocked.
    GlobalUnlock(handle_);
    HGLOBAL grown = GlobalReAlloc(handle_, newCapacity, GMEM_MOVEABLE);
    if (!grown) {
        GlobalLock(handle_);
        return nullptr;
    }
    handle_ = grown;
    return static_cast<char*>(GlobalLock(handle_));
}

void GlobalMemFile::Release(char* data) noexcept
{
    if (!handle_)
        return;
    if (data)
        GlobalUnlock(handle_);
    GlobalFree(handle_);
    handle_ = nullptr;
}

HGLOBAL GlobalMemFile::Detach()
{
    if (Failed() || !handle_)
        return nullptr;
    GlobalUnlock(handle_);
    HGLOBAL handle = handle_;
    handle_ = nullptr;
    Forget();
    return handle;
}

HGLOBAL ImportDocumentToGlobal(const std::string& path, const TImportOptions& options)
{
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    GlobalMemFile text;
    bool ok = ImportDocument(path, options, text);
    SetErrorMode(oldMode);
    return ok ? text.Detach() : nullptr;
}
