#include "SplitterTesting.h"

namespace spltest {

namespace {
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 9;

HWND MakeStatic(HWND parent, UINT id, const RECT& r)
{
    return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                             nullptr);
}
}  // namespace

MSG Recorder::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return To(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

MSG Recorder::To(UINT message, WPARAM wParam, LPARAM lParam) const
{
    MSG m = kx::Msg(message, wParam, lParam);
    m.hwnd = m_hWnd;
    return m;
}

LRESULT Recorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        const size_t index = static_cast<size_t>(lParam);
        if (index < actions_.size()) actions_[index]();
        return 0;
    }
    if (message == WM_KEYDOWN || message == WM_CHAR || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
        message >= WM_APP)
        received.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
}

void SplitterTest::SetUp()
{
    ASSERT_TRUE(host.Open());
    RECT client{};
    host.GetClientRect(&client);
    width = client.right;
    height = client.bottom;
    ASSERT_TRUE(recorder.CreateEx(0, nullptr, L"", WS_CHILD, 0, 0, 1, 1, host.m_hWnd, nullptr));

    MakeStatic(host.m_hWnd, kLeftId, kLeftPane);
    MakeStatic(host.m_hWnd, kRightId, kRightPane);
    RECT bar = kXBar;
    bar.bottom = height;
    MakeStatic(host.m_hWnd, kXBarId, bar);
    ASSERT_EQ(xbar.BindWithControl(&host, kXBarId), 1);
    xbar.AttachAsLeftPane(kLeftId);
    xbar.AttachAsRightPane(kRightId);

    MakeStatic(host.m_hWnd, kAboveId, kAbovePane);
    MakeStatic(host.m_hWnd, kBelowId, kBelowPane);
    MakeStatic(host.m_hWnd, kYBarId, kYBar);
    ASSERT_EQ(ybar.BindWithControl(&host, kYBarId), 1);
    ybar.AttachAsAbovePane(kAboveId);
    ybar.AttachAsBelowPane(kBelowId);
    kx::PumpMessages();
    host.Clear();
}

void SplitterTest::TearDown()
{
    ::ClipCursor(nullptr);
    if (::GetCapture() != nullptr) ::ReleaseCapture();
    xbar.DestroyWindow();
    ybar.DestroyWindow();
    recorder.DestroyWindow();
    host.Close();
}

RECT SplitterTest::RectOf(UINT id) const
{
    return RectOf(Child(id));
}

RECT SplitterTest::RectOf(HWND hWnd) const
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    ::MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

CPoint SplitterTest::ToScreen(int x, int y) const
{
    CPoint p(x, y);
    ::ClientToScreen(host.m_hWnd, &p);
    return p;
}

std::vector<const NMSPLTMOVE*> SplitterTest::Moves() const
{
    std::vector<const NMSPLTMOVE*> moves;
    for (const auto& m : host.log)
        if (m.message == WM_NOTIFY && m.hdr.code == SPLTN_MOVED)
            moves.push_back(reinterpret_cast<const NMSPLTMOVE*>(m.record.data()));
    return moves;
}

}  // namespace spltest
