// The striped progress bar: a pattern-brush bar in a dark field and a black frame, painting a
// position change at once over the strip that changed.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"

class KESTREL_API COrmProgressCtrl : public CWnd {
public:
    // The bar brush is borrowed from the registry now: InitResourcelib must have run.
    COrmProgressCtrl();
    ~COrmProgressCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Both go through the position message 0x5F5 (wParam 2 sets, 1 reads): they need the window.
    void SetPos(int nPos);
    int GetPos() const;
    int OnGetCurrentPos();

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetProgressPos(WPARAM wParam, LPARAM lParam);
    void OnSetCurrentPos(int nPos);
    // Right edge of the bar in bar area B for position p.
    int BarEnd(const CRect& B, int p) const;

    int m_nLower;
    int m_nUpper;
    int m_nPos;
    HBRUSH m_hBarBrush;

    DECLARE_MESSAGE_MAP()
};
