// Progress bars animated by a timer.
#include "Panels.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationPeriodMs = 60;
constexpr int kBarHeight = 20;

class ProgressPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        m_gradient.Create(0, CRect(12, 30, area.Width() - 12, 30 + kBarHeight), this, 101);
        m_gradient.SetRange(0, 100);
        m_custom.Create(0, CRect(12, 80, area.Width() - 12, 80 + kBarHeight), this, 102);
        m_custom.SetStartColor(RGB(40, 60, 90));
        m_custom.SetEndColor(RGB(120, 200, 210));
        m_custom.SetBkColor(getdefaultColor(DEFCLR_EDITBK));
        m_custom.SetRange(0, 200);
        m_custom.SetPos(130);
        m_gradient.SetPos(62);
        SetTimer(kAnimationTimer, kAnimationPeriodMs);
        return true;
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        dc.TextOut(12, 10, L"Gradient progress bar (animated)", 32);
        dc.TextOut(12, 60, L"Custom colours, range 0..200", 28);
        dc.SelectObject(oldFont);
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != kAnimationTimer) return;
        int pos = m_gradient.GetPos() + 1;
        m_gradient.SetPos(pos > 100 ? 0 : pos);
    }
    // The panel lives as long as its window.
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CCoolProgressCtrl m_gradient;
    CCoolProgressCtrl m_custom;
};

BEGIN_MESSAGE_MAP(ProgressPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateProgressPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<ProgressPanel>(parent, area);
}
