#pragma once
#include <cstdint>

#include "platform/gfx/TTypes.h"

// A native top-level window, named by its X window id; 0 is no window.
using HWND = uintptr_t;

// Days since 1899-12-30, local time; the fraction is the time of day.
using TDateTime = double;
