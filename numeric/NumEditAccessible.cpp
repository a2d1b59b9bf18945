// What a screen reader gets from the numeric editor: a spin button whose value is the number
// as shown, read-only when the style says so, and settable through the model's own clamping.
#include <KestrelNumeric.h>
#include "framework/Accessible.h"
#include <cmath>
#include <cwchar>

class CNumEditAccessible : public CAccessible {
public:
    explicit CNumEditAccessible(CWnd* pWnd) : CAccessible(pWnd) {}

protected:
    CNumEdit& Editor() const { return *static_cast<CNumEdit*>(Control()); }

    LONG Role(LONG) const override { return ROLE_SYSTEM_SPINBUTTON; }

    bool Value(LONG child, CString& value) const override
    {
        if (child != CHILDID_SELF) return false;
        wchar_t text[NUM_TEXT_MAX];
        Editor().GetString(text, Editor().m_fCurValue);
        value = text;
        return true;
    }

    DWORD State(LONG, DWORD standard) const override
    {
        return Editor().IsReadOnly() ? standard | STATE_SYSTEM_READONLY : standard;
    }

    // A reader's edit counts as a user's: the parent hears it as one finished change.
    HRESULT SetValue(LONG child, const CString& text) override
    {
        if (child != CHILDID_SELF) return E_INVALIDARG;
        CNumEdit& editor = Editor();
        if (editor.IsReadOnly() || !editor.IsWindowEnabled()) return E_ACCESSDENIED;
        wchar_t* end = nullptr;
        const double v = std::wcstod(text.GetString(), &end);
        if (end == text.GetString() || std::isnan(v)) return E_INVALIDARG;
        HWND hWnd = editor.m_hWnd;
        editor.NotifyParent(NUMN_BEGINCHANGE);
        // The parent may destroy the editor from its notification.
        if (Control() == nullptr || !::IsWindow(hWnd)) return S_OK;
        editor.SetCurValue(static_cast<float>(v));
        editor.NotifyParent(NUMN_ENDCHANGE);
        return S_OK;
    }
};

LRESULT CNumEdit::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return CAccessible::Answer(this, wParam, lParam, [](CWnd* p) -> CAccessible* { return new CNumEditAccessible(p); });
}

void CNumEdit::NotifyValueChange()
{
    if (m_hWnd != nullptr) ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}
