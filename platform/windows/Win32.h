#pragma once

// The Windows API headers in the order they need. The core names a few of the API's constants
// itself, so its declarations come before the API's macros of the same names.
// clang-format off
#include "core/WindowsPowerApi.h"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
// clang-format on
