#include "AccessibilityTesting.h"
#include <KestrelMenu.h>
#include <ostream>

namespace a11y {

namespace {

// COM for the reader's side of the calls, the library's theme and registry, the menu chain.
class Environment : public kx::LibraryEnvironment {
public:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        kx::LibraryEnvironment::SetUp();
        InitMenu();
    }
    void TearDown() override
    {
        ExitMenu();
        kx::LibraryEnvironment::TearDown();
        ::CoUninitialize();
    }
};
constexpr UINT kActionMessage = WM_APP + 9;
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

std::vector<WinEvent> g_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG objectId, LONG childId, DWORD, DWORD)
{
    g_events.push_back({event, hWnd, objectId, childId});
}

std::wstring Take(BSTR s)
{
    std::wstring text = s ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
    ::SysFreeString(s);
    return text;
}

}  // namespace

IAccessible* ObjectOf(HWND hWnd)
{
    IAccessible* acc = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&acc))))
        return nullptr;
    return acc;
}

VARIANT Child(LONG id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

Answers Ask(IAccessible* acc, LONG child)
{
    Answers a;
    VARIANT id = Child(child);
    VARIANT v;
    ::VariantInit(&v);
    a.hr = acc->get_accRole(id, &v);
    if (v.vt == VT_I4) a.role = v.lVal;
    ::VariantClear(&v);
    BSTR s = nullptr;
    a.hasName = acc->get_accName(id, &s) == S_OK;
    a.name = Take(s);
    s = nullptr;
    a.hasValue = acc->get_accValue(id, &s) == S_OK;
    a.value = Take(s);
    if (SUCCEEDED(acc->get_accState(id, &v)) && v.vt == VT_I4) a.state = static_cast<DWORD>(v.lVal);
    ::VariantClear(&v);
    s = nullptr;
    acc->get_accKeyboardShortcut(id, &s);
    a.shortcut = Take(s);
    return a;
}

LONG ChildCount(IAccessible* acc)
{
    LONG count = -1;
    acc->get_accChildCount(&count);
    return count;
}

RECT Location(IAccessible* acc, LONG child)
{
    LONG x = 0, y = 0, w = 0, h = 0;
    if (acc->accLocation(&x, &y, &w, &h, Child(child)) != S_OK) return RECT{};
    return RECT{x, y, x + w, y + h};
}

std::ostream& operator<<(std::ostream& os, const WinEvent& e)
{
    return os << "{event 0x" << std::hex << e.event << std::dec << ", hwnd " << e.hWnd << ", object "
              << e.objectId << ", child " << e.childId << "}";
}

EventRecorder::EventRecorder()
{
    g_events.clear();
    hook_ = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, ::GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT);
    EXPECT_NE(hook_, nullptr);
}

EventRecorder::~EventRecorder()
{
    if (hook_) ::UnhookWinEvent(hook_);
    g_events.clear();
}

std::vector<WinEvent> EventRecorder::Take(HWND hWnd, std::initializer_list<DWORD> only)
{
    kx::PumpMessages();
    std::vector<WinEvent> result;
    for (const WinEvent& e : g_events) {
        if (hWnd && e.hWnd != hWnd) continue;
        bool wanted = only.size() == 0;
        for (DWORD kind : only) wanted = wanted || kind == e.event;
        if (wanted) result.push_back(e);
    }
    g_events.clear();
    return result;
}

std::vector<WinEvent> Events(std::initializer_list<WinEvent> list)
{
    return std::vector<WinEvent>(list);
}

MSG ActionHost::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

LRESULT ActionHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage && static_cast<size_t>(lParam) < actions_.size()) {
        actions_[static_cast<size_t>(lParam)]();
        return 0;
    }
    return kx::HostWindow::WindowProc(message, wParam, lParam);
}

HWND MakeLabel(HWND parent, LPCWSTR text, const RECT& r)
{
    return ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, nullptr, nullptr, nullptr);
}

}  // namespace a11y
