// File and time utilities.
#include "KestrelUtil.h"
#include <ctime>
#include <cwchar>
#include <cstdlib>
#include <string>

namespace {

// Reads the field that ends at sep and moves past it; -1 and no move when sep is missing.
int NextField(const wchar_t*& rest, wchar_t sep)
{
    const wchar_t* end = std::wcschr(rest, sep);
    if (end == nullptr) return -1;
    const std::wstring field(rest, end);
    rest = end + 1;
    return _wtoi(field.c_str());
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

}  // namespace

__int64 DATETIME_timet(const wchar_t* text)
{
    if (text == nullptr) return -1;
    const wchar_t* rest = text;
    const int year = NextField(rest, L'-');
    const int month = NextField(rest, L'-');
    const int day = NextField(rest, L' ');
    const int hour = NextField(rest, L':');
    const int minute = NextField(rest, L':');
    const int second = _wtoi(rest);

    struct tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    // Standard time: the daylight-saving rules are not consulted.
    t.tm_wday = 0;
    t.tm_yday = 0;
    t.tm_isdst = 0;
    return _mktime64(&t);
}

BOOL ConfirmDirectory(const wchar_t* path, BOOL bCreate)
{
    if (path == nullptr || path[0] == L'\0') return FALSE;
    if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return TRUE;
    if (!bCreate) return FALSE;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return FALSE;

    // A path too long for the working copy is refused rather than cut: cutting it would
    // create a different directory than the one asked for.
    wchar_t copy[MAX_PATH];
    const size_t length = std::wcslen(path);
    if (length >= MAX_PATH) return FALSE;
    std::wmemcpy(copy, path, length + 1);
    size_t end = length;
    if (IsSeparator(copy[end - 1])) copy[--end] = L'\0';

    size_t sep = end;
    while (sep > 0 && !IsSeparator(copy[sep - 1])) --sep;
    // sep is one past the last separator, 0 when there is none.
    if (sep <= 2) return ::CreateDirectoryW(copy, nullptr);

    copy[sep - 1] = L'\0';
    if (!ConfirmDirectory(copy, bCreate)) return FALSE;
    copy[sep - 1] = path[sep - 1];
    return ::CreateDirectoryW(copy, nullptr);
}
