// The Windows import buffer: movable global memory, which the editor window takes over as its text.
#pragma once

#include <windows.h>

#include <string>

#include "import/ImportDocument.h"
#include "import/MemFile.h"

// GlobalMemFile keeps its storage in a movable global memory block, locked while the importer writes.
// Detach hands the unlocked block to the caller, who then owns (and frees) it.
class GlobalMemFile final : public MemFile {
public:
    GlobalMemFile() = default;
    ~GlobalMemFile() override;

    // The block holding the text, unlocked; null after a failure. The caller frees it with GlobalFree.
    HGLOBAL Detach();

protected:
    char* Reallocate(char* old, std::size_t newCapacity) noexcept override;
    void Release(char* data) noexcept override;

private:
    HGLOBAL handle_ = nullptr;
};

// ImportDocument with the system's critical-error boxes suppressed: the movable block of the text
// (zero-terminated), or null when the document gives no result.
HGLOBAL ImportDocumentToGlobal(const std::string& path, const TImportOptions& options);
