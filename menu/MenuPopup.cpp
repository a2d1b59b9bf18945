// The chain of popup windows, their placement, hot tracking and keys, and the tracking loop.
#include "KestrelMenu.h"
#include <cwchar>

namespace {

const wchar_t kPopupClass[] = L"CFreeMenu";
constexpr UINT kPopupClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD kPopupStyle = WS_POPUP | WS_BORDER;
// A submenu overlaps the item that opened it by this much.
constexpr int kSubmenuOverlap = 2;
// Width terms of a popup: check column and margins, then the text.
constexpr int kImageColumnExtra = 18;
constexpr int kTextMargins = 24;
constexpr int kEmptyTextWidth = 100;
constexpr int kHeightMargins = 8;
constexpr DWORD kSubmenuHoverMs = 150;

constexpr UINT kDisabledBits = MF_GRAYED | MF_DISABLED;

CFreeMenuWnd* g_pChain = nullptr;
int g_nMenuResult = -1;
bool g_bOpenToRight = true;

bool IsSeparatorRow(const MENUITEM& item) { return item.nFlags == MF_SEPARATOR; }
bool IsEnabled(const MENUITEM& item) { return (item.nFlags & kDisabledBits) == 0; }
bool CanOpen(const MENUITEM& item) { return item.pSubMenu && IsEnabled(item); }

WORD LowHalf(DWORD v) { return LOWORD(v); }

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFreeMenuWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KEYDOWN()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFreeMenuWnd::CFreeMenuWnd() = default;
CFreeMenuWnd::~CFreeMenuWnd() = default;

// ---- chain-wide state ----

CFreeMenuWnd* CFreeMenuWnd::GetHead()
{
    return g_pChain;
}

CFreeMenuWnd* CFreeMenuWnd::GetDeepestVisible()
{
    CFreeMenuWnd* deepest = nullptr;
    for (CFreeMenuWnd* p = g_pChain; p && p->IsWindow() && p->IsWindowVisible(); p = p->m_pNextPopup) deepest = p;
    return deepest;
}

BOOL CFreeMenuWnd::IsChainWindow(HWND hWnd)
{
    if (!hWnd) return FALSE;
    for (CFreeMenuWnd* p = g_pChain; p; p = p->m_pNextPopup)
        if (p->m_hWnd == hWnd) return TRUE;
    return FALSE;
}

int CFreeMenuWnd::GetMenuResult()
{
    return g_nMenuResult;
}

BOOL CFreeMenuWnd::IsOpenToRight()
{
    return g_bOpenToRight;
}

// ---- layout ----

int CFreeMenuWnd::ItemHeight(const CFreeMenuData* pMenu, int index)
{
    const MENUITEM& item = pMenu->GetAt(index);
    if (IsSeparatorRow(item)) return FREEMENU_SEPARATOR_HEIGHT;
    if (!(item.nFlags & MF_OWNERDRAW) || !pMenu->m_pOwner) return pMenu->m_nItemHeight;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = static_cast<UINT>(index);
    mis.itemHeight = static_cast<UINT>(pMenu->m_nItemHeight);
    pMenu->m_pOwner->MeasureItem(&mis);
    const int height = static_cast<int>(mis.itemHeight);
    return height < FREEMENU_ITEM_HEIGHT ? FREEMENU_ITEM_HEIGHT : height;
}

CSize CFreeMenuWnd::PopupSize(const CFreeMenuData* pMenu, CDC* pDC)
{
    const int count = static_cast<int>(pMenu->GetSize());
    int longest = -1;
    size_t longestChars = 0;
    int height = kHeightMargins;
    for (int i = 0; i < count; ++i) {
        const size_t chars = wcslen(pMenu->GetAt(i).szText);
        if (longest < 0 || chars > longestChars) {
            longest = i;
            longestChars = chars;
        }
        height += ItemHeight(pMenu, i);
    }
    int textWidth = kEmptyTextWidth;
    if (longest >= 0) {
        SIZE extent{};
        HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, getdefaultHFont());
        ::GetTextExtentPoint32W(pDC->m_hDC, pMenu->GetAt(longest).szText, static_cast<int>(longestChars), &extent);
        ::SelectObject(pDC->m_hDC, oldFont);
        textWidth = extent.cx;
    }
    const int imageColumn = pMenu->m_nItemHeight != 0 ? pMenu->m_nItemHeight + kImageColumnExtra : 0;
    return CSize(imageColumn + textWidth + kTextMargins, height);
}

CRect CFreeMenuWnd::ScreenRect()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN));
}

