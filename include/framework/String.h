// CString: a wide-character string with value semantics.
#pragma once
#include "../KestrelDefs.h"
#include <cstdarg>
#include <string>

class KESTREL_API CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR text) : m_str(text ? text : L"") {}
    CString(LPCWSTR text, int length);
    CString(wchar_t ch, int repeat = 1);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR text) { m_str = text ? text : L""; return *this; }
    CString& operator=(wchar_t ch) { m_str.assign(1, ch); return *this; }

    operator LPCWSTR() const noexcept { return m_str.c_str(); }
    LPCWSTR GetString() const noexcept { return m_str.c_str(); }
    int GetLength() const noexcept { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const noexcept { return m_str.empty(); }
    void Empty() noexcept { m_str.clear(); }

    // Out-of-range indexes throw the invalid-argument exception.
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }

    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCWSTR s) { if (s) m_str += s; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
    friend CString operator+(LPCWSTR a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }

    int Compare(LPCWSTR s) const noexcept { return wcscmp(m_str.c_str(), s ? s : L""); }
    int CompareNoCase(LPCWSTR s) const noexcept { return _wcsicmp(m_str.c_str(), s ? s : L""); }
    friend bool operator==(const CString& a, const CString& b) noexcept { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) noexcept { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) noexcept { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) noexcept { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) noexcept { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) noexcept { return a.m_str < b.m_str; }

    // Microsoft printf semantics: %s and %c take wide arguments.
    void Format(LPCWSTR format, ...);
    void FormatV(LPCWSTR format, va_list args);
    void AppendFormat(LPCWSTR format, ...);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(wchar_t ch, int start = 0) const noexcept;
    int Find(LPCWSTR sub, int start = 0) const noexcept;
    int ReverseFind(wchar_t ch) const noexcept;
    int Replace(LPCWSTR oldText, LPCWSTR newText);
    int Insert(int index, LPCWSTR text);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    // Direct buffer access: write at most minLength characters, then ReleaseBuffer.
    LPWSTR GetBuffer(int minLength = 0);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_str;
};

// Microsoft-semantics wide formatting into a caller's buffer: always terminated, cut short when it
// does not fit; returns the length written, or -1 for a missing buffer or format.
KESTREL_API int AfxFormatW(wchar_t* buffer, size_t count, LPCWSTR format, ...);
KESTREL_API int AfxFormatVW(wchar_t* buffer, size_t count, LPCWSTR format, va_list args);
