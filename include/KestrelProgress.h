// The progress bars' shared range and position, and CCoolProgressCtrl: a horizontal bar filled
// with a banded left-to-right gradient.
#pragma once
#include "KestrelFramework.h"

// The library's progress-position message: wParam 1 reads the position, 2 sets it to lParam.
#define WM_PROGRESSPOS (WM_USER + 501)
constexpr WPARAM PROGRESSPOS_GET = 1;
constexpr WPARAM PROGRESSPOS_SET = 2;

// Range and position shared by the progress bars. The position travels through the position
// message so that any thread holding the window handle can send it.
class KESTREL_API CProgressCtrlBase : public CWnd {
public:
    // Stores both ends as given, then pulls the position inside (upper end first); a moved
    // position repaints the whole bar.
    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Clamps to the range and sends the position message; needs the window.
    void SetPos(int nPos);
    int GetPos() const;
    int OnGetCurrentPos();

    // left + round(((nPos - lower) * width) / (upper - lower)), in single precision with ties
    // to even; upper == lower gives left + width.
    int PosToX(int nPos, int left, int width) const;

protected:
    LRESULT OnSetProgressPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void NotifyValueChange();
    // What a new position repaints is each bar's own business.
    virtual void OnSetCurrentPos(int nPos) = 0;
    DECLARE_MESSAGE_MAP()

    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};

class KESTREL_API CCoolProgressCtrl : public CProgressCtrlBase {
public:
    // Registers the window class; throws the resource exception if that fails.
    CCoolProgressCtrl();
    ~CCoolProgressCtrl() override;

    int Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL RegisterWindowClass();

    void SetStartColor(COLORREF clr) { m_clrStart = clr; }
    void SetEndColor(COLORREF clr) { m_clrEnd = clr; }
    void SetBkColor(COLORREF clr) { m_clrBk = clr; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    void ShowPercent(BOOL bShow) { m_bShowPercent = bShow; }
    COLORREF GetStartColor() const { return m_clrStart; }
    COLORREF GetEndColor() const { return m_clrEnd; }
    COLORREF GetBkColor() const { return m_clrBk; }
    COLORREF GetTextColor() const { return m_clrText; }

    // Right end F of the filled part for the current position, or -1 when nothing is filled.
    int FilledLength(const CRect& inner) const;
    // Paints the gradient of R filled up to F, off screen, and copies it to pDC once.
    void DrawGradient(CDC* pDC, const RECT& R, const int& F);
    // Where the background starts in R for fill length F: the first band edge beyond F, or F
    // itself past the last band.
    int FilledEnd(const RECT& R, int F) const;

protected:
    void PreSubclassWindow() override;
    void OnSetCurrentPos(int nPos) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The frame and the whole gradient of the current size and colours, kept between paints:
    // a paint copies it and fills the unfilled part, whatever the position.
    bool StripFits(const CRect& client) const;
    bool BuildStrip(HDC hdcPaint, const CRect& client);
    void ReleaseStrip();

    COLORREF m_clrStart;
    COLORREF m_clrEnd;
    COLORREF m_clrBk;
    COLORREF m_clrText;
    BOOL m_bShowPercent = FALSE;

    HDC m_hStripDC = nullptr;
    HBITMAP m_hStrip = nullptr;
    HGDIOBJ m_hStripOld = nullptr;
    CSize m_stripSize;
    COLORREF m_stripStart = 0;
    COLORREF m_stripEnd = 0;
};
