// What a screen reader gets from both progress bars: the system's progress-bar role and the
// position as a percentage of the range.
#include <KestrelProgress.h>
#include "framework/Accessible.h"

namespace {

// Rounded to the nearest whole percent; an empty range reads as 0%.
int ProgressPercent(CProgressCtrlBase& bar)
{
    int lower = 0, upper = 0;
    bar.GetRange(lower, upper);
    if (upper == lower) return 0;
    const int pos = bar.OnGetCurrentPos();
    double percent = (static_cast<double>(pos) - lower) * 100.0 / (static_cast<double>(upper) - lower);
    percent = percent < 0.0 ? 0.0 : (percent > 100.0 ? 100.0 : percent);
    return static_cast<int>(percent + 0.5);
}

class CProgressAccessible : public CAccessible {
public:
    explicit CProgressAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    LONG Role(LONG) const override { return ROLE_SYSTEM_PROGRESSBAR; }

    bool Value(LONG child, CString& value) const override
    {
        if (child != CHILDID_SELF) return false;
        value.Format(L"%d%%", ProgressPercent(*static_cast<CProgressCtrlBase*>(Control())));
        return true;
    }

    DWORD State(LONG, DWORD standard) const override
    {
        // A bar takes no input: the client object's focusable bit does not apply.
        return (standard & ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED)) | STATE_SYSTEM_READONLY;
    }
};

}  // namespace

LRESULT CProgressCtrlBase::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CProgressAccessible(p); });
}

void CProgressCtrlBase::NotifyValueChange()
{
    if (::IsWindow(m_hWnd)) ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}
