#pragma once

// The Windows API without the min and max macros and the rarely used headers, for the
// few places that call it (file replacement, the program's own path).
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// CommandLineToArgvW, which the lean headers leave out.
#include <shellapi.h>
#endif
