// The striped progress bar: a pattern-brush bar in a dark field and a black frame, painting a
// position change at once over the strip that changed.
#pragma once
#include "KestrelProgress.h"
#include "KestrelTheme.h"

class KESTREL_API COrmProgressCtrl : public CProgressCtrlBase {
public:
    // The bar brush is borrowed from the registry now: InitResourcelib must have run.
    COrmProgressCtrl();
    ~COrmProgressCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetCurrentPos(int nPos) override;
    // Right edge of the bar in bar area B for position p.
    int BarEnd(const CRect& B, int p) const;

    HBRUSH m_hBarBrush;

    DECLARE_MESSAGE_MAP()
};
