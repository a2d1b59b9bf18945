// What a screen reader gets from the numeric label: a spin button (a plain text when the label
// is not numeric) whose value is the text it shows, settable like a one-shot change.
#include <KestrelNumeric.h>
#include "framework/Accessible.h"
#include <cmath>
#include <cwchar>

class CNumStaticAccessible : public CAccessible {
public:
    explicit CNumStaticAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    CNumStatic& Label() const { return *static_cast<CNumStatic*>(Control()); }

    LONG Role(LONG) const override { return Label().IsNumeric() ? ROLE_SYSTEM_SPINBUTTON : ROLE_SYSTEM_TEXT; }

    bool Value(LONG child, CString& value) const override
    {
        if (child != CHILDID_SELF) return false;
        Label().GetWindowText(value);
        return true;
    }

    DWORD State(LONG, DWORD standard) const override
    {
        // A label that is not numeric ignores whatever its editor returns.
        return Label().IsNumeric() ? standard : standard | STATE_SYSTEM_READONLY;
    }

    HRESULT SetValue(LONG child, const CString& text) override
    {
        if (child != CHILDID_SELF) return E_INVALIDARG;
        CNumStatic& label = Label();
        if (!label.IsNumeric() || !label.IsWindowEnabled()) return E_ACCESSDENIED;
        wchar_t* end = nullptr;
        const double v = std::wcstod(text.GetString(), &end);
        if (end == text.GetString() || std::isnan(v)) return E_INVALIDARG;
        label.ChangeOnce(static_cast<float>(v));
        return S_OK;
    }
};

LRESULT CNumStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CNumStaticAccessible(p); });
}

LRESULT CNumStatic::OnSetText(WPARAM, LPARAM)
{
    // The text is the value, whoever sets it.
    const LRESULT result = Default();
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    return result;
}
