// Splitter windows: bars dragged between sibling windows of one parent that move the facing
// edges of the panes bound to them. CxSpltWnd is a tall bar moving along x, CySpltWnd a wide
// bar moving along y.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"
#include <vector>

// WM_NOTIFY code sent after every move of a splitter.
constexpr UINT SPLTN_MOVED = 2055;
// The kind every NMSPLTMOVE carries.
constexpr UINT SPLTMOVE_KIND = 3;
// Pixels a pane keeps (and the bar keeps from the parent's edge) unless set otherwise.
constexpr int SPLT_DEFAULT_MINIMUM = 10;
// Window class of CxSpltWnd::Create.
#define SPLTWND_CLASSNAME L"SPLTWND"

// Sent by address with SPLTN_MOVED to the splitter's parent (wParam: the splitter's id).
struct NMSPLTMOVE {
    NMHDR hdr;
    int movedBy;  // pointer travel along the axis (positive right or down); 0 after MoveToBoarder
    UINT kind;    // SPLTMOVE_KIND
};

// A vertical bar between left and right panes. Bind it to a placeholder control of the parent
// (or Create it there), attach the panes, and dragging it moves the panes' facing edges.
class KESTREL_API CxSpltWnd : public CWnd {
public:
    CxSpltWnd();
    ~CxSpltWnd() override;

    // A window of the class SPLTWND; 0 only when the class cannot be registered. The parent
    // becomes the bound parent, with minimum widths of SPLT_DEFAULT_MINIMUM.
    int Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;
    // Takes over the parent's child nID; resets both minimum widths. Returns 1.
    int BindWithControl(CWnd* pParent, DWORD nID);
    void Unbind();
    // Call after BindWithControl, which resets them.
    void SetMinWidth(int nLeft, int nRight);

    int AttachAsLeftPane(DWORD nID);
    int AttachAsRightPane(DWORD nID);
    // 0 for a null window.
    int AttachAsLeftPane(CWnd* pWnd);
    int AttachAsRightPane(CWnd* pWnd);
    int DetachAllPanes();

    // Moves every pane's facing edge to the bar's present place.
    void RecalcLayout();
    // To the left border (nonzero) or the right border, then lays out and notifies.
    void MoveToBoarder(int bFirstSide);
    // Screen rectangle the pointer may move in during a drag pressed at point (client
    // coordinates); 0 when the bar cannot move.
    int GetMouseClipRect(RECT* lpRect, CPoint point);

    void SetBkColor(COLORREF clr);
    COLORREF GetBkColor() const { return m_clrBk; }

protected:
    // The drag started by a press at point; moves, lays out and notifies when it ends elsewhere.
    void AnimateSpliter(CPoint point);
    void Paint(CDC* pDC);

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    CWnd* m_pBoundParent;
    CDWordArray m_leftIds;
    CDWordArray m_rightIds;
    CArray<CWnd*, CWnd*> m_leftWnds;
    CArray<CWnd*, CWnd*> m_rightWnds;
    int m_nMinLeft;
    int m_nMinRight;
    HBRUSH m_hBkBrush;
    HCURSOR m_hCursor;
    COLORREF m_clrBk;

    DECLARE_MESSAGE_MAP()

private:
    // Pane windows of one side in list order: ids first, then the window list. forLimits
    // leaves out hidden windows of the window list. Ids that name no child are skipped.
    std::vector<HWND> CollectPanes(bool bFirstSide, bool forLimits) const;
};

// A horizontal bar between panes above and below; the twin of CxSpltWnd along y.
class KESTREL_API CySpltWnd : public CWnd {
public:
    CySpltWnd();
    ~CySpltWnd() override;

    // Takes over the parent's child nID. Returns 1.
    int BindWithControl(CWnd* pParent, DWORD nID);
    void Unbind();
    void SetMinHeight(int nAbove, int nBelow);

    int AttachAsAbovePane(DWORD nID);
    int AttachAsBelowPane(DWORD nID);
    int DetachAllPanes();

    void RecalcLayout();
    // To the top border (nonzero) or the bottom border, then lays out and notifies.
    void MoveToBoarder(int bFirstSide);
    int GetMouseClipRect(RECT* lpRect, CPoint point);

protected:
    void AnimateSpliter(CPoint point);

    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    CWnd* m_pBoundParent;
    CDWordArray m_aboveIds;
    CDWordArray m_belowIds;
    int m_nMinAbove;
    int m_nMinBelow;
    HCURSOR m_hCursor;

    DECLARE_MESSAGE_MAP()

private:
    std::vector<HWND> CollectPanes(bool bFirstSide) const;
};
