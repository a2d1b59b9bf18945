#include "framework/Accessible.h"
#include "framework/Window.h"
#include <algorithm>
#include <vector>

namespace {

// A private object id: a control of ours answers it with kProbeAnswer, so that the label
// search can tell our static-based controls from plain labels without making objects.
constexpr LPARAM kProbeObjectId = 0x4B53;
constexpr LRESULT kProbeAnswer = 0x4B53;

// Objects still connected to a control. Everything runs on the control's thread (readers in
// other processes come in through the message queue), so no lock.
std::vector<CAccessible*>& LiveObjects()
{
    static std::vector<CAccessible*> objects;
    return objects;
}

bool IsChildId(const VARIANT& v)
{
    return v.vt == VT_I4;
}

VARIANT SelfId()
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

}  // namespace

// ---- Entry points ----

LRESULT CAccessible::Answer(CWnd* pWnd, WPARAM wParam, LPARAM lParam, Factory make)
{
    const LONG objectId = static_cast<LONG>(lParam);
    if (lParam == kProbeObjectId) return kProbeAnswer;
    if (objectId != OBJID_CLIENT || pWnd == nullptr || make == nullptr) return pWnd ? pWnd->Default() : 0;
    CAccessible* object = make(pWnd);
    if (object == nullptr) return pWnd->Default();
    LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    // Without COM on this thread there is nothing to hand over: let the system answer.
    if (FAILED(static_cast<HRESULT>(result))) return pWnd->Default();
    return result;
}

void CAccessible::Disconnect(CWnd* pWnd)
{
    auto& live = LiveObjects();
    for (auto it = live.begin(); it != live.end();) {
        CAccessible* object = *it;
        if (object->m_pWnd != pWnd) {
            ++it;
            continue;
        }
        it = live.erase(it);
        object->m_pWnd = nullptr;
        if (object->m_pStd) {
            object->m_pStd->Release();
            object->m_pStd = nullptr;
        }
    }
}

bool CAccessible::IsOwnControl(HWND hWnd)
{
    return ::SendMessageW(hWnd, WM_GETOBJECT, 0, kProbeObjectId) == kProbeAnswer;
}

CString CAccessible::StripMnemonic(const CString& text, wchar_t* mnemonic)
{
    CString result;
    if (mnemonic) *mnemonic = 0;
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        wchar_t ch = text.GetAt(i);
        if (ch == L'&' && i + 1 < length) {
            ch = text.GetAt(++i);
            if (ch != L'&' && mnemonic && *mnemonic == 0) *mnemonic = ch;
        }
        result += ch;
    }
    return result;
}

CString CAccessible::LabelOf(HWND hWnd)
{
    // Only controls have sibling labels; a top-level window's neighbours are other windows.
    if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)) return CString();
    for (HWND h = ::GetWindow(hWnd, GW_HWNDPREV); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV)) {
        if (!::IsWindowVisible(h)) continue;
        if (IsOwnControl(h)) break;
        if (!(::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) break;
        const int length = ::GetWindowTextLengthW(h);
        if (length == 0) continue;  // frames and dividers label nothing
        CString text;
        ::GetWindowTextW(h, text.GetBufferSetLength(length + 1), length + 1);
        text.ReleaseBuffer();
        if (::GetWindowLongPtrW(h, GWL_STYLE) & SS_NOPREFIX) return text;
        return StripMnemonic(text);
    }
    return CString();
}

// ---- Lifetime ----

CAccessible::CAccessible(CWnd* pWnd) : m_pWnd(pWnd), m_hWnd(pWnd->GetSafeHwnd())
{
    ::CreateStdAccessibleObject(m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&m_pStd));
    LiveObjects().push_back(this);
}

CAccessible::~CAccessible()
{
    auto& live = LiveObjects();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (m_pStd) m_pStd->Release();
}

STDMETHODIMP CAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
        *ppv = static_cast<IAccessible*>(this);
    else if (riid == __uuidof(IOleWindow))
        *ppv = static_cast<IOleWindow*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) CAccessible::Release()
{
    LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP CAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTI)
{
    if (ppTI) *ppTI = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessible::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr) return E_POINTER;
    *phwnd = m_hWnd;
    return m_pWnd ? S_OK : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CAccessible::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// ---- Helpers ----

HRESULT CAccessible::Check(const VARIANT& varChild, LONG& child) const
{
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!IsChildId(varChild)) return E_INVALIDARG;
    child = varChild.lVal;
    if (child < 0 || child > ChildCount()) return E_INVALIDARG;
    return S_OK;
}

HRESULT CAccessible::ReturnString(const CString& text, bool present, BSTR* out)
{
    *out = nullptr;
    if (!present) return S_FALSE;
    *out = ::SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool CAccessible::Name(LONG child, CString& name) const
{
    if (child != CHILDID_SELF) return false;
    name = LabelOf(m_hWnd);
    return !name.IsEmpty();
}

bool CAccessible::Value(LONG, CString&) const
{
    return false;
}

DWORD CAccessible::State(LONG, DWORD standard) const
{
    return standard;
}

bool CAccessible::Shortcut(LONG, CString&) const
{
    return false;
}

bool CAccessible::ChildRect(LONG, RECT&) const
{
    return false;
}

HRESULT CAccessible::SetValue(LONG, const CString&)
{
    return E_NOTIMPL;
}

// ---- IAccessible ----

STDMETHODIMP CAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr) return E_POINTER;
    *ppdispParent = nullptr;
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    return m_pStd->get_accParent(ppdispParent);
}

STDMETHODIMP CAccessible::get_accChildCount(LONG* pcountChildren)
{
    if (pcountChildren == nullptr) return E_POINTER;
    *pcountChildren = 0;
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    const LONG count = ChildCount();
    if (count == 0) return m_pStd->get_accChildCount(pcountChildren);
    *pcountChildren = count;
    return S_OK;
}

