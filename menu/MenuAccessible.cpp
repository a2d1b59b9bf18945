// What a screen reader gets from a menu popup: the popup with one item per row, named by its
// text without the mnemonic marker (the marked letter is the keyboard shortcut), with the
// checked, unavailable, hot and submenu states; separators as separators. Events follow each
// level opening and closing and the hot item moving.
#include "KestrelMenu.h"
#include "framework/Accessible.h"
#include <vector>

namespace {

constexpr UINT kDisabledBits = MF_GRAYED | MF_DISABLED;

class CMenuAccessible : public CAccessible {
public:
    explicit CMenuAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    CFreeMenuWnd& Popup() const { return *static_cast<CFreeMenuWnd*>(Control()); }
    const MENUITEM& Item(LONG child) const { return Popup().m_pShownMenu->GetAt(child - 1); }
    static bool IsSeparator(const MENUITEM& item) { return item.nFlags == MF_SEPARATOR; }

    LONG ChildCount() const override
    {
        const CFreeMenuData* menu = Popup().m_pShownMenu;
        return menu ? static_cast<LONG>(menu->GetSize()) : 0;
    }

    LONG Role(LONG child) const override
    {
        if (child == CHILDID_SELF) return ROLE_SYSTEM_MENUPOPUP;
        return IsSeparator(Item(child)) ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_MENUITEM;
    }

    // The text up to a tab (what follows is an accelerator column), markers removed.
    static CString ItemText(const MENUITEM& item, wchar_t* mnemonic)
    {
        if (mnemonic) *mnemonic = 0;
        if (IsSeparator(item) || (item.nFlags & (MF_BITMAP | MF_OWNERDRAW))) return CString();
        CString text(item.szText);
        const int tab = text.Find(L'\t');
        if (tab >= 0) text = text.Left(tab);
        return StripMnemonic(text, mnemonic);
    }

    bool Name(LONG child, CString& name) const override
    {
        if (child == CHILDID_SELF) return false;  // a popup has no label
        name = ItemText(Item(child), nullptr);
        return !name.IsEmpty();
    }

    bool Shortcut(LONG child, CString& shortcut) const override
    {
        if (child == CHILDID_SELF) return false;
        wchar_t mnemonic = 0;
        ItemText(Item(child), &mnemonic);
        if (mnemonic == 0) return false;
        shortcut = CString(mnemonic);
        return true;
    }

    DWORD State(LONG child, DWORD standard) const override
    {
        if (child == CHILDID_SELF) return standard;
        const MENUITEM& item = Item(child);
        if (IsSeparator(item)) return 0;
        DWORD state = STATE_SYSTEM_FOCUSABLE;
        if (item.nFlags & MF_CHECKED) state |= STATE_SYSTEM_CHECKED;
        if (item.nFlags & kDisabledBits) state |= STATE_SYSTEM_UNAVAILABLE;
        if (item.pSubMenu) state |= STATE_SYSTEM_HASPOPUP;
        if (Popup().GetHotItem() == child - 1) state |= STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED;
        return state;
    }

    bool ChildRect(LONG child, RECT& rect) const override
    {
        CRect item;
        if (!Popup().GetItemRect(child - 1, item)) return false;
        rect = item;
        return true;
    }

    LONG FocusChild() const override
    {
        const int hot = Popup().GetHotItem();
        return hot >= 0 ? hot + 1 : -1;
    }
};

}  // namespace

LRESULT CFreeMenuWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CMenuAccessible(p); });
}

void CFreeMenuWnd::NotifyPopupStart()
{
    if (IsWindowVisible()) ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CFreeMenuWnd::NotifyPopupEnds(bool bFollowing)
{
    // The innermost level closes first, as readers expect.
    std::vector<HWND> open;
    for (CFreeMenuWnd* p = this; p; p = bFollowing ? p->m_pNextPopup : nullptr)
        if (p->IsWindow() && p->IsWindowVisible()) open.push_back(p->m_hWnd);
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, *it, OBJID_CLIENT, CHILDID_SELF);
}

void CFreeMenuWnd::NotifyHotItem(int index)
{
    if (index >= 0 && IsWindowVisible()) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, index + 1);
}
