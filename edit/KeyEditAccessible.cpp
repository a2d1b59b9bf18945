// What a screen reader gets from the hot-key box: the system's hot-key role and the shortcut
// text it shows.
#include "KestrelEdit.h"
#include "framework/Accessible.h"

namespace {

class CKeyEditAccessible : public CAccessible {
public:
    explicit CKeyEditAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    LONG Role(LONG) const override { return ROLE_SYSTEM_HOTKEYFIELD; }

    bool Value(LONG child, CString& value) const override
    {
        if (child != CHILDID_SELF) return false;
        Control()->GetWindowText(value);
        return true;
    }
};

}  // namespace

LRESULT CKeyEdit::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CKeyEditAccessible(p); });
}