CRect CFreeMenuWnd::HeadRect(int x, int y, CSize size, const CRect& screen)
{
    CRect rect(x, y, x + size.cx, y + size.cy);
    if (rect.right > screen.right)
        rect.OffsetRect(-size.cx, 0);
    else if (x < screen.left)
        rect.OffsetRect(screen.left - x, 0);
    if (rect.bottom > screen.bottom) {
        const int above = screen.top - y + size.cy;
        const int below = rect.bottom - screen.bottom;
        if (above <= 0)
            rect.OffsetRect(0, -size.cy);
        else if (above < below)
            rect.OffsetRect(0, screen.top - rect.top);
        else
            rect.OffsetRect(0, -below);
    }
    return rect;
}

CRect CFreeMenuWnd::SubmenuRect(const CRect& item, CSize size, const CRect& screen, BOOL& bOpenToRight)
{
    const CRect toLeft(item.left - size.cx + kSubmenuOverlap, item.top, item.left + kSubmenuOverlap, item.top + size.cy);
    CRect rect = bOpenToRight
                     ? CRect(item.right - kSubmenuOverlap, item.top, item.right + size.cx - kSubmenuOverlap, item.top + size.cy)
                     : toLeft;
    if (rect.right > screen.right) {
        bOpenToRight = FALSE;
        rect = toLeft;
    }
    if (rect.bottom > screen.bottom) {
        const int itemHeight = item.Height();
        const int above = screen.top + size.cy - item.top - itemHeight;
        const int below = rect.bottom - screen.bottom;
        if (above <= 0) {
            rect.OffsetRect(0, itemHeight - size.cy);
        } else if (above < below) {
            rect.OffsetRect(0, itemHeight - size.cy + above);
        } else {
            rect.OffsetRect(0, -below);
        }
    }
    return rect;
}

BOOL CFreeMenuWnd::GetItemRect(int index, CRect& rect) const
{
    if (!m_pShownMenu || index < 0 || index >= m_pShownMenu->GetSize()) return FALSE;
    CRect client;
    GetClientRect(&client);
    int top = client.top;
    for (int i = 0; i < index; ++i) top += ItemHeight(m_pShownMenu, i);
    rect.SetRect(client.left, top, client.right, top + ItemHeight(m_pShownMenu, index));
    return TRUE;
}

int CFreeMenuWnd::ItemAt(int y, CRect* pRect) const
{
    if (!m_pShownMenu) return FREEMENU_HIT_NONE;
    CRect client;
    GetClientRect(&client);
    const int count = static_cast<int>(m_pShownMenu->GetSize());
    int top = client.top;
    for (int i = 0; i < count; ++i) {
        const int bottom = top + ItemHeight(m_pShownMenu, i);
        if (top <= y && y <= bottom) {
            if (IsSeparatorRow(m_pShownMenu->GetAt(i))) return FREEMENU_HIT_SEPARATOR;
            if (pRect) pRect->SetRect(client.left, top, client.right, bottom);
            return i;
        }
        top = bottom;
    }
    return FREEMENU_HIT_NONE;
}

int CFreeMenuWnd::GetHotItem() const
{
    const int index = static_cast<int>(LowHalf(m_dwHotState)) - 1;
    return m_pShownMenu && index >= 0 && index < m_pShownMenu->GetSize() ? index : -1;
}

// ---- showing and closing ----

void CFreeMenuWnd::Fill(CFreeMenuData* pMenu)
{
    if (IsWindowVisible()) ShowWindow(SW_HIDE);
    m_dwHotState = HOT_NONE;
    m_dwTrackFlags = 0;
    m_pShownMenu = pMenu;
}

