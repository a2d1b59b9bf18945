// CFreeMenu: the item array and every item operation. No window is needed here.
#include "KestrelMenu.h"
#include <cwchar>

namespace {

constexpr UINT kDisabledBits = MF_GRAYED | MF_DISABLED;
constexpr UINT kNotFound = 0xFFFFFFFF;

void CopyText(MENUITEM& item, LPCWSTR text)
{
    int n = 0;
    if (text)
        for (; n < FREEMENU_TEXT_MAX - 1 && text[n]; ++n) item.szText[n] = text[n];
    item.szText[n] = L'\0';
}

// The pointer argument doubles as an image index when its value is 255 or less.
int BitmapValue(const CBitmap* pBmp)
{
    const UINT_PTR raw = reinterpret_cast<UINT_PTR>(pBmp);
    if (raw <= 255) return static_cast<int>(raw);
    return static_cast<int>(reinterpret_cast<INT_PTR>(pBmp->m_hObject));
}

// The id argument fills the submenu with MF_POPUP, the command id otherwise.
void SetTarget(MENUITEM& item, UINT nFlags, UINT_PTR nIDNewItem)
{
    if (nFlags & MF_POPUP)
        item.pSubMenu = reinterpret_cast<CFreeMenuData*>(nIDNewItem);
    else
        item.nID = static_cast<UINT>(nIDNewItem);
}

MENUITEM NewItem(UINT nFlags, UINT_PTR nIDNewItem)
{
    MENUITEM item{};
    item.nFlags = nFlags;
    SetTarget(item, nFlags, nIDNewItem);
    return item;
}

}  // namespace

CFreeMenu::CFreeMenu() : m_pData(nullptr), m_hImageList(nullptr) {}

CFreeMenu::CFreeMenu(const CFreeMenu& src) : m_pData(src.m_pData), m_hImageList(src.m_hImageList) {}

CFreeMenu& CFreeMenu::operator=(const CFreeMenu& src)
{
    m_pData = src.m_pData;
    m_hImageList = src.m_hImageList;
    return *this;
}

CFreeMenu::~CFreeMenu()
{
    m_hImageList = nullptr;
    delete m_pData;
}

BOOL CFreeMenu::CreateMenu()
{
    delete m_pData;
    m_pData = new (std::nothrow) CFreeMenuData(this);
    return m_pData != nullptr;
}

BOOL CFreeMenu::CreatePopupMenu()
{
    return CreateMenu();
}

BOOL CFreeMenu::DestroyMenu()
{
    m_hImageList = nullptr;
    delete m_pData;
    m_pData = nullptr;
    return TRUE;
}

int CFreeMenu::FindItem(UINT nItem, UINT nFlags) const
{
    if (!m_pData) return -1;
    const INT_PTR count = m_pData->GetSize();
    if (nFlags & MF_BYPOSITION) return nItem < static_cast<UINT>(count) ? static_cast<int>(nItem) : -1;
    const MENUITEM* items = m_pData->GetData();
    for (INT_PTR i = 0; i < count; ++i)
        if (items[i].nID == nItem) return static_cast<int>(i);
    return -1;
}

BOOL CFreeMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    if (!m_pData) return FALSE;
    MENUITEM item = NewItem(nFlags, nIDNewItem);
    CopyText(item, lpszNewItem);
    m_pData->Add(item);
    return TRUE;
}

BOOL CFreeMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return AppendMenuW(nFlags, nIDNewItem, pBmp, nullptr);
}

BOOL CFreeMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp, LPCWSTR lpszNewItem)
{
    if (!m_pData) return FALSE;
    MENUITEM item = NewItem(nFlags, nIDNewItem);
    item.nBitmap = BitmapValue(pBmp);
    CopyText(item, lpszNewItem);
    m_pData->Add(item);
    return TRUE;
}

BOOL CFreeMenu::InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    if (!m_pData) return FALSE;
    // Position "count" appends; a lookup by command never yields it.
    int index = (nFlags & MF_BYPOSITION) && nPosition == static_cast<UINT>(m_pData->GetSize())
                    ? static_cast<int>(nPosition) : FindItem(nPosition, nFlags);
    if (index < 0) return FALSE;
    MENUITEM item = NewItem(nFlags, nIDNewItem);
    CopyText(item, lpszNewItem);
    m_pData->InsertAt(index, item);
    return TRUE;
}

BOOL CFreeMenu::InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    if (!m_pData) return FALSE;
    int index = (nFlags & MF_BYPOSITION) && nPosition == static_cast<UINT>(m_pData->GetSize())
                    ? static_cast<int>(nPosition) : FindItem(nPosition, nFlags);
    if (index < 0) return FALSE;
    MENUITEM item = NewItem(nFlags, nIDNewItem);
    item.nBitmap = BitmapValue(pBmp);
    m_pData->InsertAt(index, item);
    return TRUE;
}

BOOL CFreeMenu::ModifyMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    int index = FindItem(nPosition, nFlags);
    if (index < 0) return FALSE;
    MENUITEM& item = m_pData->ElementAt(index);
    item.nFlags = nFlags;
    SetTarget(item, nFlags, nIDNewItem);
    if (lpszNewItem) CopyText(item, lpszNewItem);
    return TRUE;
}

