// An off-screen drawing surface with automatic clean-up.
#pragma once
#include "KestrelDefs.h"
#include "KestrelFramework.h"

class KESTREL_API CMemDCHelper {
public:
    // A new bitmap compatible with hdc covering rect; drawing at rect's own coordinates lands
    // at the bitmap's (0,0). Empty when hdc is null or rect is empty.
    CMemDCHelper(HDC hdc, const CRect& rect);
    // The caller's bitmap, which is never deleted and is unselected again on destruction.
    CMemDCHelper(HDC hdc, HBITMAP hbm);
    virtual ~CMemDCHelper();

    // Two objects over one memory context would both delete it.
    CMemDCHelper(const CMemDCHelper&) = delete;
    CMemDCHelper& operator=(const CMemDCHelper&) = delete;

    // Temporary wrapper of the memory context; null when there is none.
    CDC* GetDC();

protected:
    HDC m_hMemDC = nullptr;
    HGDIOBJ m_hOldObject = nullptr;
    HBITMAP m_hBitmap = nullptr;
    BOOL m_bOwnsBitmap = FALSE;
    RECT m_rcArea = {0, 0, 0, 0};
};
