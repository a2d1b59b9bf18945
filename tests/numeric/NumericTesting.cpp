#include "NumericTesting.h"

namespace numtest {

namespace {
// Every numeric test runs with the theme and registry started.
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 7;
}  // namespace

ScriptActions::ScriptActions()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestrelNumericScriptActions";
    ::RegisterClassW(&wc);
    hWnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ScriptActions::~ScriptActions()
{
    if (hWnd_) ::DestroyWindow(hWnd_);
}

MSG ScriptActions::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    MSG m = kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
    m.hwnd = hWnd_;
    return m;
}

LRESULT CALLBACK ScriptActions::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        auto* self = reinterpret_cast<ScriptActions*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        size_t index = static_cast<size_t>(lParam);
        if (self && index < self->actions_.size()) self->actions_[index]();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void SetKeyDown(int vk, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

void ReleaseModifiers()
{
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
}

std::vector<UINT> KindList(std::initializer_list<UINT> kinds)
{
    return std::vector<UINT>(kinds);
}

void NumEditTest::SetUp()
{
    ASSERT_TRUE(host.Open());
}

void NumEditTest::TearDown()
{
    ReleaseModifiers();
    edit.DestroyWindow();
    host.Close();
}

void NumEditTest::Create(DWORD style, int width, int height)
{
    ASSERT_TRUE(edit.Create(CRect(10, 10, 10 + width, 10 + height), &host, kEditId, WS_VISIBLE | style));
    kx::PumpMessages();
    host.Clear();
}

CPoint NumEditTest::PlaceCenter(int place) const
{
    RECT r = edit.GetItemRect(static_cast<UINT>(place));
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

CPoint NumEditTest::ToScreen(CPoint p) const
{
    ::ClientToScreen(edit.m_hWnd, &p);
    return p;
}

}  // namespace numtest