BOOL CFreeMenu::ModifyMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    int index = FindItem(nPosition, nFlags);
    if (index < 0) return FALSE;
    MENUITEM& item = m_pData->ElementAt(index);
    item.nFlags = nFlags;
    SetTarget(item, nFlags, nIDNewItem);
    item.nBitmap = BitmapValue(pBmp);
    return TRUE;
}

BOOL CFreeMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    int index = FindItem(nPosition, nFlags);
    if (index < 0) return FALSE;
    m_pData->RemoveAt(index);
    return TRUE;
}

UINT CFreeMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    if (!m_pData) return 0;
    int index = FindItem(nIDCheckItem, nCheck);
    if (index < 0) return kNotFound;
    MENUITEM& item = m_pData->ElementAt(index);
    const UINT previous = item.nFlags & MF_CHECKED;
    if (nCheck & MF_CHECKED)
        item.nFlags |= MF_CHECKED;
    else
        item.nFlags &= ~MF_CHECKED;
    return previous;
}

BOOL CFreeMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    if (!m_pData) return FALSE;
    if (nIDFirst > nIDLast) return TRUE;
    for (UINT v = nIDFirst;; ++v) {
        int index = FindItem(v, nFlags);
        if (index < 0) return FALSE;
        MENUITEM& item = m_pData->ElementAt(index);
        if (v == nIDItem)
            item.nFlags |= MF_CHECKED;
        else
            item.nFlags &= ~MF_CHECKED;
        if (v == nIDLast) break;  // also ends a range that reaches 0xFFFFFFFF
    }
    return TRUE;
}

UINT CFreeMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    if (!m_pData) return 0;
    int index = FindItem(nIDEnableItem, nEnable);
    if (index < 0) return kNotFound;
    MENUITEM& item = m_pData->ElementAt(index);
    const UINT previous = item.nFlags & kDisabledBits;
    if (nEnable & kDisabledBits)
        item.nFlags |= nEnable & kDisabledBits;
    else
        item.nFlags &= ~kDisabledBits;
    return previous;
}

UINT CFreeMenu::GetMenuItemCount() const
{
    return m_pData ? static_cast<UINT>(m_pData->GetSize()) : kNotFound;
}

UINT CFreeMenu::GetMenuItemID(int nPos) const
{
    if (!m_pData || nPos < 0 || nPos >= m_pData->GetSize()) return kNotFound;
    const MENUITEM& item = m_pData->GetAt(nPos);
    if (item.nFlags & MF_SEPARATOR) return 0;
    if (item.pSubMenu) return kNotFound;
    return item.nID;
}

UINT CFreeMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    if (!m_pData) return kNotFound;
    int index = FindItem(nID, nFlags);
    if (index < 0) return 0;
    const UINT flags = m_pData->GetAt(index).nFlags;
    for (UINT bit : {MF_CHECKED, MF_DISABLED, MF_GRAYED, MF_MENUBARBREAK, MF_MENUBREAK, MF_SEPARATOR})
        if (flags & bit) return bit;
    return 0;
}

int CFreeMenu::GetMenuStringW(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const
{
    int index = FindItem(nIDItem, nFlags);
    if (index < 0 || !lpString || nMaxCount < 1) return 0;
    const wchar_t* text = m_pData->GetAt(index).szText;
    const int length = static_cast<int>(wcslen(text));
    const int copied = length < nMaxCount ? length : nMaxCount - 1;
    wmemcpy(lpString, text, static_cast<size_t>(copied));
    lpString[copied] = L'\0';
    return copied;
}

int CFreeMenu::GetMenuStringW(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int index = FindItem(nIDItem, nFlags);
    if (index < 0) return 0;
    rString = m_pData->GetAt(index).szText;
    return rString.GetLength();
}

CFreeMenu* CFreeMenu::GetSubMenu(int nPos) const
{
    if (!m_pData || nPos < 0 || nPos >= m_pData->GetSize()) return nullptr;
    const CFreeMenuData* sub = m_pData->GetAt(nPos).pSubMenu;
    return sub ? sub->m_pOwner : nullptr;
}

BOOL CFreeMenu::SetImageList(HIMAGELIST himl)
{
    m_hImageList = himl;
    int cx = 0, cy = 0;
    if (himl && m_pData && ImageList_GetIconSize(himl, &cx, &cy)) m_pData->m_nItemHeight = cy;
    return TRUE;
}

BOOL CFreeMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    // No default-item state is kept: nothing marks or reports one.
    return FindItem(uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND) >= 0;
}

UINT CFreeMenu::GetDefaultItem(UINT, BOOL)
{
    return 0;
}

BOOL CFreeMenu::GetMenuItemInfoW(UINT, LPMENUITEMINFOW, BOOL)
{
    return FALSE;
}

BOOL CFreeMenu::SetMenuItemBitmaps(UINT, UINT, const CBitmap*, const CBitmap*)
{
    return FALSE;
}