void CFreeMenuWnd::ShowHead(CFreeMenuData* pMenu, int x, int y)
{
    if (!IsWindow() || !pMenu) return;
    Fill(pMenu);
    CClientDC dc(this);
    const CRect rect = HeadRect(x, y, PopupSize(pMenu, &dc), ScreenRect());
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CFreeMenuWnd::OpenSubMenu(int index)
{
    CRect item;
    if (!GetItemRect(index, item)) return;
    CFreeMenuData* pSub = m_pShownMenu->GetAt(index).pSubMenu;
    CFreeMenuWnd* pNext = m_pNextPopup;
    if (!pSub || !pNext || !pNext->IsWindow() || pNext->m_pShownMenu == pSub) return;
    pNext->Fill(pSub);
    CSize size;
    {
        CClientDC dc(this);
        size = PopupSize(pSub, &dc);
    }
    ClientToScreen(&item);
    BOOL toRight = g_bOpenToRight;
    const CRect rect = SubmenuRect(item, size, ScreenRect(), toRight);
    g_bOpenToRight = toRight != FALSE;
    ::SetWindowPos(pNext->m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CFreeMenuWnd::CloseFromHere()
{
    for (CFreeMenuWnd* p = this; p; p = p->m_pNextPopup) {
        if (p->IsWindow()) p->ShowWindow(SW_HIDE);
        p->m_pShownMenu = nullptr;
    }
}

void CFreeMenuWnd::CloseAfter()
{
    if (m_pNextPopup) m_pNextPopup->CloseFromHere();
}

void CFreeMenuWnd::CloseAll()
{
    if (g_pChain) g_pChain->CloseFromHere();
}

void CFreeMenuWnd::Choose(int index)
{
    g_nMenuResult = static_cast<int>(m_pShownMenu->GetAt(index).nID);
    CloseAll();
}

BOOL CFreeMenuWnd::ChooseAt(CPoint point)
{
    const int index = ItemAt(point.y);
    if (index < 0) return FALSE;
    const MENUITEM& item = m_pShownMenu->GetAt(index);
    if (!IsEnabled(item) || item.pSubMenu) return FALSE;
    Choose(index);
    return TRUE;
}

// ---- hot item ----

void CFreeMenuWnd::InvalidateItem(int index)
{
    CRect rect;
    if (GetItemRect(index, rect)) InvalidateRect(&rect, TRUE);
}

void CFreeMenuWnd::SetHotItem(int index)
{
    const int previous = static_cast<int>(LowHalf(m_dwHotState)) - 1;
    m_dwHotState = (static_cast<DWORD>(LowHalf(m_dwHotState)) << 16) | static_cast<WORD>(index + 1);
    InvalidateItem(index);
    InvalidateItem(previous);
    UpdateWindow();
}

void CFreeMenuWnd::SkipNextMouseMove()
{
    m_dwTrackFlags = (m_dwTrackFlags & ~TRACK_SKIP_MASK) | (2u << TRACK_SKIP_SHIFT);
}

void CFreeMenuWnd::RequestTracking(DWORD flags, DWORD hoverTime)
{
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = flags;
    tme.hwndTrack = m_hWnd;
    tme.dwHoverTime = hoverTime;
    ::_TrackMouseEvent(&tme);
}

void CFreeMenuWnd::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (!(m_dwTrackFlags & TRACK_REQUESTED)) {
        RequestTracking(TME_HOVER | TME_LEAVE, HOVER_DEFAULT);
        m_dwTrackFlags |= TRACK_REQUESTED;
    }
    const int skip = static_cast<int>((m_dwTrackFlags & TRACK_SKIP_MASK) >> TRACK_SKIP_SHIFT);
    m_dwTrackFlags &= ~TRACK_SKIP_MASK;
    if (skip - 1 > 0) {
        m_dwTrackFlags |= static_cast<DWORD>(skip - 1) << TRACK_SKIP_SHIFT;
        return;
    }
    const int index = ItemAt(point.y);
    if (index < 0 || index == GetHotItem()) return;
    if (!(m_dwTrackFlags & TRACK_HOVERED)) RequestTracking(TME_CANCEL | TME_HOVER, HOVER_DEFAULT);
    SetHotItem(index);
    if (CanOpen(m_pShownMenu->GetAt(index))) {
        // The submenu opens when the pointer rests; open ones stay until then.
        RequestTracking(TME_HOVER, kSubmenuHoverMs);
        return;
    }
    CloseAfter();
}

LRESULT CFreeMenuWnd::OnMouseHover(WPARAM, LPARAM)
{
    const int hot = GetHotItem();
    if (hot >= 0 && CanOpen(m_pShownMenu->GetAt(hot))) OpenSubMenu(hot);
    m_dwTrackFlags |= TRACK_HOVERED;
    return TRUE;
}

LRESULT CFreeMenuWnd::OnMouseLeave(WPARAM, LPARAM)
{
    m_dwTrackFlags &= ~TRACK_REQUESTED;
    const int previous = static_cast<int>(LowHalf(m_dwHotState)) - 1;
    m_dwHotState = static_cast<DWORD>(LowHalf(m_dwHotState)) << 16;
    InvalidateItem(previous);
    UpdateWindow();
    return TRUE;
}

// Enter, right arrow or a mnemonic on an item: open its submenu or choose it.
void CFreeMenuWnd::ActivateItem(int index)
{
    const MENUITEM& item = m_pShownMenu->GetAt(index);
    if ((item.nFlags & MF_SEPARATOR) || !IsEnabled(item)) return;
    if (item.pSubMenu) {
        SkipNextMouseMove();
        OpenSubMenu(index);
        return;
    }
    Choose(index);
}

void CFreeMenuWnd::OnKeyDown(UINT nChar, UINT, UINT)
{
    Default();
    if (!m_pShownMenu) return;
    const int count = static_cast<int>(m_pShownMenu->GetSize());
    const int cur = static_cast<int>(LowHalf(m_dwHotState)) - 1;
    const bool curValid = cur >= 0 && cur < count;
    switch (nChar) {
    case VK_UP:
    case VK_DOWN: {
        const int step = nChar == VK_UP ? -1 : 1;
        int index = cur;
        for (int tries = 0; tries < count; ++tries) {
            index += step;
            if (index < 0) index = count - 1;
            else if (index >= count) index = 0;
            if (!(m_pShownMenu->GetAt(index).nFlags & MF_SEPARATOR)) {
                SetHotItem(index);
                return;
            }
        }
        return;
    }
    case VK_LEFT:
        if (this != g_pChain) CloseFromHere();
        return;
    case VK_RIGHT:
        if (curValid && CanOpen(m_pShownMenu->GetAt(cur))) {
            SkipNextMouseMove();
            OpenSubMenu(cur);
        }
        return;
    case VK_RETURN:
        if (curValid) ActivateItem(cur);
        return;
    case VK_ESCAPE:
        CloseAll();
        return;
    default:
        break;
    }
    for (int i = 0; i < count; ++i) {
        const wchar_t* amp = wcschr(m_pShownMenu->GetAt(i).szText, L'&');
        if (!amp || !amp[1]) continue;
        UINT key = amp[1];
        if (key >= L'a' && key <= L'z') key -= 32;
        if (key == nChar) {
            ActivateItem(i);
            return;
        }
    }
}

// ---- buttons and activation ----

void CFreeMenuWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CFreeMenuWnd::OnLButtonUp(UINT, CPoint point)
{
    Default();
    ChooseAt(point);
}

void CFreeMenuWnd::OnRButtonUp(UINT, CPoint point)
{
    Default();
    ChooseAt(point);
}

void CFreeMenuWnd::OnActivateApp(BOOL bActive, DWORD)
{
    Default();
    if (!bActive) CloseAll();
}

LRESULT CFreeMenuWnd::OnMouseActivate(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}

void CFreeMenuWnd::OnDestroy()
{
    if (m_pNextPopup) {
        m_pNextPopup->DestroyWindow();
        delete m_pNextPopup;
        m_pNextPopup = nullptr;
    }
    Default();
}

// ---- start-up and the tracking run ----

BOOL InitMenu()
{
    if (g_pChain) return TRUE;
    WNDCLASSW wc{};
    wc.style = kPopupClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kPopupClass;
    if (!AfxRegisterClass(&wc)) return FALSE;

    CFreeMenuWnd* previous = nullptr;
    for (int level = 0; level < FREEMENU_DEPTH; ++level) {
        CFreeMenuWnd* popup = new CFreeMenuWnd;
        if (!popup->CreateEx(kPopupExStyle, kPopupClass, L"", kPopupStyle, 0, 0, 0, 0,
                             previous ? previous->m_hWnd : nullptr, nullptr)) {
            delete popup;
            return FALSE;
        }
        if (previous)
            previous->m_pNextPopup = popup;
        else
            g_pChain = popup;
        previous = popup;
    }
    return TRUE;
}

BOOL ExitMenu()
{
    if (g_pChain) {
        CFreeMenuWnd* head = g_pChain;
        g_pChain = nullptr;
        head->DestroyWindow();
        delete head;
    }
    return TRUE;
}

int CFreeMenu::TrackPopupMenu(UINT, int x, int y, CWnd*, LPCRECT)
{
    CFreeMenuWnd* head = CFreeMenuWnd::GetHead();
    if (!m_pData || !head) return 0;
    if (head->IsWindowVisible()) return 1;  // a run is already in progress
    if (m_pData->GetSize() == 0) return 0;
    head->ShowHead(m_pData, x, y);
    if (!head->IsWindowVisible()) return -1;

    g_nMenuResult = -1;
    g_bOpenToRight = true;
    bool repost = false;
    MSG msg{};
    CTrackLoop loop(head);
    while (loop.GetMessage(msg)) {
        const bool inChain = CFreeMenuWnd::IsChainWindow(msg.hwnd) != FALSE;
        if (IsButtonDown(msg.message) && !inChain) {
            repost = true;  // the click takes effect where it was made, after the menu is gone
            break;
        }
        if ((msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) && inChain) {
            auto* popup = static_cast<CFreeMenuWnd*>(CWnd::FromHandlePermanent(msg.hwnd));
            if (popup->ChooseAt(CPoint(LOWORD(msg.lParam), HIWORD(msg.lParam)))) break;
            continue;  // dropped: a release elsewhere in the menu leaves it open
        }
        if (msg.message == WM_KEYDOWN) {
            // The host keeps the focus; keys belong to the innermost open level.
            if (CFreeMenuWnd* deepest = CFreeMenuWnd::GetDeepestVisible()) msg.hwnd = deepest->m_hWnd;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        head = CFreeMenuWnd::GetHead();
        if (!head || !head->IsWindowVisible()) break;
    }
    CFreeMenuWnd::CloseAll();
    if (repost) ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return g_nMenuResult;
}
