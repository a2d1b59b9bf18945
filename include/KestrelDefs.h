// Common definitions for every Kestrel header: Win32 headers and the export macro.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#if defined(KESTREL_EXPORTS)
#define KESTREL_API __declspec(dllexport)
#else
#define KESTREL_API __declspec(dllimport)
#endif

// Templates and inline helpers that must not carry dllimport.
#define KESTREL_INLINE inline
