// The process-wide editing options.
#include "engine/Options.h"

TEngineOptions& EngineOptions()
{
    static TEngineOptions options;
    return options;
}
