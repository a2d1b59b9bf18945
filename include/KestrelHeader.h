// The header bar: a row of captioned items whose widths the user drags at their dividers and
// whose display order the user changes by dragging an item. Items are described with the
// system's HD_ITEMW records; the parent hears about drags through WM_NOTIFY (NMHEADERW).
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"

// Hit codes of CHeadWnd::HitTest: a zone bit, and the item's position + 1 in bits 4 to 19.
constexpr DWORD HEADHIT_BODY = 0x01000000;
constexpr DWORD HEADHIT_DIVIDER = 0x02000000;

// Every argument that names an item is a position (its place on screen, 0 leftmost) except
// OrderToIndex, the order arrays and the itemID of DrawItem, which speak of storage indexes.
namespace kestrel { class PaintBuffer; }

class KESTREL_API CHeadWnd : public CWnd {
public:
    struct HEADWNDINFO {
        int width;
        wchar_t text[32];
        HBITMAP hbm;     // stored and reported, never drawn
        int format;      // HDF_LEFT, HDF_RIGHT or HDF_CENTER; anything else aligns left
        int order;       // display position
        LPARAM lParam;
    };
    static constexpr int kTextMax = 31;       // characters of a caption
    static constexpr int kAppendMax = 255;    // characters of the append text
    static constexpr int kMinTrackWidth = 2;  // a divider drag never makes an item narrower
    static constexpr int kDividerHalf = 2;    // divider zone: this far either side of an edge

    CHeadWnd();
    ~CHeadWnd() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    int GetItemCount() const { return static_cast<int>(m_items.GetSize()); }
    // The new item's position, or -1 for a null record.
    virtual int InsertItem(int nPos, HD_ITEMW* phdi);
    virtual BOOL DeleteItem(int nPos);
    BOOL GetItem(int nPos, HD_ITEMW* phdi) const;
    BOOL SetItem(int nPos, HD_ITEMW* phdi);
    // In client coordinates, without the viewport origin.
    virtual BOOL GetItemRect(int nPos, RECT* lpRect);
    BOOL GetOrderArray(int* piArray, int iCount);
    BOOL SetOrderArray(int iCount, int* piArray);
    int OrderToIndex(int nOrder) const;
    // Moves one item to nTo; those between shift by one.
    BOOL SwitchOrder(int nFrom, int nTo);
    // Shifts painting only; hit tests and item rectangles ignore it.
    BOOL SetViewportOrg(POINT pt);
    POINT GetViewportOrg() const { return m_ptViewport; }
    BOOL SetBkColor(COLORREF clr);
    COLORREF GetBkColor() const { return m_clrBk; }
    // Item backgrounds use a pattern brush of hbm while it can be made.
    void SetBkBrush(HBITMAP hbm);
    HBRUSH GetBkBrush() const { return m_hBkBrush; }
    // The text shown right of the last item.
    void SetAppendInfo(LPCWSTR lpszText);
    LPCWSTR GetAppendInfo() const { return m_szAppend; }
    void RecalcLayout() {}

    virtual DWORD HitTest(CPoint& pt);
    // The hit code of pt for a given client rectangle (HitTest with the window's).
    DWORD HitTestInClient(const RECT& rcClient, POINT pt) const;
    static int HitPosition(DWORD code) { return static_cast<int>((code >> 4) & 0xFFFF) - 1; }
    static DWORD MakeHitCode(DWORD zone, int nPos) { return zone | (static_cast<DWORD>(nPos + 1) << 4); }
    // A dragged width: grown by dx, never below kMinTrackWidth.
    static int TrackedWidth(int width, int dx) { return width + dx < kMinTrackWidth ? kMinTrackWidth : width + dx; }

    virtual void OnRedrawRect(CDC* pDC, RECT* lpRect);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    void NotifyParent(UINT nCode, int nPos, int iButton);
    // The two drag loops, run from the button press; point follows the pointer.
    virtual void AnimateSpliter(CPoint& point);
    virtual void AnimateHeadBox(CPoint& point);

protected:
    void OnPaint();
    void OnNcDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Tells screen readers the items changed places (or came and went).
    void NotifyReorder();

    CArray<HEADWNDINFO, const HEADWNDINFO&> m_items;
    COLORREF m_clrBk;
    HBRUSH m_hBkBrush;
    kestrel::PaintBuffer* m_pPaintBuffer = nullptr;  // the paints' kept context
    HCURSOR m_hDividerCursor;
    POINT m_ptViewport;
    wchar_t m_szAppend[kAppendMax + 1];

    DECLARE_MESSAGE_MAP()

private:
    // Index of the item at nPos, or -1.
    int IndexAt(int nPos) const;
    // The item rectangle from explicit client top and bottom.
    BOOL ItemRectIn(int nPos, int top, int bottom, RECT* lpRect) const;
    // Sets every item's position from an order array. An index named twice keeps its later
    // position; the items the array leaves out fill the free positions from the left, in index
    // order, so the positions always stay 0 to count - 1 once each.
    void ApplyOrder(int iCount, const int* piArray);
    void Repaint();
};
