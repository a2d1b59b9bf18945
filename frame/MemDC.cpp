#include "KestrelMemDC.h"

CMemDCHelper::CMemDCHelper(HDC hdc, const CRect& rect)
{
    if (hdc == nullptr || rect.IsRectEmpty()) return;
    m_rcArea = rect;
    m_hMemDC = ::CreateCompatibleDC(hdc);
    if (m_hMemDC == nullptr) return;
    m_hBitmap = ::CreateCompatibleBitmap(hdc, rect.Width(), rect.Height());
    if (m_hBitmap == nullptr) return;
    m_hOldObject = ::SelectObject(m_hMemDC, m_hBitmap);
    // The caller draws in rect's own coordinates; rect's corner is the bitmap's origin.
    ::SetViewportOrgEx(m_hMemDC, -rect.left, -rect.top, nullptr);
    m_bOwnsBitmap = TRUE;
}

CMemDCHelper::CMemDCHelper(HDC hdc, HBITMAP hbm)
{
    if (hdc == nullptr || hbm == nullptr) return;
    m_hBitmap = hbm;
    m_hMemDC = ::CreateCompatibleDC(hdc);
    if (m_hMemDC == nullptr) return;
    m_hOldObject = ::SelectObject(m_hMemDC, hbm);
}

CMemDCHelper::~CMemDCHelper()
{
    if (m_hMemDC) {
        if (m_hOldObject) ::SelectObject(m_hMemDC, m_hOldObject);
        ::DeleteDC(m_hMemDC);
    }
    if (m_hBitmap && m_bOwnsBitmap) ::DeleteObject(m_hBitmap);
}

CDC* CMemDCHelper::GetDC()
{
    return m_hMemDC ? CDC::FromHandle(m_hMemDC) : nullptr;
}
