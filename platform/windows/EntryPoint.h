#pragma once

#include "Win32.h"

namespace platform {

// A function of a loaded library by its name, typed; null when the library lacks it.
template <typename Function> Function entryPoint(HMODULE library, const char* name) {
    // Through void*: GetProcAddress's own function type fits none of the entry points.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace platform
