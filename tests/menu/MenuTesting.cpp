#include "MenuTesting.h"

namespace menutest {

namespace {

// Theme and registry; the harness's main adds the popup chain after them.
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);

constexpr UINT kActionMessage = WM_APP + 8;
// Long enough for any scripted run; it only fires when a loop is stuck.
constexpr UINT kWatchdogMs = 8000;

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ADD_FAILURE() << "the menu loop did not end by itself";
    CFreeMenuWnd::CloseAll();
}

}  // namespace

CFreeMenuWnd* Popup(int level)
{
    CFreeMenuWnd* p = CFreeMenuWnd::GetHead();
    for (int i = 0; p && i < level; ++i) p = p->m_pNextPopup;
    return p;
}

int VisibleLevels()
{
    int n = 0;
    for (CFreeMenuWnd* p = CFreeMenuWnd::GetHead(); p; p = p->m_pNextPopup)
        if (p->IsWindowVisible()) ++n;
    return n;
}

CRect WindowRectOf(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    return r;
}

MSG AtPopup(int level, UINT message, int x, int y)
{
    MSG m = kx::Msg(message, 0, kx::PointParam(x, y));
    m.hwnd = Popup(level)->m_hWnd;
    return m;
}

int ItemMiddle(const CFreeMenu& menu, int index)
{
    const CFreeMenuData* data = menu.GetSafeFreeMenu();
    int top = 0;
    for (int i = 0; i < index; ++i) top += CFreeMenuWnd::ItemHeight(data, i);
    return top + CFreeMenuWnd::ItemHeight(data, index) / 2;
}

MSG MenuHost::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

LRESULT MenuHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        const size_t index = static_cast<size_t>(lParam);
        if (index < actions_.size()) actions_[index]();
        return 0;
    }
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONUP) buttons.push_back(message);
    return kx::HostWindow::WindowProc(message, wParam, lParam);
}

void RecordingMenu::DrawItem(LPDRAWITEMSTRUCT dis)
{
    drawn.push_back(static_cast<int>(dis->itemID));
    if (dis->itemAction == 0) states.push_back(dis->itemState);
    CFreeMenu::DrawItem(dis);
}

void RecordingMenu::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    CFreeMenu::MeasureItem(mis);
    if (ownerDrawHeight) mis->itemHeight = ownerDrawHeight;
}

void MenuTest::SetUp()
{
    ASSERT_TRUE(host.Open());
    ASSERT_NE(CFreeMenuWnd::GetHead(), nullptr);
    // Keep the real pointer away from every popup: hover and leave then come only from the script.
    ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
    kx::PumpMessages();
}

void MenuTest::TearDown()
{
    CFreeMenuWnd::CloseAll();
    kx::PumpMessages();
    host.Close();
}

int MenuTest::Track(CFreeMenu& menu, int x, int y)
{
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, kWatchdogMs, Watchdog);
    const int result = menu.TrackPopupMenu(TPM_LEFTALIGN, x, y, &host);
    ::KillTimer(nullptr, watchdog);
    return result;
}

}  // namespace menutest
