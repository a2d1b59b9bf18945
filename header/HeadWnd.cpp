// CHeadWnd: the item store and display order, geometry, hit testing, painting, and the two
// drag loops (divider resizing and item reordering) with their notifications.
#include <KestrelHeader.h>
#include "frame/PaintBuffer.h"
#include <framework/TrackLoop.h>
#include <cwchar>
#include <vector>

namespace {

constexpr WORD kDividerCursorId = 1011;

constexpr COLORREF kOutlineLight = RGB(80, 95, 122);
constexpr COLORREF kOutlineDark = RGB(21, 32, 43);
// Captions sit this far inside the item's outline.
constexpr int kTextInset = 2;

constexpr UINT kTextLeft = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
constexpr UINT kTextRight = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
constexpr UINT kTextCenter = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

// Every field a notification reports.
constexpr UINT kNotifyMask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_ORDER;

UINT TextFormat(int format)
{
    switch (format) {
    case HDF_RIGHT: return kTextRight;
    case HDF_CENTER: return kTextCenter;
    default: return kTextLeft;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CHeadWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_NCDESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CHeadWnd::CHeadWnd()
    : m_clrBk(getdefaultColor(DEFCLR_BK)), m_hBkBrush(nullptr), m_hDividerCursor(nullptr), m_ptViewport{0, 0},
      m_szAppend{}
{
}

CHeadWnd::~CHeadWnd()
{
    // Gone before the records and the brush it paints with.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    if (m_hBkBrush != nullptr) ::DeleteObject(m_hBkBrush);
    kestrel::ReleasePaintBuffer(m_pPaintBuffer);
}

BOOL CHeadWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_hDividerCursor = ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(kDividerCursorId));
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CHeadWnd::Repaint()
{
    if (::IsWindow(m_hWnd)) Invalidate();
}

// ---- Items and order ----

int CHeadWnd::IndexAt(int nPos) const
{
    const int count = GetItemCount();
    if (nPos < 0 || nPos >= count) return -1;
    const HEADWNDINFO* items = m_items.GetData();
    for (int i = 0; i < count; ++i)
        if (items[i].order == nPos) return i;
    return -1;
}

int CHeadWnd::OrderToIndex(int nOrder) const
{
    return IndexAt(nOrder);
}

int CHeadWnd::InsertItem(int nPos, HD_ITEMW* phdi)
{
    if (phdi == nullptr) return -1;
    const int n = GetItemCount();
    HEADWNDINFO record{};
    record.order = n;
    m_items.Add(record);
    const int p = (nPos < 0 || nPos > n) ? n : nPos;
    HEADWNDINFO* items = m_items.GetData();
    for (int i = 0; i < n; ++i)
        if (items[i].order >= p) ++items[i].order;
    items[n].order = p;
    SetItem(p, phdi);
    NotifyReorder();
    return p;
}

BOOL CHeadWnd::DeleteItem(int nPos)
{
    const int count = GetItemCount();
    const int removed = IndexAt(nPos);
    if (removed < 0) return FALSE;
    std::vector<int> order(static_cast<size_t>(count));
    GetOrderArray(order.data(), count);
    order.erase(order.begin() + nPos);
    for (int& index : order)
        if (index > removed) --index;
    m_items.RemoveAt(removed);
    SetOrderArray(count - 1, order.data());
    return TRUE;
}

BOOL CHeadWnd::GetItem(int nPos, HD_ITEMW* phdi) const
{
    const int i = IndexAt(nPos);
    if (i < 0 || phdi == nullptr) return FALSE;
    const HEADWNDINFO& item = m_items[i];
    const UINT mask = phdi->mask;
    if (mask & HDI_WIDTH) phdi->cxy = item.width;
    if ((mask & HDI_TEXT) && phdi->pszText != nullptr && phdi->pszText != LPSTR_TEXTCALLBACKW &&
        phdi->cchTextMax > 0) {
        const size_t room = static_cast<size_t>(phdi->cchTextMax) - 1;
        size_t n = std::wcslen(item.text);
        if (n > room) n = room;
        std::wmemcpy(phdi->pszText, item.text, n);
        phdi->pszText[n] = L'\0';
    }
    if (mask & HDI_FORMAT) phdi->fmt = item.format;
    if (mask & HDI_LPARAM) phdi->lParam = item.lParam;
    if (mask & HDI_BITMAP) phdi->hbm = item.hbm;
    if (mask & HDI_ORDER) phdi->iOrder = item.order;
    return TRUE;
}

BOOL CHeadWnd::SetItem(int nPos, HD_ITEMW* phdi)
{
    const int i = IndexAt(nPos);
    if (i < 0 || phdi == nullptr) return FALSE;
    HEADWNDINFO& item = m_items[i];
    const UINT mask = phdi->mask;
    if (mask & HDI_BITMAP) item.hbm = phdi->hbm;
    if (mask & HDI_FORMAT) item.format = phdi->fmt;
    if (mask & HDI_WIDTH) item.width = phdi->cxy;
    if (mask & HDI_LPARAM) item.lParam = phdi->lParam;
    if (mask & HDI_TEXT) {
        std::wmemset(item.text, L'\0', kTextMax + 1);
        // Compared as unsigned: a negative count means "no limit" and is capped like a large one.
        const unsigned limit = static_cast<unsigned>(phdi->cchTextMax);
        if (limit > static_cast<unsigned>(kTextMax)) phdi->cchTextMax = kTextMax;
        const LPCWSTR src = phdi->pszText;
        if (src != nullptr && src != LPSTR_TEXTCALLBACKW) {
            const unsigned n = limit < static_cast<unsigned>(kTextMax) ? limit : static_cast<unsigned>(kTextMax);
            for (unsigned k = 0; k < n && src[k] != L'\0'; ++k) item.text[k] = src[k];
        }
    }
    if (mask & HDI_ORDER) SwitchOrder(nPos, phdi->iOrder);
    Repaint();
    return TRUE;
}

BOOL CHeadWnd::GetOrderArray(int* piArray, int iCount)
{
    if (piArray == nullptr) return FALSE;
    const int count = GetItemCount();
    if (iCount < 0) iCount = count;
    for (int p = 0; p < iCount; ++p) piArray[p] = 0;
    const HEADWNDINFO* items = m_items.GetData();
    for (int i = 0; i < count; ++i)
        if (items[i].order >= 0 && items[i].order < iCount) piArray[items[i].order] = i;
    return TRUE;
}

void CHeadWnd::ApplyOrder(int iCount, const int* piArray)
{
    const int count = GetItemCount();
    const int m = iCount < 0 ? 0 : (iCount < count ? iCount : count);
    HEADWNDINFO* items = m_items.GetData();
    for (int i = 0; i < count; ++i) items[i].order = -1;
    for (int p = 0; p < m; ++p) {
        const int index = piArray[p];
        if (index >= 0 && index < count) items[index].order = p;
    }
    std::vector<bool> taken(static_cast<size_t>(count), false);
    for (int i = 0; i < count; ++i)
        if (items[i].order >= 0) taken[static_cast<size_t>(items[i].order)] = true;
    // Items the array left out take the free positions from the left, in index order; with an
    // array that names each index at most once these are m, m + 1 and so on.
    int free = 0;
    for (int i = 0; i < count; ++i) {
        if (items[i].order >= 0) continue;
        while (taken[static_cast<size_t>(free)]) ++free;
        items[i].order = free;
        taken[static_cast<size_t>(free)] = true;
    }
}

BOOL CHeadWnd::SetOrderArray(int iCount, int* piArray)
{
    if (piArray == nullptr) return FALSE;
    ApplyOrder(iCount, piArray);
    Repaint();
    NotifyReorder();
    return TRUE;
}

BOOL CHeadWnd::SwitchOrder(int nFrom, int nTo)
{
    const int count = GetItemCount();
    if (nFrom == nTo || IndexAt(nFrom) < 0 || IndexAt(nTo) < 0) return FALSE;
    std::vector<int> order(static_cast<size_t>(count));
    GetOrderArray(order.data(), count);
    const int moving = order[static_cast<size_t>(nFrom)];
    if (nFrom > nTo) {
        for (int p = nFrom; p > nTo; --p) order[static_cast<size_t>(p)] = order[static_cast<size_t>(p - 1)];
    } else {
        for (int p = nFrom; p < nTo; ++p) order[static_cast<size_t>(p)] = order[static_cast<size_t>(p + 1)];
    }
    order[static_cast<size_t>(nTo)] = moving;
    return SetOrderArray(count, order.data());
}

// ---- Geometry and setters ----

BOOL CHeadWnd::ItemRectIn(int nPos, int top, int bottom, RECT* lpRect) const
{
    if (lpRect == nullptr || IndexAt(nPos) < 0) return FALSE;
    int left = 0;
    for (int p = 0; p < nPos; ++p) left += m_items[IndexAt(p)].width;
    lpRect->left = left;
    lpRect->top = top;
    lpRect->right = left + m_items[IndexAt(nPos)].width;
    lpRect->bottom = bottom;
    return TRUE;
}

BOOL CHeadWnd::GetItemRect(int nPos, RECT* lpRect)
{
    CRect client;
    if (::IsWindow(m_hWnd)) GetClientRect(&client);
    return ItemRectIn(nPos, client.top, client.bottom, lpRect);
}

DWORD CHeadWnd::HitTestInClient(const RECT& rcClient, POINT pt) const
{
    if (pt.x <= rcClient.left || pt.x >= rcClient.right) return 0;
    const int count = GetItemCount();
    int edge = rcClient.left;
    for (int p = 0; p < count; ++p) {
        const int i = IndexAt(p);
        if (i < 0) break;
        edge += m_items[i].width;
        if (pt.x < edge - kDividerHalf) return MakeHitCode(HEADHIT_BODY, p);
        if (pt.x <= edge + kDividerHalf) return MakeHitCode(HEADHIT_DIVIDER, p);
    }
    return 0;
}

DWORD CHeadWnd::HitTest(CPoint& pt)
{
    CRect client;
    if (::IsWindow(m_hWnd)) GetClientRect(&client);
    return HitTestInClient(client, pt);
}

BOOL CHeadWnd::SetViewportOrg(POINT pt)
{
    m_ptViewport = pt;
    Repaint();
    return TRUE;
}

BOOL CHeadWnd::SetBkColor(COLORREF clr)
{
    if (clr == m_clrBk) return FALSE;
    m_clrBk = clr;
    Repaint();
    return TRUE;
}

void CHeadWnd::SetBkBrush(HBITMAP hbm)
{
    if (m_hBkBrush != nullptr) ::DeleteObject(m_hBkBrush);
    m_hBkBrush = hbm != nullptr ? ::CreatePatternBrush(hbm) : nullptr;
}

void CHeadWnd::SetAppendInfo(LPCWSTR lpszText)
{
    std::wmemset(m_szAppend, L'\0', kAppendMax + 1);
    if (lpszText != nullptr) std::wcsncpy(m_szAppend, lpszText, kAppendMax);
    if (!::IsWindow(m_hWnd)) return;
    CRect client;
    GetClientRect(&client);
    CRect strip = client;
    CRect last;
    if (GetItemRect(GetItemCount() - 1, &last)) strip.left = last.right;
    if (strip.left < strip.right && strip.top < strip.bottom) InvalidateRect(&strip, TRUE);
}

BOOL CHeadWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) & HEADHIT_DIVIDER) {
        ::SetCursor(m_hDividerCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Painting ----

void CHeadWnd::OnPaint()
{
    kestrel::PaintThroughBuffer(this, m_pPaintBuffer, getdefaultHFont(),
                                [this](CDC* dc, const CRect&) { OnRedrawRect(dc, nullptr); });
}

void CHeadWnd::OnNcDestroy()
{
    kestrel::ReleasePaintBuffer(m_pPaintBuffer);
    CWnd::OnNcDestroy();
}

BOOL CHeadWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHeadWnd::OnRedrawRect(CDC* pDC, RECT* lpRect)
{
    CRect client;
    GetClientRect(&client);
    const CRect area = lpRect != nullptr ? CRect(*lpRect) : client;

    DRAWITEMSTRUCT dis{};
    dis.hDC = pDC->GetSafeHdc();
    dis.rcItem.top = client.top;
    dis.rcItem.bottom = client.bottom;

    // Selecting a font realises it again even when the context holds it already (the paints'
    // kept context does): only a different font is selected.
    const HGDIOBJ font = getdefaultHFont();
    const HGDIOBJ oldFont = ::GetCurrentObject(dis.hDC, OBJ_FONT) == font ? nullptr : ::SelectObject(dis.hDC, font);
    ::SetBkMode(dis.hDC, TRANSPARENT);

    const int count = GetItemCount();
    int x = -m_ptViewport.x;
    for (int p = 0; p < count; ++p) {
        const int i = IndexAt(p);
        if (i < 0) break;
        dis.rcItem.left = x;
        x += m_items[i].width;
        dis.rcItem.right = x;
        if (dis.rcItem.left < area.right && dis.rcItem.right > area.left) {
            dis.itemID = static_cast<UINT>(i);
            dis.itemData = reinterpret_cast<ULONG_PTR>(&m_items[i]);
            DrawItem(&dis);
        }
    }
    if (x < area.right) {
        dis.rcItem = {x, client.top, client.right, client.bottom};
        dis.itemID = static_cast<UINT>(-1);
        dis.itemData = 0;
        DrawItem(&dis);
    }
    if (oldFont != nullptr) ::SelectObject(dis.hDC, oldFont);
}

void CHeadWnd::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    const UINT id = lpDrawItemStruct->itemID;
    const auto* item = reinterpret_cast<const HEADWNDINFO*>(lpDrawItemStruct->itemData);
    if (id < static_cast<UINT>(GetItemCount()) && item != nullptr) {
        if (m_hBkBrush != nullptr) ::FillRect(dc, &rc, m_hBkBrush);
        else dc.FillSolidRect(&rc, m_clrBk);
        dc.Draw3dRect(&rc, kOutlineLight, kOutlineDark);
        rc.DeflateRect(kTextInset, kTextInset);
        dc.DrawText(item->text, -1, &rc, TextFormat(item->format));
    } else {
        dc.FillSolidRect(&rc, m_clrBk);
        if (m_szAppend[0] != L'\0') dc.DrawText(m_szAppend, -1, &rc, kTextLeft);
    }
    dc.Detach();
}

// ---- Dragging ----

void CHeadWnd::OnLButtonDown(UINT, CPoint point)
{
    const DWORD code = HitTest(point);
    if (code & HEADHIT_DIVIDER) AnimateSpliter(point);
    else if (code & HEADHIT_BODY) AnimateHeadBox(point);
}

void CHeadWnd::NotifyParent(UINT nCode, int nPos, int iButton)
{
    const HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr) return;
    wchar_t text[kTextMax + 1] = {};
    HDITEMW item{};
    item.mask = kNotifyMask;
    item.pszText = text;
    item.cchTextMax = kTextMax + 1;
    GetItem(nPos, &item);
    NMHEADERW nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = nCode;
    nm.iItem = nPos;
    nm.iButton = iButton;
    nm.pitem = &item;
    ::SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CHeadWnd::AnimateSpliter(CPoint& point)
{
    const int pos = HitPosition(HitTest(point));
    const int index = IndexAt(pos);
    if (index < 0) return;
    CRect client;
    GetClientRect(&client);
    CRect band;
    GetItemRect(pos, &band);
    band.left -= kDividerHalf;
    band.right = client.right;

    // Declared so that the context goes before its bitmap on every way out.
    CClientDC dc(this);
    CBitmap bitmap;
    CDC mem;
    if (!mem.CreateCompatibleDC(&dc)) return;
    if (!bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) return;
    const HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap.m_hObject);

    CTrackLoop loop(this);
    NotifyParent(HDN_BEGINTRACKW, pos, 0);
    if (!loop.IsAlive()) return;
    loop.Capture();
    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (msg.message == WM_MOUSEMOVE) {
            const int x = loop.ClientPoint(msg).x;
            m_items[index].width = TrackedWidth(m_items[index].width, x - point.x);
            point.x = x;
            OnRedrawRect(&mem, &band);
            dc.BitBlt(band.left, band.top, band.Width(), band.Height(), &mem, band.left, band.top, SRCCOPY);
            ::GdiFlush();
            NotifyParent(HDN_TRACKW, pos, 0);
            if (!loop.IsAlive()) return;
        }
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;
    ::SelectObject(mem, oldBitmap);
    NotifyParent(HDN_ENDTRACKW, pos, 0);
}

