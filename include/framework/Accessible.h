// The accessible object every control answers WM_GETOBJECT with: the parts a screen reader asks
// about that only the control knows (role, name, value, state, element children) come from a
// few virtuals; parent, sibling navigation and the window's own place come from the system's
// standard object for the window. Included by control sources only (it pulls in oleacc.h).
#pragma once
#include "../KestrelDefs.h"
#include "String.h"
#include <oleacc.h>

class CWnd;

class CAccessible : public IAccessible, public IOleWindow {
public:
    // Answer to WM_GETOBJECT: OBJID_CLIENT gets a new object from make (which may return
    // null); other ids get the window's default processing.
    typedef CAccessible* (*Factory)(CWnd* pWnd);
    static LRESULT Answer(CWnd* pWnd, WPARAM wParam, LPARAM lParam, Factory make);
    // Cuts every object of this control loose: from now on they answer CO_E_OBJNOTCONNECTED.
    // The framework calls it when a window object lets go of its window.
    static void Disconnect(CWnd* pWnd);
    // True for a window whose control answers with its own object (not a label).
    static bool IsOwnControl(HWND hWnd);
    // Text of the nearest static label before the window among its siblings, mnemonic
    // markers removed; empty when another control comes first.
    static CString LabelOf(HWND hWnd);
    // The text without its '&' markers ("&&" stays one '&'); mnemonic gets the marked letter.
    static CString StripMnemonic(const CString& text, wchar_t* mnemonic = nullptr);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch: readers use the vtable.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTI) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(LONG* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, LONG* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;

protected:
    explicit CAccessible(CWnd* pWnd);
    virtual ~CAccessible();

    // The control, or null once its window is gone. The virtuals below run only while it is
    // there. Child 0 is the control itself, 1 to ChildCount() its elements.
    CWnd* Control() const { return m_pWnd; }
    HWND Window() const { return m_hWnd; }

    virtual LONG Role(LONG child) const = 0;
    // False: no name. The control's own default is its label.
    virtual bool Name(LONG child, CString& name) const;
    virtual bool Value(LONG child, CString& value) const;
    // Given the standard object's state of the window (child 0) or 0 (elements).
    virtual DWORD State(LONG child, DWORD standard) const;
    virtual bool Shortcut(LONG child, CString& shortcut) const;
    // Element children (not windows); 0 leaves children to the standard object.
    virtual LONG ChildCount() const { return 0; }
    // An element's place in client coordinates; false when it has none on screen.
    virtual bool ChildRect(LONG child, RECT& rect) const;
    // The element with the focus, or -1 to ask the standard object.
    virtual LONG FocusChild() const { return -1; }
    virtual HRESULT SetValue(LONG child, const CString& value);

private:
    // S_OK when connected and varChild names child 0 or an element; writes the child id.
    HRESULT Check(const VARIANT& varChild, LONG& child) const;
    static HRESULT ReturnString(const CString& text, bool present, BSTR* out);

    LONG m_refs = 1;
    CWnd* m_pWnd;
    HWND m_hWnd;
    IAccessible* m_pStd = nullptr;
};
