// What a screen reader gets from the scroll bar: the position as its value and, as the
// system's scroll bar shows them, five elements: the two end boxes, the two page areas and the
// thumb between them.
#include "KestrelScrollBar.h"
#include "framework/Accessible.h"

namespace {

struct ElementInfo {
    int part;
    LONG role;
    const wchar_t* vertical;
    const wchar_t* horizontal;
};

// Element ids 1 to 5, from the top (or left) end.
const ElementInfo kElements[] = {
    {SBPART_LTUPENDBOX, ROLE_SYSTEM_PUSHBUTTON, L"Line up", L"Column left"},
    {SBPART_LTUPMARGIN, ROLE_SYSTEM_PUSHBUTTON, L"Page up", L"Page left"},
    {SBPART_TRACKBOX, ROLE_SYSTEM_INDICATOR, L"Position", L"Position"},
    {SBPART_RTDNMARGIN, ROLE_SYSTEM_PUSHBUTTON, L"Page down", L"Page right"},
    {SBPART_RTDNENDBOX, ROLE_SYSTEM_PUSHBUTTON, L"Line down", L"Column right"},
};
constexpr LONG kElementCount = sizeof(kElements) / sizeof(kElements[0]);
constexpr LONG kThumbId = 3;

class CScrollAccessible : public CAccessible {
public:
    explicit CScrollAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    CStaticScrollBar& Bar() const { return *static_cast<CStaticScrollBar*>(Control()); }
    const ElementInfo& Element(LONG child) const { return kElements[child - 1]; }

    LONG Role(LONG child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_SCROLLBAR : Element(child).role; }
    LONG ChildCount() const override { return kElementCount; }

    bool Name(LONG child, CString& name) const override
    {
        if (child != CHILDID_SELF) {
            name = Bar().IsVertScroll() ? Element(child).vertical : Element(child).horizontal;
            return true;
        }
        if (CAccessible::Name(child, name)) return true;
        name = Bar().IsVertScroll() ? L"Vertical" : L"Horizontal";
        return true;
    }

    bool Value(LONG child, CString& value) const override
    {
        if (child != CHILDID_SELF && child != kThumbId) return false;
        value.Format(L"%d", Bar().GetScrollPos());
        return true;
    }

    bool ChildRect(LONG child, RECT& rect) const override
    {
        CRect part;
        Bar().GetPartRect(Element(child).part, part);
        if (part.IsRectEmpty()) return false;
        rect = part;
        return true;
    }

    DWORD State(LONG child, DWORD standard) const override
    {
        DWORD state = child == CHILDID_SELF ? standard : 0;
        if (Bar().IsDisabled()) state |= STATE_SYSTEM_UNAVAILABLE;
        RECT rect;
        if (child != CHILDID_SELF && (!ChildRect(child, rect) || (child == kThumbId && Bar().IsDisabled())))
            state |= STATE_SYSTEM_INVISIBLE;
        return state;
    }
};

}  // namespace

LRESULT CStaticScrollBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CScrollAccessible(p); });
}

void CStaticScrollBar::NotifyAccessible(DWORD event)
{
    if (m_hWnd != nullptr) ::NotifyWinEvent(event, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}
