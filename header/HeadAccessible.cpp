// What a screen reader gets from the header bar: a list with one column header per item, in
// the order they show on screen, each named by its caption and placed at its rectangle.
#include "KestrelHeader.h"
#include "framework/Accessible.h"

namespace {

class CHeadAccessible : public CAccessible {
public:
    explicit CHeadAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    CHeadWnd& Header() const { return *static_cast<CHeadWnd*>(Control()); }

    LONG Role(LONG child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_COLUMNHEADER; }
    LONG ChildCount() const override { return Header().GetItemCount(); }

    bool Name(LONG child, CString& name) const override
    {
        if (child == CHILDID_SELF) return CAccessible::Name(child, name);
        wchar_t text[CHeadWnd::kTextMax + 1] = {};
        HD_ITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = CHeadWnd::kTextMax + 1;
        if (!Header().GetItem(child - 1, &item)) return false;
        name = text;
        return true;
    }

    bool ChildRect(LONG child, RECT& rect) const override { return Header().GetItemRect(child - 1, &rect) != FALSE; }

    DWORD State(LONG child, DWORD standard) const override
    {
        if (child == CHILDID_SELF) return standard;
        RECT item, client, visible;
        Header().GetItemRect(child - 1, &item);
        Header().GetClientRect(&client);
        return ::IntersectRect(&visible, &item, &client) ? 0 : STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    }
};

}  // namespace

LRESULT CHeadWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CHeadAccessible(p); });
}

void CHeadWnd::NotifyReorder()
{
    if (::IsWindow(m_hWnd)) ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}
