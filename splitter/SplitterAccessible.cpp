// What a screen reader gets from the splitter bars: a grip named by the text of the control it
// took over, and a location change whenever it moves.
#include <KestrelSplitter.h>
#include "SplitterCore.h"
#include "framework/Accessible.h"

namespace {

class CSplitterAccessible : public CAccessible {
public:
    explicit CSplitterAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    LONG Role(LONG) const override { return ROLE_SYSTEM_GRIP; }

    bool Name(LONG child, CString& name) const override
    {
        CString text;
        Control()->GetWindowText(text);
        name = StripMnemonic(text);
        return !name.IsEmpty() || CAccessible::Name(child, name);
    }
};

CAccessible* MakeSplitterAccessible(CWnd* pWnd)
{
    return new CSplitterAccessible(pWnd);
}

}  // namespace

LRESULT CxSpltWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, MakeSplitterAccessible);
}

LRESULT CySpltWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, MakeSplitterAccessible);
}

namespace splitter {

void NotifyLocationChange(HWND bar)
{
    ::NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, bar, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace splitter