STDMETHODIMP CAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr) return E_POINTER;
    *ppdispChild = nullptr;
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    if (ChildCount() == 0) return m_pStd->get_accChild(varChild, ppdispChild);
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    // Elements are not objects of their own: the reader asks this object about them by id.
    return S_FALSE;
}

STDMETHODIMP CAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr) return E_POINTER;
    *pszName = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    CString name;
    bool present = Name(child, name);
    return ReturnString(name, present, pszName);
}

STDMETHODIMP CAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    if (pszValue == nullptr) return E_POINTER;
    *pszValue = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    CString value;
    bool present = Value(child, value);
    return ReturnString(value, present, pszValue);
}

STDMETHODIMP CAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (pszDescription == nullptr) return E_POINTER;
    *pszDescription = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return S_FALSE;
}

STDMETHODIMP CAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr) return E_POINTER;
    ::VariantInit(pvarRole);
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = Role(child);
    return S_OK;
}

STDMETHODIMP CAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr) return E_POINTER;
    ::VariantInit(pvarState);
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    DWORD standard = 0;
    if (child == CHILDID_SELF) {
        VARIANT state;
        ::VariantInit(&state);
        if (SUCCEEDED(m_pStd->get_accState(varChild, &state)) && state.vt == VT_I4) standard = static_cast<DWORD>(state.lVal);
        ::VariantClear(&state);
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = static_cast<LONG>(State(child, standard));
    return S_OK;
}

STDMETHODIMP CAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    if (pszHelp == nullptr) return E_POINTER;
    *pszHelp = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return S_FALSE;
}

STDMETHODIMP CAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, LONG* pidTopic)
{
    if (pszHelpFile) *pszHelpFile = nullptr;
    if (pidTopic) *pidTopic = 0;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return S_FALSE;
}

STDMETHODIMP CAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    if (pszKeyboardShortcut == nullptr) return E_POINTER;
    *pszKeyboardShortcut = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    CString shortcut;
    bool present = Shortcut(child, shortcut);
    return ReturnString(shortcut, present, pszKeyboardShortcut);
}

STDMETHODIMP CAccessible::get_accFocus(VARIANT* pvarChild)
{
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    const LONG focus = FocusChild();
    if (focus < 0) return m_pStd->get_accFocus(pvarChild);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = focus;
    return S_OK;
}

STDMETHODIMP CAccessible::get_accSelection(VARIANT* pvarChildren)
{
    if (pvarChildren == nullptr) return E_POINTER;
    ::VariantInit(pvarChildren);
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    return m_pStd->get_accSelection(pvarChildren);
}

STDMETHODIMP CAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == nullptr) return E_POINTER;
    *pszDefaultAction = nullptr;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return S_FALSE;
}

STDMETHODIMP CAccessible::accSelect(LONG flagsSelect, VARIANT varChild)
{
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    if (child != CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    return m_pStd->accSelect(flagsSelect, varChild);
}

STDMETHODIMP CAccessible::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight) return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    if (child == CHILDID_SELF) return m_pStd->accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
    RECT r;
    if (!ChildRect(child, r)) return S_FALSE;
    POINT corner = {r.left, r.top};
    ::ClientToScreen(m_hWnd, &corner);
    *pxLeft = corner.x;
    *pyTop = corner.y;
    *pcxWidth = r.right - r.left;
    *pcyHeight = r.bottom - r.top;
    return S_OK;
}

STDMETHODIMP CAccessible::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    if (pvarEndUpAt == nullptr) return E_POINTER;
    ::VariantInit(pvarEndUpAt);
    LONG child = 0;
    HRESULT hr = Check(varStart, child);
    if (FAILED(hr)) return hr;
    const LONG count = ChildCount();
    if (count == 0) return m_pStd->accNavigate(navDir, varStart, pvarEndUpAt);
    LONG target = 0;
    if (child == CHILDID_SELF) {
        if (navDir == NAVDIR_FIRSTCHILD) target = 1;
        else if (navDir == NAVDIR_LASTCHILD) target = count;
        else return m_pStd->accNavigate(navDir, varStart, pvarEndUpAt);
    } else {
        switch (navDir) {
        case NAVDIR_NEXT: case NAVDIR_DOWN: case NAVDIR_RIGHT: target = child + 1; break;
        case NAVDIR_PREVIOUS: case NAVDIR_UP: case NAVDIR_LEFT: target = child - 1; break;
        default: return E_INVALIDARG;  // elements have no children
        }
        if (target < 1 || target > count) return S_FALSE;
    }
    pvarEndUpAt->vt = VT_I4;
    pvarEndUpAt->lVal = target;
    return S_OK;
}

STDMETHODIMP CAccessible::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_pWnd == nullptr || m_pStd == nullptr) return CO_E_OBJNOTCONNECTED;
    const LONG count = ChildCount();
    if (count == 0) return m_pStd->accHitTest(xLeft, yTop, pvarChild);
    POINT p = {xLeft, yTop};
    ::ScreenToClient(m_hWnd, &p);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, p)) return S_FALSE;
    *pvarChild = SelfId();
    for (LONG child = 1; child <= count; ++child) {
        RECT r;
        if (ChildRect(child, r) && ::PtInRect(&r, p)) {
            pvarChild->lVal = child;
            break;
        }
    }
    return S_OK;
}

STDMETHODIMP CAccessible::accDoDefaultAction(VARIANT varChild)
{
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;  // obsolete in the interface
}

STDMETHODIMP CAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    LONG child = 0;
    HRESULT hr = Check(varChild, child);
    if (FAILED(hr)) return hr;
    return SetValue(child, CString(szValue ? szValue : L""));
}
