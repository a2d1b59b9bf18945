// --accessibility: prints what a screen reader gets from the gallery window, one line per
// object or element (role, name, value, states), indented by depth, child windows in z-order.
#include "Panels.h"
#include <oleacc.h>
#include <string>

namespace {

class TreePrinter {
public:
    TreePrinter()
    {
        m_out = ::GetStdHandle(STD_OUTPUT_HANDLE);
        if (m_out == nullptr || m_out == INVALID_HANDLE_VALUE) {
            // Started from a console as a windowed program: write to that console.
            if (::AttachConsole(ATTACH_PARENT_PROCESS))
                m_out = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        }
    }

    bool Print(HWND hWnd, int depth)
    {
        IAccessible* acc = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&acc))) || acc == nullptr) {
            Line(depth, L"(no object)");
        } else {
            Line(depth, Describe(acc, CHILDID_SELF));
            // Elements belong to this object; children that are windows come below, by handle.
            LONG count = 0;
            acc->get_accChildCount(&count);
            for (LONG i = 1; i <= count; ++i) {
                IDispatch* child = nullptr;
                VARIANT id;
                id.vt = VT_I4;
                id.lVal = i;
                if (acc->get_accChild(id, &child) == S_OK && child) {
                    child->Release();
                    continue;
                }
                // The system's object counts child windows but may not hand them out by id.
                VARIANT role;
                ::VariantInit(&role);
                const bool element = SUCCEEDED(acc->get_accRole(id, &role));
                ::VariantClear(&role);
                if (element) Line(depth + 1, Describe(acc, i));
            }
            acc->Release();
        }
        for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            Print(child, depth + 1);
        return m_ok;
    }

private:
    static std::wstring Take(BSTR s)
    {
        std::wstring text = s ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
        ::SysFreeString(s);
        return text;
    }

    static std::wstring Describe(IAccessible* acc, LONG child)
    {
        VARIANT id;
        id.vt = VT_I4;
        id.lVal = child;
        std::wstring line;
        VARIANT v;
        ::VariantInit(&v);
        wchar_t text[128] = {};
        if (SUCCEEDED(acc->get_accRole(id, &v)) && v.vt == VT_I4 && ::GetRoleTextW(static_cast<DWORD>(v.lVal), text, 128))
            line = text;
        else
            line = L"(no role)";
        ::VariantClear(&v);
        BSTR s = nullptr;
        if (acc->get_accName(id, &s) == S_OK) line += L" \"" + Take(s) + L"\"";
        else ::SysFreeString(s);
        s = nullptr;
        if (acc->get_accValue(id, &s) == S_OK) line += L" value=\"" + Take(s) + L"\"";
        else ::SysFreeString(s);
        if (SUCCEEDED(acc->get_accState(id, &v)) && v.vt == VT_I4) {
            std::wstring states;
            for (DWORD bit = 1; bit != 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
                if (!(static_cast<DWORD>(v.lVal) & bit) || !::GetStateTextW(bit, text, 128)) continue;
                states += (states.empty() ? L"" : L", ") + std::wstring(text);
            }
            if (!states.empty()) line += L" [" + states + L"]";
        }
        ::VariantClear(&v);
        return line;
    }

    void Line(int depth, const std::wstring& text)
    {
        const std::wstring line = std::wstring(static_cast<size_t>(depth) * 2, L' ') + text + L"\n";
        const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], bytes, nullptr, nullptr);
        DWORD written = 0;
        if (!::WriteFile(m_out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)) m_ok = false;
    }

    HANDLE m_out = nullptr;
    bool m_ok = true;
};

}  // namespace

int PrintAccessibleTree(HWND hWnd)
{
    ::CoInitialize(nullptr);
    // Let the panels finish whatever they posted to themselves while being laid out.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    const bool ok = TreePrinter().Print(hWnd, 0);
    ::CoUninitialize();
    return ok ? 0 : 1;
}
