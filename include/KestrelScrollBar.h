// CStaticScrollBar: a custom-drawn scroll bar with its own scroll model. It never moves its own
// position while the user acts on it: it proposes a position to its parent with WM_VSCROLL or
// WM_HSCROLL, and the parent answers with SetScrollPos or SetScrollInfo.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"
#include "KestrelStaticX.h"
#include "KestrelAutoRepeat.h"

// Geometric parts of the bar: the arguments of GetPartRect and the results of HitTest.
enum ENUMSBPART {
    SBPART_LTUPENDBOX = 0,  // up or left arrow box
    SBPART_RTDNENDBOX = 1,  // down or right arrow box
    SBPART_TRACKBOX = 2,    // the thumb
    SBPART_LTUPMARGIN = 3,  // page area before the thumb
    SBPART_RTDNMARGIN = 4,  // page area after the thumb
    SBPART_TRACK = 5        // everything between the arrow boxes
};

// WM_NOTIFY codes (a plain NMHDR) sent around one interaction.
constexpr UINT SBN_BEGINSCROLL = 2026;
constexpr UINT SBN_ENDSCROLL = 2027;

class KESTREL_API CStaticScrollBar : public CStaticX {
public:
    CStaticScrollBar();
    ~CStaticScrollBar() override;

    // The framework's default window class; the style is also kept as the bar's own style word.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CStatic::Create;

    // Virtual operations, in the order derived classes expect them.
    virtual BOOL ModifySBStyle(DWORD dwRemove, DWORD dwAdd, UINT bRedraw = TRUE);
    virtual void RecalcLayout();
    virtual void NotifyParent(int nSBCode, int nPos);
    virtual int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    virtual BOOL SetScrollInfo(LPSCROLLINFO lpsi, BOOL bRedraw = TRUE);
    virtual void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    virtual int value2src(int nValue);
    virtual int src2value(int nPixel);
    virtual void GetPartRect(int nPart, CRect& rc);
    virtual int HitTest(const CPoint& pt);
    virtual void AnimateMarginBox(int nPart, CPoint& point);
    virtual void AnimateTrackBox(CPoint point);
    virtual int GetTimerWait(int nIDEvent);
    virtual void OnDraw(CDC* pDC, const CRect& rcClip);
    virtual void DrawDownEndBox(CDC* pDC, const CRect& rc, BOOL bFirstBox);

    BOOL IsVertScroll() const { return (m_dwSBStyle & SBS_VERT) != 0; }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    int GetScrollPos() const { return m_nPos; }
    BOOL GetScrollInfo(LPSCROLLINFO lpsi, UINT nMask = SIF_ALL);
    // The arrow boxes' step, never more than the page and never 0.
    void SetlineStep(UINT nStep);
    UINT GetlineStep() const { return m_nLineStep; }
    void ShowScrollBar(BOOL bShow = TRUE);
    // ESB_ flags; either disable bit makes the whole bar disabled. FALSE when unchanged.
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH);

    // Leading edge of the thumb along the axis for the current position.
    int value2src();
    // Value for a point's coordinate along the axis, clamped into the range on request.
    int src2value(CPoint& pt, BOOL bClamp);
    // The SB_ request a press on the part makes.
    int GetScrollAction(int nPart) const;

    // Box colour: arrow boxes and thumb. Margin colour: page areas, and the track when disabled.
    void SetBkColor(COLORREF clr);
    void SetMarginColor(COLORREF clr);
    COLORREF GetBkColor() const { return m_clrBox; }
    COLORREF GetMarginColor() const { return m_clrMargin; }

    DWORD GetSBStyle() const { return m_dwSBStyle; }
    UINT GetEnableFlags() const { return m_nEnableFlags; }
    UINT GetPage() const { return m_nPage; }
    int GetTrackPos() const { return m_nTrackPos; }
    int GetThumbLength() const { return m_nThumbLen; }
    int GetEndBoxLength() const { return m_nEndBoxLen; }
    BOOL IsDisabled() const { return (m_nEnableFlags & ESB_DISABLE_BOTH) != 0; }

protected:
    // The layout for a client rectangle; RecalcLayout passes the window's. Lets the geometry run
    // without a window.
    void LayoutIn(const CRect& rcClient);
    // Step of an arrow box (line step) or a page area (page), signed toward the part's end.
    int PartStep(int nPart) const;
    // Clamps into the closed range, whichever end is larger.
    int ClampToRange(long long v) const;
    void NotifyScroll(UINT code);
    void AnimateEndBox(int nPart);

    void PreSubclassWindow() override;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDblClk(UINT nFlags, CPoint point);

    DWORD m_dwSBStyle;
    UINT m_nEnableFlags;
    int m_nMin;
    int m_nMax;
    UINT m_nPage;
    int m_nPos;
    int m_nTrackPos;
    UINT m_nLineStep;
    int m_nThumbLen;
    int m_nEndBoxLen;
    COLORREF m_clrBox;
    COLORREF m_clrMargin;
    CRect m_rcClient;

    DECLARE_MESSAGE_MAP()

private:
    // The start and end along the axis of a rectangle.
    void AxisSpan(const CRect& rc, int& start, int& end) const;
    void SetAxisSpan(CRect& rc, int start, int end) const;
    void RepaintAll();
    void InvalidatePart(int nPart);
};
