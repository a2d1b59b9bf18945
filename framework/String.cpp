#include "framework/String.h"
#include "framework/Exceptions.h"
#include <algorithm>
#include <cwctype>
#include <cstdio>
#include <vector>

// _vsnwprintf is the C runtime's own formatter (never replaced by MinGW's C99 printf), so %s and
// %c take wide arguments in wide formats, as on Windows.

int AfxFormatVW(wchar_t* buffer, size_t count, LPCWSTR format, va_list args)
{
    if (buffer == nullptr || count == 0 || format == nullptr) return -1;
    int n = _vsnwprintf(buffer, count, format, args);
    if (n < 0 || static_cast<size_t>(n) >= count) {
        // Cut short: keep what fits, terminated.
        buffer[count - 1] = L'\0';
        return static_cast<int>(wcslen(buffer));
    }
    return n;
}

int AfxFormatW(wchar_t* buffer, size_t count, LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int n = AfxFormatVW(buffer, count, format, args);
    va_end(args);
    return n;
}

CString::CString(LPCWSTR text, int length)
{
    if (text && length > 0) m_str.assign(text, static_cast<size_t>(length));
}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0) m_str.assign(static_cast<size_t>(repeat), ch);
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength()) AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(index)];
}

void CString::SetAt(int index, wchar_t ch)
{
    if (index < 0 || index >= GetLength()) AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(index)] = ch;
}

void CString::FormatV(LPCWSTR format, va_list args)
{
    if (format == nullptr) AfxThrowInvalidArgException();
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnwprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
            m_str.assign(buffer.data(), static_cast<size_t>(n));
            return;
        }
        if (buffer.size() > (1u << 24)) AfxThrowMemoryException();
        buffer.resize(buffer.size() * 2);
    }
}

void CString::Format(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_str += tail.m_str;
}

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.c_str(), count);
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.c_str() + (GetLength() - count), count);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.c_str() + first, count);
}

int CString::Find(wchar_t ch, int start) const noexcept
{
    if (start < 0 || start >= GetLength()) return -1;
    size_t p = m_str.find(ch, static_cast<size_t>(start));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Find(LPCWSTR sub, int start) const noexcept
{
    if (sub == nullptr || start < 0 || start > GetLength()) return -1;
    size_t p = m_str.find(sub, static_cast<size_t>(start));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(wchar_t ch) const noexcept
{
    size_t p = m_str.rfind(ch);
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText)
{
    if (oldText == nullptr || *oldText == L'\0') return 0;
    std::wstring from(oldText), to(newText ? newText : L"");
    int count = 0;
    for (size_t p = m_str.find(from); p != std::wstring::npos; p = m_str.find(from, p + to.size())) {
        m_str.replace(p, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Insert(int index, LPCWSTR text)
{
    index = std::clamp(index, 0, GetLength());
    if (text) m_str.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0) index = 0;
    if (index < GetLength() && count > 0)
        m_str.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, GetLength() - index)));
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (auto& c : m_str) c = static_cast<wchar_t>(std::towupper(c));
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& c : m_str) c = static_cast<wchar_t>(std::towlower(c));
    return *this;
}

CString& CString::TrimLeft()
{
    size_t p = 0;
    while (p < m_str.size() && std::iswspace(m_str[p])) ++p;
    m_str.erase(0, p);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && std::iswspace(m_str[n - 1])) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

LPWSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) m_str.resize(static_cast<size_t>(minLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int length)
{
    m_str.resize(static_cast<size_t>(std::max(length, 0)));
    return &m_str[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) newLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}
