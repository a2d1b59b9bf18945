#include "framework/Exceptions.h"
#include <cwchar>

CException::~CException() = default;

void CException::Delete()
{
    delete this;
}

static BOOL CopyMessage(LPCWSTR text, LPWSTR buffer, UINT maxChars)
{
    if (buffer == nullptr || maxChars == 0) return FALSE;
    wcsncpy(buffer, text, maxChars - 1);
    buffer[maxChars - 1] = L'\0';
    return TRUE;
}

BOOL CException::GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext) const
{
    if (helpContext) *helpContext = 0;
    if (buffer && maxChars) buffer[0] = L'\0';
    return FALSE;
}

BOOL CResourceException::GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext) const
{
    if (helpContext) *helpContext = 0;
    return CopyMessage(L"A required resource was unavailable.", buffer, maxChars);
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext) const
{
    if (helpContext) *helpContext = 0;
    return CopyMessage(L"Encountered an improper argument.", buffer, maxChars);
}

BOOL CMemoryException::GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext) const
{
    if (helpContext) *helpContext = 0;
    return CopyMessage(L"Out of memory.", buffer, maxChars);
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}
