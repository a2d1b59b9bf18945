// File and time utilities.
#pragma once
#include "KestrelDefs.h"

// "YYYY-MM-DD hh:mm:ss" as local standard time, in seconds since the epoch; -1 when the
// time cannot be represented.
KESTREL_API __int64 DATETIME_timet(const wchar_t* text);
// TRUE when path exists (file or directory) or has been created with its missing parents.
KESTREL_API BOOL ConfirmDirectory(const wchar_t* path, BOOL bCreate);
