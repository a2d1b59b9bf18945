// The framework's exceptions. They are thrown by pointer and freed by the catcher with Delete().
#pragma once
#include "../KestrelDefs.h"

class KESTREL_API CException {
public:
    CException() = default;
    virtual ~CException();
    // Frees a heap-allocated exception; the catcher calls this.
    void Delete();
    virtual BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext = nullptr) const;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;
};

class KESTREL_API CResourceException : public CException {
public:
    BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext = nullptr) const override;
};

class KESTREL_API CInvalidArgException : public CException {
public:
    BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext = nullptr) const override;
};

class KESTREL_API CMemoryException : public CException {
public:
    BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, PUINT helpContext = nullptr) const override;
};

[[noreturn]] KESTREL_API void AfxThrowResourceException();
[[noreturn]] KESTREL_API void AfxThrowInvalidArgException();
[[noreturn]] KESTREL_API void AfxThrowMemoryException();
