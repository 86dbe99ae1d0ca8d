// The build's architecture (32-bit x86 or 64-bit x64, from the same sources), and the sizes
// of the structures whose layout the program relies on: read from resources or files as
// bytes, or handed to the system with their size. A mismatch stops the build.
#pragma once

#include <windows.h>
#include <commctrl.h>

inline constexpr int bity_sestaveni = sizeof(void*) * 8;
static_assert(bity_sestaveni == 32 || bity_sestaveni == 64);

// The same on both architectures.
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);
static_assert(sizeof(FILE_BASIC_INFO) == 40);
static_assert(sizeof(WINDOWPLACEMENT) == 44);
static_assert(sizeof(WIN32_FIND_DATAW) == 592);

// Pointer-sized members: each architecture has its own size.
static_assert(sizeof(NMHDR) == 3 * sizeof(void*));
static_assert(sizeof(TTTOOLINFOW) == (bity_sestaveni == 64 ? 72 : 48));
