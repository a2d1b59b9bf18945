// Painting of the popups: the frame, the paint pass that hands every item to the owner menu,
// and CFreeMenu's default DrawItem and MeasureItem.
#include "KestrelMenu.h"
#include "KestrelDraw.h"

namespace {

constexpr COLORREF kHotBackground = RGB(69, 93, 141);
constexpr COLORREF kItemText = RGB(173, 187, 210);
constexpr COLORREF kHotMark = RGB(255, 255, 255);
constexpr COLORREF kMark = RGB(0, 0, 0);

constexpr int kSideMargin = 2;
constexpr int kCheckInset = 2;
constexpr int kTextGap = 4;
constexpr int kArrowColumn = 12;
constexpr int kTextRightWithImages = 8;
constexpr int kImageWidthExtra = 16;
constexpr int kWidthWithoutImages = 36;
// The background request of a paint pass, as opposed to an item.
constexpr UINT kActionBackground = 1;
constexpr UINT kActionItem = 0;

void FillOpaque(HDC hdc, const RECT& rect, COLORREF clr)
{
    ::SetBkColor(hdc, clr);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

// ---- the popup window ----

BOOL CFreeMenuWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the paint pass covers everything
}

void CFreeMenuWnd::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    const COLORREF frame = getdefaultColor(DEFCLR_EDITTEXT);
    dc.Draw3dRect(&rect, frame, frame);
}

void CFreeMenuWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (!m_pShownMenu) {
        FillOpaque(dc.m_hDC, client, getdefaultColor(DEFCLR_BK));
        return;
    }
    CRect clip;
    const int clipKind = dc.GetClipBox(&clip);
    if (clipKind == NULLREGION || clipKind == ERROR) return;
    CFreeMenu* owner = m_pShownMenu->m_pOwner;
    if (!owner) return;

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemID = static_cast<UINT>(-1);
    dis.itemAction = kActionBackground;
    dis.hwndItem = m_hWnd;
    dis.hDC = dc.m_hDC;
    dis.rcItem = clip;
    owner->DrawItem(&dis);

    const int oldMode = ::SetBkMode(dc.m_hDC, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, getdefaultHFont());
    const int hot = static_cast<int>(LOWORD(m_dwHotState)) - 1;
    const int count = static_cast<int>(m_pShownMenu->GetSize());
    dis.itemAction = kActionItem;
    int top = client.top;
    for (int i = 0; i < count; ++i) {
        const int bottom = top + ItemHeight(m_pShownMenu, i);
        if (top >= clip.bottom) break;
        if (bottom > clip.top) {
            const UINT flags = m_pShownMenu->GetAt(i).nFlags;
            dis.itemID = static_cast<UINT>(i);
            dis.itemState = ((flags & MF_DISABLED) ? ODS_DISABLED : 0) | ((flags & MF_GRAYED) ? ODS_GRAYED : 0) |
                            ((flags & MF_CHECKED) ? ODS_CHECKED : 0) | (i == hot ? ODS_SELECTED : 0);
            dis.rcItem = CRect(client.left, top, client.right, bottom);
            owner->DrawItem(&dis);
        }
        top = bottom;
    }
    ::SelectObject(dc.m_hDC, oldFont);
    ::SetBkMode(dc.m_hDC, oldMode);
}

// ---- default item drawing ----

void CFreeMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct) return;
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    HDC hdc = dis.hDC;
    if (dis.itemAction == kActionBackground) {
        FillOpaque(hdc, dis.rcItem, getdefaultColor(DEFCLR_BK));
        return;
    }
    if (!m_pData) AfxThrowInvalidArgException();
    const MENUITEM& item = m_pData->GetAt(static_cast<int>(dis.itemID));
    CRect rc(dis.rcItem);
    rc.DeflateRect(kSideMargin, 0);
    const int h = rc.Height();

    if (item.nFlags == MF_SEPARATOR) {
        const int y = rc.top + h / 2 - 1;
        HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(DC_PEN));
        ::SetDCPenColor(hdc, kMark);
        ::MoveToEx(hdc, rc.left, y, nullptr);
        ::LineTo(hdc, rc.right, y);
        ::SelectObject(hdc, oldPen);
        return;
    }

    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    CRect checkBox(rc.left, rc.top, rc.left + h, rc.bottom);
    const CRect imageBox(rc.left + h, rc.top, rc.left + 2 * h, rc.bottom);
    CRect textBox = m_hImageList ? CRect(rc.left + 2 * h + kTextGap, rc.top, rc.right - kTextRightWithImages, rc.bottom)
                                 : CRect(rc.left + h + kTextGap, rc.top, rc.right - kArrowColumn, rc.bottom);

    if (selected) FillOpaque(hdc, rc, kHotBackground);
    if (dis.itemState & ODS_CHECKED) {
        checkBox.DeflateRect(kCheckInset, kCheckInset);
        DrawSign(hdc, checkBox, SIGN_CHECK, selected ? kHotMark : kMark);
    }
    if ((m_hImageList && item.nBitmap >= 0 && item.nBitmap <= 254) || item.nBitmap > 255)
        DrawImg(hdc, item.nBitmap, m_hImageList, imageBox, 0);

    const bool grey = selected ? (dis.itemState & ODS_GRAYED) != 0 : (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const COLORREF textColor = grey ? getdefaultColor(DEFCLR_GRAYTEXT) : (selected ? kHotMark : kItemText);
    const COLORREF oldText = ::SetTextColor(hdc, textColor);
    ::DrawTextW(hdc, item.szText, -1, &textBox, DT_SINGLELINE | DT_VCENTER);
    ::SetTextColor(hdc, oldText);

    if (item.pSubMenu) {
        const int xm = rc.right - kArrowColumn / 2;
        const int ym = (rc.top + rc.bottom) / 2;
        const int s = kArrowColumn / 3 < h / 2 ? kArrowColumn / 3 : h / 2;
        const POINT triangle[3] = {{xm + s / 2, ym}, {xm + s / 2 - s + 1, ym - s + 1}, {xm + s / 2 - s + 1, ym + s - 1}};
        HRGN region = ::CreatePolygonRgn(triangle, 3, ALTERNATE);
        if (region) {
            ::FillRgn(hdc, region, static_cast<HBRUSH>(::GetStockObject(selected ? WHITE_BRUSH : BLACK_BRUSH)));
            ::DeleteObject(region);
        }
    }
}

void CFreeMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (!lpMeasureItemStruct) return;
    IMAGEINFO info{};
    if (m_hImageList && ImageList_GetImageInfo(m_hImageList, 0, &info)) {
        lpMeasureItemStruct->itemWidth += static_cast<UINT>(info.rcImage.right - info.rcImage.left + kImageWidthExtra);
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(info.rcImage.bottom - info.rcImage.top);
        return;
    }
    lpMeasureItemStruct->itemWidth += kWidthWithoutImages;
    lpMeasureItemStruct->itemHeight = FREEMENU_ITEM_HEIGHT;
}