void CHeadWnd::AnimateHeadBox(CPoint& point)
{
    const int start = HitPosition(HitTest(point));
    if (IndexAt(start) < 0) return;
    int target = start;
    CRect client;
    GetClientRect(&client);
    auto boxAt = [&](int pos) {
        CRect box;
        GetItemRect(pos, &box);
        if (box.left < client.left) box.left = client.left;
        if (box.right > client.right) box.right = client.right;
        return box;
    };
    CRect box = boxAt(start);
    CClientDC dc(this);
    auto invert = [&dc](const CRect& r) { dc.PatBlt(r.left, r.top, r.Width(), r.Height(), DSTINVERT); };
    invert(box);

    CTrackLoop loop(this);
    loop.Capture();
    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (msg.message == WM_MOUSEMOVE) {
            point = loop.ClientPoint(msg);
            if (point.x < box.left || point.x > box.right) {
                const int over = HitPosition(HitTest(point));
                if (IndexAt(over) >= 0) {
                    invert(box);
                    box = boxAt(over);
                    invert(box);
                    target = over;
                    NotifyParent(HDN_ITEMCHANGINGW, start, 0);
                    if (!loop.IsAlive()) return;
                }
            }
        }
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;
    invert(box);
    if (IndexAt(target) >= 0 && SwitchOrder(start, target)) {
        Invalidate();
        UpdateWindow();
    }
    NotifyParent(HDN_ITEMCHANGEDW, start, target);
}
