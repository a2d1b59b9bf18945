#include "NumericTesting.h"

namespace numtest {

namespace {
// Every numeric test runs with the theme and registry started.
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 7;
}  // namespace

MSG TestNumEdit::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

LRESULT TestNumEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        const size_t index = static_cast<size_t>(lParam);
        if (index < actions_.size()) actions_[index]();
        return 0;
    }
    if (message == WM_PAINT) {
        RECT r{};
        if (::GetUpdateRect(m_hWnd, &r, FALSE)) paintedRects.push_back(r);
    } else if (message == WM_INITMENUPOPUP) {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t label[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
            menuLabels.push_back(label);
        }
    }
    return CNumEdit::WindowProc(message, wParam, lParam);
}

void SetKeyDown(int vk, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

CPoint CursorPos()
{
    POINT p{};
    ::GetCursorPos(&p);
    return CPoint(p);
}

void NumEditTest::SetUp()
{
    ASSERT_TRUE(host.Open());
}

void NumEditTest::TearDown()
{
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
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
