// The system's profile functions must honour the same contract as the portable profile file.
#include "base/win32/Win32Profile.h"

#include "support/ProfileContract.h"

std::unique_ptr<TProfile> MakeContractProfile(const std::string& path)
{
    return std::make_unique<TWin32Profile>(path);
}
