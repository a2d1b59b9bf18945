#include <KestrelProgress.h>
#include <algorithm>
#include <cmath>

BEGIN_MESSAGE_MAP(CProgressCtrlBase, CWnd)
    ON_MESSAGE(WM_PROGRESSPOS, OnSetProgressPos)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

void CProgressCtrlBase::SetRange(int nLower, int nUpper)
{
    const bool rangeChanged = nLower != m_nLower || nUpper != m_nUpper;
    m_nLower = nLower;
    m_nUpper = nUpper;
    int old = m_nPos;
    if (m_nPos > m_nUpper) m_nPos = m_nUpper;
    else if (m_nPos < m_nLower) m_nPos = m_nLower;
    if (m_nPos != old && ::IsWindow(m_hWnd)) InvalidateRect(nullptr, TRUE);
    if (rangeChanged || m_nPos != old) NotifyValueChange();  // the percentage follows the range too
}

void CProgressCtrlBase::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

void CProgressCtrlBase::SetPos(int nPos)
{
    nPos = std::min(nPos, m_nUpper);
    nPos = std::max(nPos, m_nLower);
    if (::IsWindow(m_hWnd)) SendMessage(WM_PROGRESSPOS, PROGRESSPOS_SET, nPos);
}

int CProgressCtrlBase::GetPos() const
{
    if (!::IsWindow(m_hWnd)) return 0;
    return static_cast<int>(SendMessage(WM_PROGRESSPOS, PROGRESSPOS_GET, 0));
}

int CProgressCtrlBase::OnGetCurrentPos()
{
    return m_nPos;
}

LRESULT CProgressCtrlBase::OnSetProgressPos(WPARAM wParam, LPARAM lParam)
{
    if (wParam == PROGRESSPOS_GET) return OnGetCurrentPos();
    if (wParam == PROGRESSPOS_SET) {
        const int old = m_nPos;
        OnSetCurrentPos(static_cast<int>(lParam));
        if (m_nPos != old) NotifyValueChange();
    }
    return 0;
}

int CProgressCtrlBase::PosToX(int nPos, int left, int width) const
{
    if (m_nUpper == m_nLower) return left + width;
    float q = static_cast<float>((static_cast<double>(nPos) - m_nLower) * width /
                                 (static_cast<double>(m_nUpper) - m_nLower));
    // Positions sent unclamped through the message must not overflow the conversion.
    q = std::max(-1.0e6f, std::min(q, 1.0e6f));
    return left + static_cast<int>(std::lrintf(q));
}
